#include "ui/widgets/chart_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {
constexpr int kMargin = 6;  // around the chart's parts
}  // namespace

int LegendWidth(int controlWidth) { return std::max(0, controlWidth - 2 * kMargin); }

AxisMap::AxisMap(double min, double max, double fromPixel, double toPixel)
    : min_(min), scale_(max != min ? (toPixel - fromPixel) / (max - min) : 0), fromPixel_(fromPixel) {}

double AxisMap::ToPixel(double value) const { return fromPixel_ + (value - min_) * scale_; }

double RoundStep(double min, double max, int maxTicks) {
  const double span = std::fabs(max - min);
  if (!(span > 0) || !std::isfinite(span) || maxTicks < 2) return 1;
  const double raw = span / (maxTicks - 1);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= raw * (1 - 1e-9)) return m * power;
  }
  return 10 * power;
}

std::vector<double> AxisTicks(double min, double max, double step, int maxTicks) {
  std::vector<double> ticks;
  if (!std::isfinite(min) || !std::isfinite(max) || max < min) return ticks;
  if (!(step > 0)) step = RoundStep(min, max, maxTicks);
  // A hair of the step absorbs the rounding of decimal steps (97.2 + 3 x 0.1).
  const double hair = step * 1e-6;
  const double first = std::ceil((min - hair) / step);
  constexpr int kMaxTicks = 1000;
  for (int i = 0; i < kMaxTicks; ++i) {
    const double value = (first + i) * step;
    if (value > max + hair) break;
    ticks.push_back(std::fabs(value) < hair ? 0.0 : value);
  }
  return ticks;
}

std::u16string TickLabel(double value, double step) {
  int decimals = 0;
  for (double s = std::fabs(step); decimals < 6 && s > 0 && std::fabs(s - std::round(s)) > 1e-6; s *= 10) {
    ++decimals;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  const std::string narrow(text);
  return std::u16string(narrow.begin(), narrow.end());
}

ChartLayout LayoutChart(int width, int height, const ChartTextSizes& text) {
  constexpr int kTick = 4;
  ChartLayout layout;
  int bottom = height - kMargin;
  if (text.legendHeight > 0) {
    layout.legend = {kMargin, bottom - text.legendHeight, width - kMargin, bottom};
    bottom = layout.legend.top - kMargin / 2;
  }
  // Below the plot: the tick marks and one line of bottom-axis labels.
  bottom -= text.textHeight + kTick + 2;
  // Half a label of room above the top tick and right of the last one.
  layout.plot = {kMargin + text.leftLabelWidth + kTick + 2, kMargin + text.textHeight / 2,
                 width - kMargin - std::max(text.textHeight, 8), bottom};
  if (layout.plot.right < layout.plot.left) layout.plot.right = layout.plot.left;
  if (layout.plot.bottom < layout.plot.top) layout.plot.bottom = layout.plot.top;
  return layout;
}

std::optional<PixelSegment> ClipSegment(PixelSegment s, const Rect& clip) {
  if (!std::isfinite(s.x0) || !std::isfinite(s.y0) || !std::isfinite(s.x1) || !std::isfinite(s.y1)) {
    return std::nullopt;
  }
  const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  double t0 = 0, t1 = 1;
  int edge0 = -1, edge1 = -1;  // the edge that cut each end, if any
  // Each edge (left, right, top, bottom): p * t <= q keeps the point inside.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {s.x0 - clip.left, clip.right - s.x0, s.y0 - clip.top, clip.bottom - s.y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return std::nullopt;
      if (t > t0) {
        t0 = t;
        edge0 = i;
      }
    } else {
      if (t < t0) return std::nullopt;
      if (t < t1) {
        t1 = t;
        edge1 = i;
      }
    }
  }
  PixelSegment out{s.x0 + t0 * dx, s.y0 + t0 * dy, s.x0 + t1 * dx, s.y0 + t1 * dy};
  // Far-off ends lose precision in t; an end cut by an edge lies on it exactly.
  const auto snap = [&](int edge, double& x, double& y) {
    if (edge == 0) x = clip.left;
    if (edge == 1) x = clip.right;
    if (edge == 2) y = clip.top;
    if (edge == 3) y = clip.bottom;
  };
  snap(edge0, out.x0, out.y0);
  snap(edge1, out.x1, out.y1);
  return out;
}

