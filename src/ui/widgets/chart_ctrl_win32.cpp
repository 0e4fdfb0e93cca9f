#include "ui/widgets/chart_ctrl_win32.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "env/debug_log_win32.h"
#include "ui/widgets/gdi_win32.h"

namespace {

constexpr COLORREF kAxisColor = RGB(64, 64, 64);
constexpr COLORREF kGridColor = RGB(255, 255, 255);
constexpr COLORREF kTextColor = RGB(32, 32, 32);
constexpr COLORREF kBalloonFill = RGB(255, 255, 225);
constexpr double kDashLength = 8; // pixels of a dashed line's dash
constexpr double kDashGap = 5;    // and of the gap after it

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

SIZE TextSize(HDC dc, const std::u16string& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &size);
  return size;
}

void DrawText16(HDC dc, const std::u16string& text, RECT r, UINT format) {
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &r,
            format | DT_NOPREFIX | DT_SINGLELINE);
}

void FillBox(HDC dc, const Rect& r, COLORREF color) {
  Brush brush(CreateSolidBrush(color));
  const RECT rect = ToRect(r);
  FillRect(dc, &rect, brush.Get());
}

// Draws each segment cut to the plot first: a value far off the axis would
// otherwise give coordinates beyond what GDI takes.
void DrawClippedLine(HDC dc, double x0, double y0, double x1, double y1, const Rect& clip) {
  const auto cut = ClipSegment({x0, y0, x1, y1}, clip);
  if (!cut) return;
  MoveToEx(dc, static_cast<int>(std::lround(cut->x0)), static_cast<int>(std::lround(cut->y0)), nullptr);
  LineTo(dc, static_cast<int>(std::lround(cut->x1)), static_cast<int>(std::lround(cut->y1)));
}

// Keeps a wide pen's round ends inside the plot too.
class PlotClip {
 public:
  PlotClip(HDC dc, const Rect& plot) : dc_(dc), saved_(SaveDC(dc)) {
    IntersectClipRect(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
  }
  ~PlotClip() { RestoreDC(dc_, saved_); }
  PlotClip(const PlotClip&) = delete;
  PlotClip& operator=(const PlotClip&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace

bool CChartCtrl::Register() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  // Global: dialogs of a resource-only module find it too.
  wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &CChartCtrl::WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (RegisterClassExW(&wc)) return true;
  if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
  LogLastError(L"RegisterClassExW(ChartCtrl)");
  return false;
}

CChartCtrl* CChartCtrl::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (lstrcmpiW(name, kClassName) != 0) return nullptr;
  return reinterpret_cast<CChartCtrl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK CChartCtrl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  try {
    if (msg == WM_NCCREATE) {
      auto self = std::unique_ptr<CChartCtrl>(new CChartCtrl());
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self.release()));
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    auto* self = reinterpret_cast<CChartCtrl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      std::unique_ptr<CChartCtrl> owned(self);
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->HandleMessage(msg, wp, lp);
  } catch (...) {
    LogMessage(L"ChartCtrl: exception in the window procedure");
  }
  return msg == WM_NCCREATE ? FALSE : 0;
}

LRESULT CChartCtrl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) Redraw();
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    default: return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

void CChartCtrl::SetBottomAxis(double min, double max, double tickStep) {
  xMin_ = min;
  xMax_ = max;
  xStep_ = tickStep;
}

void CChartCtrl::SetLeftAxis(double min, double max, double tickStep) {
  yMin_ = min;
  yMax_ = max;
  yStep_ = tickStep;
}

void CChartCtrl::SetBackgroundGradient(COLORREF top, COLORREF bottom) {
  gradientTop_ = top;
  gradientBottom_ = bottom;
}

void CChartCtrl::ShowLegend(bool show) { legend_ = show; }

void CChartCtrl::RemoveAllSeries() { series_.clear(); }

