#include "ui/widgets/taskbar_notifier_win32.h"

#include <vector>

#include "env/debug_log_win32.h"

CTaskbarNotifier::CTaskbarNotifier() = default;

CTaskbarNotifier::~CTaskbarNotifier() {
  // The window goes before the skin and fonts it paints with.
  if (const HWND hwnd = Hwnd()) DestroyWindow(hwnd);
}

bool CTaskbarNotifier::CreatePopup(HWND owner) {
  owner_ = owner;
  WNDCLASSEXW wc{};
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc)) return false;
  hand_ = LoadCursorW(nullptr, IDC_HAND);
  return Create(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, owner) != nullptr;
}

bool CTaskbarNotifier::LoadSkin(HINSTANCE module, UINT bitmapId, int red, int green, int blue) {
  skin_.Reset();
  hasRegion_ = false;
  const auto bitmap = static_cast<HBITMAP>(
      LoadImageW(module ? module : GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0,
                 LR_CREATEDIBSECTION));
  if (!bitmap) {
    LogLastError(L"LoadImage(popup skin)");
    return false;
  }
  skin_.Reset(bitmap);
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  size_ = SIZE{info.bmWidth, std::abs(info.bmHeight)};
  textArea_ = RECT{0, 0, size_.cx, size_.cy};
  if (red == -1 || green == -1 || blue == -1) return true;
  return ApplyRegion(RGB(red, green, blue));
}

// The shape is the skin less every pixel of the key colour, cut out in runs
// along each row.
bool CTaskbarNotifier::ApplyRegion(COLORREF key) {
  const int w = size_.cx;
  const int h = size_.cy;
  BITMAPINFO bi = TopDownDibInfo(w, h, 24);
  const int stride = DibRowBytes(w, 24);
  std::vector<BYTE> bits(static_cast<size_t>(stride) * static_cast<size_t>(h));
  {
    const ClientDC screen(nullptr);
    if (GetDIBits(screen.Get(), skin_.Get(), 0, static_cast<UINT>(h), bits.data(), &bi, DIB_RGB_COLORS) == 0) {
      LogLastError(L"GetDIBits(popup skin)");
      return false;
    }
  }
  Region shape(CreateRectRgn(0, 0, w, h));
  const BYTE r = GetRValue(key), g = GetGValue(key), b = GetBValue(key);
  for (int y = 0; y < h; ++y) {
    const BYTE* row = bits.data() + static_cast<size_t>(y) * static_cast<size_t>(stride);
    for (int x = 0; x < w;) {
      auto isKey = [&](int px) { return row[px * 3] == b && row[px * 3 + 1] == g && row[px * 3 + 2] == r; };
      if (!isKey(x)) {
        ++x;
        continue;
      }
      const int from = x;
      while (x < w && isKey(x)) ++x;
      const Region run(CreateRectRgn(from, y, x, y + 1));
      CombineRgn(shape.Get(), shape.Get(), run.Get(), RGN_DIFF);
    }
  }
  // The window owns the region once it is set.
  if (!SetWindowRgn(Hwnd(), shape.Get(), TRUE)) {
    LogLastError(L"SetWindowRgn(popup)");
    return false;
  }
  [[maybe_unused]] const HRGN owned = shape.Release();
  hasRegion_ = true;
  return true;
}

void CTaskbarNotifier::SetFonts(const wchar_t* face, int tenthsOfPoint, int normalStyle, int hoverStyle) {
  const ClientDC screen(nullptr);
  const int height = -MulDiv(tenthsOfPoint, GetDeviceCaps(screen.Get(), LOGPIXELSY), 720);
  auto make = [&](int style) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = (style & kBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & kItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style & kUnderline) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return Font(CreateFontIndirectW(&lf));
  };
  normalFont_ = make(normalStyle);
  hoverFont_ = make(hoverStyle);
}

void CTaskbarNotifier::SetTextColours(COLORREF normal, COLORREF hover) {
  normalColour_ = normal;
  hoverColour_ = hover;
  if (Hwnd()) {
    InvalidateRect(Hwnd(), nullptr, FALSE);
    UpdateWindow(Hwnd());
  }
}

void CTaskbarNotifier::SetTextArea(const RECT& area) { textArea_ = area; }

