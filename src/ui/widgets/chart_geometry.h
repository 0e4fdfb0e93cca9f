#pragma once

// The arithmetic of the chart control, without windows: how values map to
// pixels along an axis, where the ticks stand and how they are labelled, how
// the control's area is shared between the plot, the axis labels and the
// legend, and how lines and bars are cut to the plot so nothing is drawn
// outside it. Pixel coordinates grow rightwards and downwards.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "env/rect.h"
#include "env/theme.h"

struct ChartPoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};


// A linear map from [min, max] of values onto [fromPixel, toPixel]; a vertical
// axis maps its minimum to the bottom pixel, so toPixel < fromPixel there.
class AxisMap {
 public:
  AxisMap(double min, double max, double fromPixel, double toPixel);
  [[nodiscard]] double ToPixel(double value) const;

 private:
  double min_;
  double scale_;
  double fromPixel_;
};

// The tick values of [min, max]: every step from the first multiple of step
// at or above min (within a hair of rounding) up to max. A step of 0 or less
// asks for a round step that gives at most maxTicks ticks. Never more than
// 1000 ticks, whatever the range.
[[nodiscard]] std::vector<double> AxisTicks(double min, double max, double step, int maxTicks = 10);
// A round step (1, 2 or 5 times a power of ten) giving at most maxTicks ticks.
[[nodiscard]] double RoundStep(double min, double max, int maxTicks);
// The label of a tick: as many decimals as the step needs (0.5 -> one, 0.25 -> two).
[[nodiscard]] std::u16string TickLabel(double value, double step);

// The parts of the control: the plot, the left axis labels to its left, the
// bottom axis labels below it and the legend under those.
struct ChartLayout {
  Rect plot;
  Rect legend;  // empty without a legend
};
struct ChartTextSizes {
  int leftLabelWidth = 0;  // widest left-axis label
  int textHeight = 0;      // one line of label text
  int legendHeight = 0;    // 0: no legend
};
[[nodiscard]] ChartLayout LayoutChart(int width, int height, const ChartTextSizes& text);

// The segment a-b cut to the rectangle (Liang-Barsky); none when it lies outside.
struct PixelSegment {
  double x0, y0, x1, y1;
};
[[nodiscard]] std::optional<PixelSegment> ClipSegment(PixelSegment s, const Rect& clip);
// A segment cut into dashes: pieces of `on` pixels with gaps of `off` pixels
// between them, from its start; the last piece may be shorter.
[[nodiscard]] std::vector<PixelSegment> DashSegment(const PixelSegment &s,
                                                    double on, double off);
// The part of r inside clip; none when they do not meet. Coordinates may be
// far outside the int range of a device context: they are held as doubles
// until cut.
[[nodiscard]] std::optional<Rect> ClipBox(double left, double top, double right, double bottom,
                                               const Rect& clip);

// The legend's entries side by side, each line centred in the legend area:
// each entry a sample (16 pixels) and its name; textWidths are the names'
// widths. Entries that do not fit beside each other go on to a next line;
// the lines share the legend's height. An entry wider than the legend is
// cut at its edge.
[[nodiscard]] std::vector<Rect> LegendEntries(const Rect& legend, const std::vector<int>& textWidths);
// The legend's width in a control controlWidth pixels wide.
[[nodiscard]] int LegendWidth(int controlWidth);
// How many lines those entries take in a legend legendWidth pixels wide.
[[nodiscard]] int LegendLineCount(int legendWidth, const std::vector<int>& textWidths);
inline constexpr int kLegendSampleWidth = 16;
inline constexpr int kLegendGap = 6;

// One series of the chart: what the control draws and the legend names.
enum class ChartSeriesKind { kBar, kLine, kPoint };
struct ChartSeries {
  ChartSeriesKind kind = ChartSeriesKind::kBar;
  ColorRef color = 0;
  int lineWidth = 1;    // lines
  int pointWidth = 5;   // points
  int pointHeight = 5;  // points
  bool dashed = false;  // lines: dashes instead of one stroke
  bool outline = false; // bars: only their frame, lineWidth wide
  std::u16string name;  // the legend shows named series only
  std::vector<ChartPoint> points;
  struct Balloon {
    size_t point = 0;
    std::u16string text;
  };
  std::optional<Balloon> balloon;
};

// The bars' width: 60 % of the pixels between two neighbouring x values of
// the tick step, at least one pixel.
[[nodiscard]] int BarWidth(const AxisMap& xMap, double xStep);