size_t CChartCtrl::AddBarSeries(COLORREF color, std::u16string name) {
  ChartSeries s;
  s.kind = ChartSeriesKind::kBar;
  s.color = color;
  s.name = std::move(name);
  series_.push_back(std::move(s));
  return series_.size() - 1;
}

size_t CChartCtrl::AddLineSeries(COLORREF color, int width, std::u16string name) {
  ChartSeries s;
  s.kind = ChartSeriesKind::kLine;
  s.color = color;
  s.lineWidth = std::max(1, width);
  s.name = std::move(name);
  series_.push_back(std::move(s));
  return series_.size() - 1;
}

size_t CChartCtrl::AddDashedLineSeries(COLORREF color, int width,
                                       std::u16string name) {
  const size_t index = AddLineSeries(color, width, std::move(name));
  series_[index].dashed = true;
  return index;
}

size_t CChartCtrl::AddBarOutlineSeries(COLORREF color, int width,
                                       std::u16string name) {
  const size_t index = AddBarSeries(color, std::move(name));
  series_[index].outline = true;
  series_[index].lineWidth = std::max(1, width);
  return index;
}

size_t CChartCtrl::AddPointSeries(COLORREF color, int width, int height, std::u16string name) {
  ChartSeries s;
  s.kind = ChartSeriesKind::kPoint;
  s.color = color;
  s.pointWidth = std::max(1, width);
  s.pointHeight = std::max(1, height);
  s.name = std::move(name);
  series_.push_back(std::move(s));
  return series_.size() - 1;
}

void CChartCtrl::AddPoint(size_t series, double x, double y) {
  if (series < series_.size()) series_[series].points.push_back({x, y});
}

void CChartCtrl::AddPoints(size_t series, std::span<const ChartPoint> points) {
  if (series < series_.size()) series_[series].points.insert(series_[series].points.end(), points.begin(), points.end());
}

void CChartCtrl::SetBalloon(size_t series, size_t point, std::u16string text) {
  if (series < series_.size()) series_[series].balloon = ChartSeries::Balloon{point, std::move(text)};
}

void CChartCtrl::Redraw() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

