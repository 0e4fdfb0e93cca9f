#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "ui/widgets/chart_geometry.h"
#include "ui/widgets/double_buffer_win32.h"

// The chart control, window class "ChartCtrl": a left and a bottom numeric
// axis, a vertical gradient behind everything, a legend docked at the bottom,
// bar, line and point series and a balloon label on one point. It knows
// nothing of what it shows. Dialog templates place it as a custom control;
// the window owns its object, made at WM_NCCREATE and freed at WM_NCDESTROY.
// Everything is painted into one double buffer and cut to the plot.
class CChartCtrl {
 public:
  static constexpr const wchar_t* kClassName = L"ChartCtrl";
  static constexpr COLORREF kDefaultBarColor = RGB(70, 120, 200);

  // Registers the class for every module of the process; true when it exists.
  static bool Register();
  // The control's object, or null for any other window.
  [[nodiscard]] static CChartCtrl* FromHandle(HWND hwnd);

  CChartCtrl(const CChartCtrl&) = delete;
  CChartCtrl& operator=(const CChartCtrl&) = delete;

  // tickStep 0: a round step of its own.
  void SetBottomAxis(double min, double max, double tickStep);
  void SetLeftAxis(double min, double max, double tickStep = 0);
  void SetBackgroundGradient(COLORREF top, COLORREF bottom);
  // Docked at the bottom, its entries centred; it names the named series.
  void ShowLegend(bool show);

  void RemoveAllSeries();
  // Each returns the new series' index for AddPoint and SetBalloon.
  size_t AddBarSeries(COLORREF color = kDefaultBarColor, std::u16string name = {});
  size_t AddLineSeries(COLORREF color, int width, std::u16string name = {});
  // A line drawn in dashes.
  size_t AddDashedLineSeries(COLORREF color, int width,
                             std::u16string name = {});
  // Bars drawn as their frame only, width pixels wide: over a bar series, it
  // outlines chosen bars.
  size_t AddBarOutlineSeries(COLORREF color, int width,
                             std::u16string name = {});
  size_t AddPointSeries(COLORREF color, int width, int height, std::u16string name = {});
  void AddPoint(size_t series, double x, double y);
  void AddPoints(size_t series, std::span<const ChartPoint> points);
  // A label with text above one point of a series (one per series).
  void SetBalloon(size_t series, size_t point, std::u16string text);
  // Paints afresh after changes.
  void Redraw();

  [[nodiscard]] const std::vector<ChartSeries>& Series() const { return series_; }
  // The parts of a width x height control painted on dc (with the control's font).
  [[nodiscard]] ChartLayout Layout(HDC dc, int width, int height) const;
  // Value to pixel along the axes of a layout.
  [[nodiscard]] AxisMap XMap(const ChartLayout& layout) const;
  [[nodiscard]] AxisMap YMap(const ChartLayout& layout) const;
  // Paints the whole control, width x height, onto dc at (0, 0).
  void Paint(HDC dc, int width, int height) const;

 private:
  CChartCtrl() = default;
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnPaint();
  [[nodiscard]] HFONT CurrentFont() const;

  void PaintBackground(HDC dc, int width, int height) const;
  void PaintAxes(HDC dc, const ChartLayout& layout) const;
  void PaintSeries(HDC dc, const ChartLayout& layout, const ChartSeries& series) const;
  void PaintBalloon(HDC dc, const ChartLayout& layout, const ChartSeries& series) const;
  void PaintLegend(HDC dc, const ChartLayout& layout) const;
  [[nodiscard]] std::vector<std::u16string> LeftLabels() const;

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;  // the dialog's font, not ours to delete
  DoubleBuffer buffer_;
  double xMin_ = 0, xMax_ = 10, xStep_ = 1;
  double yMin_ = 0, yMax_ = 10, yStep_ = 0;
  COLORREF gradientTop_ = RGB(255, 255, 255);
  COLORREF gradientBottom_ = RGB(255, 255, 255);
  bool legend_ = false;
  std::vector<ChartSeries> series_;
};