void CTaskbarNotifier::ShowText(std::wstring text, int showMs, int stayMs, int hideMs) {
  text_ = std::move(text);
  showMs_ = showMs;
  stayMs_ = stayMs;
  hideMs_ = hideMs;
  if (!Hwnd()) return;
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  const SlideArea area{work.left, work.top, work.right, work.bottom};
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  switch (state_) {
    case State::kHidden:
      plan_ = PlanSlide(area, screenWidth, screenHeight, size_.cx, size_.cy, showMs_, hideMs_);
      at_ = plan_.start;
      // Placed outside the work area before it is shown, so it never
      // flashes where it does not belong; never activated.
      SetWindowPos(Hwnd(), HWND_TOP, at_.x, at_.y, size_.cx, size_.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
      Restart(kShowTimer, plan_.showStepMs);
      break;
    case State::kSlidingIn: InvalidateRect(Hwnd(), nullptr, FALSE); break;
    case State::kStaying:
      InvalidateRect(Hwnd(), nullptr, FALSE);
      Restart(kStayTimer, stayMs_);
      break;
    case State::kSlidingOut:
      // Back to fully shown with the new text; after the stay it slides out again.
      KillTimer(Hwnd(), kHideTimer);
      Restart(kStayTimer, stayMs_);
      at_ = plan_.shown;
      MoveToCurrent();
      InvalidateRect(Hwnd(), nullptr, FALSE);
      break;
  }
}

// All three timers go, whatever the state: a timer left running would slide
// an invisible window and leave the next message hidden.
void CTaskbarNotifier::HidePopup() {
  if (!Hwnd()) return;
  for (const UINT_PTR timer : {kShowTimer, kStayTimer, kHideTimer}) KillTimer(Hwnd(), timer);
  // Shown from ShowText on, though still kHidden until the first slide step.
  const bool wasShown = IsWindowVisible(Hwnd()) != FALSE;
  SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  state_ = State::kHidden;
  SetHovered(false);
  if (wasShown && onHidden_) onHidden_();
}

void CTaskbarNotifier::Restart(UINT_PTR timer, int ms) const {
  // A delay of 0 becomes the system's shortest timer interval.
  SetTimer(Hwnd(), timer, static_cast<UINT>(ms > 0 ? ms : 0), nullptr);
}

void CTaskbarNotifier::MoveToCurrent() const {
  SetWindowPos(Hwnd(), nullptr, at_.x, at_.y, size_.cx, size_.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CTaskbarNotifier::OnTimer(WPARAM wp, LPARAM lp) {
  switch (wp) {
    case kShowTimer:
      state_ = State::kSlidingIn;
      if (!StepIn(plan_, at_)) {
        KillTimer(Hwnd(), kShowTimer);
        Restart(kStayTimer, stayMs_);
        state_ = State::kStaying;
      }
      MoveToCurrent();
      return 0;
    case kStayTimer:
      KillTimer(Hwnd(), kStayTimer);
      Restart(kHideTimer, plan_.hideStepMs);
      return 0;
    case kHideTimer:
      state_ = State::kSlidingOut;
      if (!StepOut(plan_, at_)) {
        KillTimer(Hwnd(), kHideTimer);
        HidePopup();
        return 0;
      }
      MoveToCurrent();
      return 0;
    default: return DefaultProc(WM_TIMER, wp, lp);
  }
}

void CTaskbarNotifier::PaintTo(HDC dc) const {
  if (skin_) {
    MemoryDC source(dc);
    const SelectGuard select(source.Get(), skin_.Get());
    BitBlt(dc, 0, 0, size_.cx, size_.cy, source.Get(), 0, 0, SRCCOPY);
  }
  if (text_.empty()) return;
  const Font& font = hovered_ ? hoverFont_ : normalFont_;
  const SelectGuard selectFont(dc, font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, hovered_ ? hoverColour_ : normalColour_);
  SetBkMode(dc, TRANSPARENT);
  // DT_END_ELLIPSIS may write into the text; it gets room of its own.
  std::wstring buffer = text_;
  buffer.resize(text_.size() + 10, L'\0');
  RECT area = textArea_;
  DrawTextW(dc, buffer.data(), static_cast<int>(text_.size()), &area,
            DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
}

LRESULT CTaskbarNotifier::OnPaint(WPARAM, LPARAM) {
  PaintDC paint(Hwnd());
  if (size_.cx <= 0 || size_.cy <= 0) return 0;
  if (const HDC buffer = buffer_.Prepare(paint.Get(), size_.cx, size_.cy)) {
    PaintTo(buffer);
    const RECT all{0, 0, size_.cx, size_.cy};
    buffer_.Present(paint.Get(), all);
  } else {
    PaintTo(paint.Get());
  }
  return 0;
}

// The paint covers everything with the skin.
LRESULT CTaskbarNotifier::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CTaskbarNotifier::OnMouseMove(WPARAM, LPARAM) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_HOVER | TME_LEAVE;
  track.hwndTrack = Hwnd();
  track.dwHoverTime = 1;
  TrackMouseEvent(&track);
  return 0;
}

LRESULT CTaskbarNotifier::OnMouseLeave(WPARAM, LPARAM) {
  SetHovered(false);
  return 0;
}

LRESULT CTaskbarNotifier::OnLButtonUp(WPARAM, LPARAM) {
  if (owner_) PostMessageW(owner_, kClickedMessage, 0, 0);
  return 0;
}

void CTaskbarNotifier::SetHovered(bool hovered) {
  if (hovered_ == hovered) return;
  hovered_ = hovered;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

LRESULT CTaskbarNotifier::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEHOVER: SetHovered(true); return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        if (!hand_) hand_ = LoadCursorW(nullptr, IDC_HAND);
        SetCursor(hand_);
        return TRUE;
      }
      return DefaultProc(msg, wp, lp);
    default: return CWindow::HandleMessage(msg, wp, lp);
  }
}