HFONT CChartCtrl::CurrentFont() const {
  return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::vector<std::u16string> CChartCtrl::LeftLabels() const {
  const double step = yStep_ > 0 ? yStep_ : RoundStep(yMin_, yMax_, 10);
  std::vector<std::u16string> labels;
  for (const double v : AxisTicks(yMin_, yMax_, step)) labels.push_back(TickLabel(v, step));
  return labels;
}

ChartLayout CChartCtrl::Layout(HDC dc, int width, int height) const {
  SelectGuard font(dc, CurrentFont());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  ChartTextSizes sizes;
  sizes.textHeight = tm.tmHeight;
  for (const std::u16string& label : LeftLabels()) sizes.leftLabelWidth = std::max<int>(sizes.leftLabelWidth, TextSize(dc, label).cx);
  if (legend_) {
    std::vector<int> widths;
    for (const ChartSeries& s : series_) {
      if (!s.name.empty()) widths.push_back(TextSize(dc, s.name).cx);
    }
    sizes.legendHeight = (tm.tmHeight + 4) * LegendLineCount(LegendWidth(width), widths);
  }
  return LayoutChart(width, height, sizes);
}

AxisMap CChartCtrl::XMap(const ChartLayout& layout) const {
  return AxisMap(xMin_, xMax_, layout.plot.left, layout.plot.right);
}

AxisMap CChartCtrl::YMap(const ChartLayout& layout) const {
  return AxisMap(yMin_, yMax_, layout.plot.bottom, layout.plot.top);
}

void CChartCtrl::OnPaint() {
  PaintDC paint(hwnd_);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const HDC buffer = buffer_.Prepare(paint.Get(), client.right, client.bottom);
  if (!buffer) return;
  Paint(buffer, client.right, client.bottom);
  buffer_.Present(paint.Get(), paint.Area());
}

void CChartCtrl::Paint(HDC dc, int width, int height) const {
  if (width <= 0 || height <= 0) return;
  const ChartLayout layout = Layout(dc, width, height);
  SelectGuard font(dc, CurrentFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColor);
  PaintBackground(dc, width, height);
  PaintAxes(dc, layout);
  // Bars at the back, then lines and points, balloons above everything.
  for (const ChartSeriesKind kind : {ChartSeriesKind::kBar, ChartSeriesKind::kLine, ChartSeriesKind::kPoint}) {
    for (const ChartSeries& s : series_) {
      if (s.kind == kind) PaintSeries(dc, layout, s);
    }
  }
  for (const ChartSeries& s : series_) PaintBalloon(dc, layout, s);
  if (legend_) PaintLegend(dc, layout);
  // A frame around the plot, over the ends of the series.
  Pen pen(CreatePen(PS_SOLID, 1, kAxisColor));
  SelectGuard usePen(dc, pen.Get());
  SelectGuard noBrush(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, layout.plot.left, layout.plot.top, layout.plot.right + 1, layout.plot.bottom + 1);
}

void CChartCtrl::PaintBackground(HDC dc, int width, int height) const {
  TRIVERTEX v[2] = {};
  v[0].x = 0;
  v[0].y = 0;
  v[0].Red = static_cast<COLOR16>(GetRValue(gradientTop_) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(gradientTop_) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(gradientTop_) << 8);
  v[1].x = width;
  v[1].y = height;
  v[1].Red = static_cast<COLOR16>(GetRValue(gradientBottom_) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(gradientBottom_) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(gradientBottom_) << 8);
  GRADIENT_RECT rect{0, 1};
  if (!GradientFill(dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_V)) FillBox(dc, {0, 0, width, height}, gradientTop_);
}

void CChartCtrl::PaintAxes(HDC dc, const ChartLayout& layout) const {
  const Rect& plot = layout.plot;
  const AxisMap x = XMap(layout);
  const AxisMap y = YMap(layout);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);

  // Left axis: a dotted grid line, a tick and a label per step.
  const double yStep = yStep_ > 0 ? yStep_ : RoundStep(yMin_, yMax_, 10);
  Pen grid(CreatePen(PS_DOT, 1, kGridColor));
  Pen axis(CreatePen(PS_SOLID, 1, kAxisColor));
  for (const double v : AxisTicks(yMin_, yMax_, yStep)) {
    const int py = static_cast<int>(std::lround(y.ToPixel(v)));
    {
      SelectGuard pen(dc, grid.Get());
      MoveToEx(dc, plot.left + 1, py, nullptr);
      LineTo(dc, plot.right, py);
    }
    SelectGuard pen(dc, axis.Get());
    MoveToEx(dc, plot.left - 4, py, nullptr);
    LineTo(dc, plot.left, py);
    DrawText16(dc, TickLabel(v, yStep), RECT{0, py - tm.tmHeight, plot.left - 6, py + tm.tmHeight},
               DT_RIGHT | DT_VCENTER);
  }

  // Bottom axis: a tick per step; labels only as often as they fit side by side.
  const double xStep = xStep_ > 0 ? xStep_ : RoundStep(xMin_, xMax_, 10);
  const std::vector<double> ticks = AxisTicks(xMin_, xMax_, xStep);
  int widest = 0;
  for (const double v : ticks) widest = std::max<int>(widest, TextSize(dc, TickLabel(v, xStep)).cx);
  const double spacing = std::fabs(x.ToPixel(xMin_ + xStep) - x.ToPixel(xMin_));
  const int every = spacing > 0 ? std::max(1, static_cast<int>(std::ceil((widest + 4) / spacing))) : 1;
  SelectGuard pen(dc, axis.Get());
  for (size_t i = 0; i < ticks.size(); ++i) {
    const int px = static_cast<int>(std::lround(x.ToPixel(ticks[i])));
    MoveToEx(dc, px, plot.bottom, nullptr);
    LineTo(dc, px, plot.bottom + 4);
    if (i % static_cast<size_t>(every) != 0) continue;
    DrawText16(dc, TickLabel(ticks[i], xStep), RECT{px - 40, plot.bottom + 5, px + 40, plot.bottom + 5 + tm.tmHeight},
               DT_CENTER | DT_TOP);
  }
}

