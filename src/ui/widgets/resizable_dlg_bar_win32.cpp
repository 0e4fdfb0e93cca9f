#include "ui/widgets/resizable_dlg_bar_win32.h"

#include "ui/widgets/message_loop_win32.h"

class CResizableDlgBar::LoopFilter final : public MessageFilter {
 public:
  explicit LoopFilter(CResizableDlgBar& bar) : bar_(bar) {}
  bool PreTranslateMessage(MSG& msg) override { return bar_.FilterMessage(msg); }

 private:
  CResizableDlgBar& bar_;
};

CResizableDlgBar::CResizableDlgBar() : loopFilter_(std::make_unique<LoopFilter>(*this)) {}

CResizableDlgBar::~CResizableDlgBar() {
  if (MessageLoop* loop = MessageLoop::Current()) loop->RemoveFilter(loopFilter_.get());
}

bool CResizableDlgBar::CreateBar(HWND parent, const RECT& rect, int id) {
  WNDCLASSEXW wc{};
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc)) return false;
  if (!Create(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.left, rect.top,
              rect.right - rect.left, rect.bottom - rect.top, parent,
              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)))) {
    return false;
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    LOGFONTW font = metrics.lfMessageFont;
    font.lfWeight = FW_BOLD;
    titleFont_.Reset(CreateFontIndirectW(&font));
  }
  if (MessageLoop* loop = MessageLoop::Current()) loop->AddFilter(loopFilter_.get());
  return true;
}

size_t CResizableDlgBar::AddPane(std::wstring title, HWND pane) {
  Section section;
  section.title = std::move(title);
  section.title.resize(std::min(section.title.size(), kPaneTitleMaxLength));
  section.pane = pane;
  RECT r{};
  if (pane && GetWindowRect(pane, &r)) section.paneHeight = r.bottom - r.top;
  if (pane) ShowWindow(pane, SW_HIDE);
  sections_.push_back(std::move(section));
  return sections_.size() - 1;
}