std::optional<Rect> ClipBox(double left, double top, double right, double bottom, const Rect& clip) {
  if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) || !std::isfinite(bottom)) {
    return std::nullopt;
  }
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  left = std::max(left, double(clip.left));
  top = std::max(top, double(clip.top));
  right = std::min(right, double(clip.right));
  bottom = std::min(bottom, double(clip.bottom));
  const Rect r{static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
                    static_cast<int>(std::lround(right)), static_cast<int>(std::lround(bottom))};
  if (r.Empty()) return std::nullopt;
  return r;
}

namespace {

constexpr int kLegendBetween = 18;

int LegendEntryWidth(int textWidth) { return kLegendSampleWidth + kLegendGap + std::max(textWidth, 0); }

// The entries of each line: [first, end) ranges, at least one entry a line.
std::vector<std::pair<size_t, size_t>> LegendLines(int legendWidth, const std::vector<int>& textWidths) {
  std::vector<std::pair<size_t, size_t>> lines;
  size_t first = 0;
  int used = 0;
  for (size_t i = 0; i < textWidths.size(); ++i) {
    const int width = LegendEntryWidth(textWidths[i]);
    if (i > first && used + kLegendBetween + width > legendWidth) {
      lines.emplace_back(first, i);
      first = i;
      used = 0;
    }
    used += (i > first ? kLegendBetween : 0) + width;
  }
  if (first < textWidths.size()) lines.emplace_back(first, textWidths.size());
  return lines;
}

}  // namespace

int LegendLineCount(int legendWidth, const std::vector<int>& textWidths) {
  return std::max<int>(1, static_cast<int>(LegendLines(legendWidth, textWidths).size()));
}

std::vector<Rect> LegendEntries(const Rect& legend, const std::vector<int>& textWidths) {
  std::vector<Rect> entries;
  const auto lines = LegendLines(legend.Width(), textWidths);
  const int count = std::max<int>(1, static_cast<int>(lines.size()));
  for (size_t n = 0; n < lines.size(); ++n) {
    const auto [first, end] = lines[n];
    const int top = legend.top + legend.Height() * static_cast<int>(n) / count;
    const int bottom = legend.top + legend.Height() * static_cast<int>(n + 1) / count;
    int total = 0;
    for (size_t i = first; i < end; ++i) total += LegendEntryWidth(textWidths[i]) + (i > first ? kLegendBetween : 0);
    int x = legend.left + std::max(0, (legend.Width() - total) / 2);
    for (size_t i = first; i < end; ++i) {
      const int width = LegendEntryWidth(textWidths[i]);
      // An entry that does not fit is cut at the legend's edge, never drawn past it.
      entries.push_back({std::min(x, legend.right), top, std::min(x + width, legend.right), bottom});
      x += width + kLegendBetween;
    }
  }
  return entries;
}

int BarWidth(const AxisMap& xMap, double xStep) {
  if (!(xStep > 0)) xStep = 1;
  const double spacing = std::fabs(xMap.ToPixel(xStep) - xMap.ToPixel(0));
  return std::max(1, static_cast<int>(spacing * 0.6));
}

std::vector<PixelSegment> DashSegment(const PixelSegment &s, double on,
                                      double off) {
  std::vector<PixelSegment> dashes;
  const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0) || !(on > 0) || off < 0)
    return {s};
  // Never more dashes than a plot has pixels to show.
  if (length / (on + off) > 10000)
    return {s};
  for (double at = 0; at < length; at += on + off) {
    const double end = std::min(length, at + on);
    dashes.push_back({s.x0 + dx * at / length, s.y0 + dy * at / length,
                      s.x0 + dx * end / length, s.y0 + dy * end / length});
  }
  return dashes;
}