void CChartCtrl::PaintSeries(HDC dc, const ChartLayout& layout, const ChartSeries& s) const {
  const AxisMap x = XMap(layout);
  const AxisMap y = YMap(layout);
  const Rect& plot = layout.plot;
  switch (s.kind) {
    case ChartSeriesKind::kBar: {
      // Bars rise from the bottom of the plot, so a bar outside the range
      // is cut to it rather than drawn over the axis labels.
      const int half = BarWidth(x, xStep_) / 2;
      Brush fill(CreateSolidBrush(s.color));
      for (const ChartPoint& p : s.points) {
        const double px = x.ToPixel(p.x);
        const auto box = ClipBox(px - half, y.ToPixel(p.y), px + half + 1, plot.bottom, plot);
        if (!box) continue;
        if (!s.outline) {
          const RECT r = ToRect(*box);
          FillRect(dc, &r, fill.Get());
          continue;
        }
        // The frame, lineWidth pixels inwards from the bar's edges.
        const Rect &b = *box;
        const int w = std::min({s.lineWidth, std::max(1, b.Width() / 2),
                                std::max(1, b.Height() / 2)});
        FillBox(dc, {b.left, b.top, b.right, b.top + w}, s.color);
        FillBox(dc, {b.left, b.bottom - w, b.right, b.bottom}, s.color);
        FillBox(dc, {b.left, b.top, b.left + w, b.bottom}, s.color);
        FillBox(dc, {b.right - w, b.top, b.right, b.bottom}, s.color);
      }
      return;
    }
    case ChartSeriesKind::kLine: {
      if (s.points.size() < 2) return;
      PlotClip clip(dc, plot);
      LOGBRUSH brush{BS_SOLID, s.color, 0};
      // Dashes end flat, so the gaps between them stay open.
      const DWORD cap = s.dashed ? PS_ENDCAP_FLAT : PS_ENDCAP_ROUND;
      Pen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | cap | PS_JOIN_ROUND,
                           static_cast<DWORD>(s.lineWidth), &brush, 0,
                           nullptr));
      SelectGuard use(dc, pen.Get());
      for (size_t i = 1; i < s.points.size(); ++i) {
        const PixelSegment whole{
            x.ToPixel(s.points[i - 1].x), y.ToPixel(s.points[i - 1].y),
            x.ToPixel(s.points[i].x), y.ToPixel(s.points[i].y)};
        if (!s.dashed) {
          DrawClippedLine(dc, whole.x0, whole.y0, whole.x1, whole.y1, plot);
          continue;
        }
        for (const PixelSegment &d : DashSegment(whole, kDashLength, kDashGap))
          DrawClippedLine(dc, d.x0, d.y0, d.x1, d.y1, plot);
      }
      return;
    }
    case ChartSeriesKind::kPoint: {
      for (const ChartPoint& p : s.points) {
        const double px = x.ToPixel(p.x), py = y.ToPixel(p.y);
        const double w = s.pointWidth / 2.0, h = s.pointHeight / 2.0;
        const auto box = ClipBox(px - w, py - h, px + w, py + h, Rect{plot.left, plot.top, plot.right + 1, plot.bottom + 1});
        if (box) FillBox(dc, *box, s.color);
      }
      return;
    }
  }
}