void CResizableDlgBar::SetTitle(size_t index, std::wstring title) {
  if (index >= sections_.size()) return;
  title.resize(std::min(title.size(), kPaneTitleMaxLength));
  sections_[index].title = std::move(title);
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

std::wstring CResizableDlgBar::Title(size_t index) const {
  return index < sections_.size() ? sections_[index].title : std::wstring();
}

void CResizableDlgBar::SetColors(COLORREF background, COLORREF band, COLORREF text) {
  background_ = background;
  band_ = band;
  text_ = text;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

bool CResizableDlgBar::IsExpanded(size_t index) const {
  return index < sections_.size() && sections_[index].expanded;
}

void CResizableDlgBar::SetExpanded(size_t index, bool expanded) {
  if (index >= sections_.size() || sections_[index].expanded == expanded) return;
  sections_[index].expanded = expanded;
  Layout();
}

RECT CResizableDlgBar::BandRect(size_t index) const {
  if (index >= placements_.size()) return RECT{};
  const Rect& b = placements_[index].band;
  return RECT{b.left, b.top, b.right, b.bottom};
}

void CResizableDlgBar::SetElasticPane(size_t index, std::function<PaneHeights()> heights,
                                      std::function<void(int)> resize) {
  elastic_ = index;
  elasticHeights_ = std::move(heights);
  elasticResize_ = std::move(resize);
  Layout();
}

void CResizableDlgBar::Layout() {
  if (!Hwnd()) return;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  std::vector<PaneSectionState> states;
  states.reserve(sections_.size());
  for (const Section& s : sections_) states.push_back({s.paneHeight, s.expanded});
  if (elastic_ < sections_.size() && sections_[elastic_].expanded && elasticHeights_ && elasticResize_) {
    const int height = ElasticPaneHeight(client.bottom, states, elastic_, elasticHeights_());
    if (height != sections_[elastic_].paneHeight) {
      elasticResize_(height);
      sections_[elastic_].paneHeight = height;
      states[elastic_].paneHeight = height;
    }
  }
  placements_ = LayoutPaneSections(client.right, states);
  HDWP defer = BeginDeferWindowPos(static_cast<int>(sections_.size()));
  for (size_t i = 0; i < sections_.size(); ++i) {
    const HWND pane = sections_[i].pane;
    if (!pane) continue;
    const PaneSectionPlacement& p = placements_[i];
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (p.paneVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    const int height = p.paneVisible ? p.pane.bottom - p.pane.top : sections_[i].paneHeight;
    if (defer) {
      defer = DeferWindowPos(defer, pane, nullptr, p.pane.left, p.pane.top, p.pane.right - p.pane.left, height, flags);
    } else {
      SetWindowPos(pane, nullptr, p.pane.left, p.pane.top, p.pane.right - p.pane.left, height, flags);
    }
  }
  if (defer) EndDeferWindowPos(defer);
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

bool CResizableDlgBar::FilterMessage(const MSG& msg) {
  if (!Hwnd() || msg.hwnd != Hwnd()) return false;
  switch (msg.message) {
    case WM_MOUSEMOVE:
      if (mouseMoveHook_) mouseMoveHook_();
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: return true;
    default: return false;
  }
}

int CResizableDlgBar::SectionAtPoint(POINT p) const { return PaneSectionAt(placements_, p.x, p.y); }

LRESULT CResizableDlgBar::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wp) == Hwnd() && LOWORD(lp) == HTCLIENT) {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(Hwnd(), &p);
    SetCursor(LoadCursorW(nullptr, SectionAtPoint(p) >= 0 ? IDC_HAND : IDC_ARROW));
    return TRUE;
  }
  if (msg == kRelayoutMessage) {
    Layout();
    return 0;
  }
  if (msg == WM_PRINTCLIENT) {
    RECT c{};
    GetClientRect(Hwnd(), &c);
    PaintBar(reinterpret_cast<HDC>(wp), c.right, c.bottom);
    return 0;
  }
  return CWindow::HandleMessage(msg, wp, lp);
}

LRESULT CResizableDlgBar::OnLButtonUp(WPARAM, LPARAM lp) {
  const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  const int section = SectionAtPoint(p);
  if (section >= 0) {
    sections_[static_cast<size_t>(section)].expanded = !sections_[static_cast<size_t>(section)].expanded;
    Layout();
    UpdateWindow(Hwnd());
  }
  return 0;
}

LRESULT CResizableDlgBar::OnSize(WPARAM, LPARAM) {
  Layout();
  return 0;
}

LRESULT CResizableDlgBar::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CResizableDlgBar::OnPaint(WPARAM, LPARAM) {
  PaintDC paint(Hwnd());
  RECT c{};
  GetClientRect(Hwnd(), &c);
  if (c.right <= 0 || c.bottom <= 0) return 0;
  if (const HDC dc = buffer_.Prepare(paint.Get(), c.right, c.bottom)) {
    PaintBar(dc, c.right, c.bottom);
    buffer_.Present(paint.Get(), c);
    // The bar is drawn whole every time and seldom: nothing to keep.
    buffer_.Release();
  } else {
    PaintBar(paint.Get(), c.right, c.bottom);
  }
  return 0;
}

void CResizableDlgBar::PaintBar(HDC dc, int width, int height) {
  const Brush background(CreateSolidBrush(background_));
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, background.Get());
  const Brush band(CreateSolidBrush(band_));
  const Pen edge(CreatePen(PS_SOLID, 1, band_));
  SelectGuard brushGuard(dc, band.Get());
  SelectGuard penGuard(dc, edge.Get());
  SelectGuard fontGuard(dc, titleFont_ ? static_cast<HGDIOBJ>(titleFont_.Get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_);
  const int diameter = 2 * kPaneBandCornerRadius;
  for (size_t i = 0; i < sections_.size() && i < placements_.size(); ++i) {
    const Rect& b = placements_[i].band;
    // Rounded at the top, square below, so the band sits on its pane.
    RoundRect(dc, b.left, b.top, b.right, b.bottom, diameter, diameter);
    RECT lower{b.left, b.top + (b.bottom - b.top) / 2, b.right, b.bottom};
    FillRect(dc, &lower, band.Get());
    RECT text{b.left, b.top, b.right, b.bottom};
    DrawTextW(dc, sections_[i].title.c_str(), static_cast<int>(sections_[i].title.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX | DT_END_ELLIPSIS);
  }
}

LRESULT CResizableDlgBar::OnDestroy(WPARAM wp, LPARAM lp) {
  if (MessageLoop* loop = MessageLoop::Current()) loop->RemoveFilter(loopFilter_.get());
  return DefaultProc(WM_DESTROY, wp, lp);
}