void CChartCtrl::PaintBalloon(HDC dc, const ChartLayout& layout, const ChartSeries& s) const {
  if (!s.balloon || s.balloon->point >= s.points.size()) return;
  const ChartPoint p = s.points[s.balloon->point];
  const Rect& plot = layout.plot;
  const double px = XMap(layout).ToPixel(p.x), py = YMap(layout).ToPixel(p.y);
  if (px < plot.left || px > plot.right || py < plot.top || py > plot.bottom) return;
  const SIZE text = TextSize(dc, s.balloon->text);
  const int w = text.cx + 10, h = text.cy + 6, tail = 8;
  // Above the point when there is room, below it otherwise; never past the plot's sides.
  const int ipx = static_cast<int>(std::lround(px)), ipy = static_cast<int>(std::lround(py));
  int left = std::clamp(ipx - w / 2, plot.left + 2, std::max(plot.left + 2, plot.right - 2 - w));
  const bool above = ipy - tail - h >= plot.top + 2;
  const int top = above ? ipy - tail - h : std::min(ipy + tail, plot.bottom - 2 - h);
  Pen border(CreatePen(PS_SOLID, 1, kAxisColor));
  Brush fill(CreateSolidBrush(kBalloonFill));
  SelectGuard usePen(dc, border.Get());
  SelectGuard useBrush(dc, fill.Get());
  const int tailX = std::clamp(ipx, left + 4, left + w - 4);
  const POINT tailPoints[3] = {{tailX - 4, above ? top + h - 1 : top}, {tailX + 4, above ? top + h - 1 : top}, {ipx, ipy}};
  Polygon(dc, tailPoints, 3);
  RoundRect(dc, left, top, left + w, top + h, 6, 6);
  DrawText16(dc, s.balloon->text, RECT{left, top, left + w, top + h}, DT_CENTER | DT_VCENTER);
}

void CChartCtrl::PaintLegend(HDC dc, const ChartLayout& layout) const {
  std::vector<const ChartSeries*> named;
  std::vector<int> widths;
  for (const ChartSeries& s : series_) {
    if (s.name.empty()) continue;
    named.push_back(&s);
    widths.push_back(TextSize(dc, s.name).cx);
  }
  const std::vector<Rect> entries = LegendEntries(layout.legend, widths);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, layout.legend.left, layout.legend.top, layout.legend.right, layout.legend.bottom);
  for (size_t i = 0; i < named.size(); ++i) {
    const Rect& e = entries[i];
    const ChartSeries& s = *named[i];
    const int midY = (e.top + e.bottom) / 2;
    const int sampleRight = e.left + kLegendSampleWidth;
    switch (s.kind) {
    case ChartSeriesKind::kBar:
      if (s.outline) {
        Brush frame(CreateSolidBrush(s.color));
        const RECT r{e.left + 3, midY - 5, sampleRight - 3, e.bottom - 2};
        FrameRect(dc, &r, frame.Get());
      } else {
        FillBox(dc, {e.left + 3, midY - 5, sampleRight - 3, e.bottom - 2},
                s.color);
      }
      break;
    case ChartSeriesKind::kLine: {
      Pen pen(CreatePen(s.dashed ? PS_DASH : PS_SOLID,
                        s.dashed ? 1 : std::min(s.lineWidth, 4), s.color));
      SelectGuard use(dc, pen.Get());
      MoveToEx(dc, e.left, midY, nullptr);
      LineTo(dc, sampleRight, midY);
      break;
      }
      case ChartSeriesKind::kPoint: {
        const int w = std::min(s.pointWidth, 10) / 2 + 1, h = std::min(s.pointHeight, 10) / 2 + 1;
        const int cx = e.left + kLegendSampleWidth / 2;
        FillBox(dc, {cx - w, midY - h, cx + w, midY + h}, s.color);
        break;
      }
    }
    DrawText16(dc, s.name, RECT{sampleRight + kLegendGap, e.top, e.right, e.bottom}, DT_LEFT | DT_VCENTER);
  }
  RestoreDC(dc, saved);
}
