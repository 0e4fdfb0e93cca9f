#include "ui/widgets/skin_button_win32.h"

#include <commctrl.h>

#include <string>

#include "env/debug_log_win32.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x534B4E42;  // "SKNB"

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB) {
  const auto channel = [&](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB) / 100; };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

}  // namespace

// Arial with 12-pixel characters at their natural width: a 12-pixel average
// width makes the texts so wide that "Statistic" no longer fits its button,
// and a 12-pixel cell reads smaller than the panes' other texts.
Font CreateSkinButtonFont() {
  return Font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
}

CSkinButton::~CSkinButton() { Detach(); }

bool CSkinButton::Attach(HWND button, HINSTANCE module, int iconId, HFONT font) {
  Detach();
  if (!button) return false;
  hwnd_ = button;
  font_ = font;
  if (iconId != 0) {
    icon_.Reset(static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR)));
    if (!icon_) LogLastError(L"LoadImageW (button icon)");
  }
  if (font_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (!SetWindowSubclass(hwnd_, &CSkinButton::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    LogLastError(L"SetWindowSubclass");
  }
  return true;
}

void CSkinButton::Detach() {
  if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &CSkinButton::SubclassProc, kSubclassId);
  hwnd_ = nullptr;
  hot_ = false;
}

void CSkinButton::SetBackground(COLORREF colour) {
  background_ = colour;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

// Hot tracking needs the mouse moves and the leave message, which an
// owner-drawn button does not pass on; a double click is taken as a second
// click, as a link would.
LRESULT CSkinButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      hot_ = false;
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case WM_LBUTTONDBLCLK: return DefSubclassProc(hwnd_, WM_LBUTTONDOWN, wp, lp);
    case WM_ERASEBKGND: return TRUE;  // Draw fills the whole button
    default: break;
  }
  return DefSubclassProc(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK CSkinButton::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR self) noexcept {
  auto* button = reinterpret_cast<CSkinButton*>(self);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &CSkinButton::SubclassProc, kSubclassId);
    if (button && button->hwnd_ == hwnd) button->hwnd_ = nullptr;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  if (!button || button->hwnd_ != hwnd) return DefSubclassProc(hwnd, msg, wp, lp);
  try {
    return button->OnMessage(msg, wp, lp);
  } catch (...) {
    LogMessage(L"exception in a skinned button");
    return 0;
  }
}

bool CSkinButton::Fits(const std::wstring& text) const {
  RECT client{};
  if (!hwnd_ || !GetClientRect(hwnd_, &client)) return true;
  const HDC dc = GetDC(hwnd_);
  if (!dc) return true;
  SIZE size{};
  {
    SelectGuard useFont(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  }
  ReleaseDC(hwnd_, dc);
  // One pixel for the shift of a pressed button.
  return size.cx <= client.right - kTextLeft - kTextRight - 1;
}

void CSkinButton::Draw(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;

  Brush back(CreateSolidBrush(background_));
  FillRect(dc, &r, back.Get());
  if ((hot_ || pressed) && !disabled) {
    // A rounded tint behind the content: lighter when hot, darker when pressed.
    Brush tint(CreateSolidBrush(pressed ? Mix(background_, RGB(0, 0, 0), 12) : Mix(background_, RGB(255, 255, 255), 45)));
    Pen edge(CreatePen(PS_SOLID, 1, Mix(background_, RGB(0, 0, 0), pressed ? 35 : 20)));
    SelectGuard useBrush(dc, tint.Get());
    SelectGuard usePen(dc, edge.Get());
    RoundRect(dc, r.left, r.top, r.right, r.bottom, 6, 6);
  }

  const int shift = pressed ? 1 : 0;
  const int height = r.bottom - r.top;
  const int iconX = r.left + kTextLeft - kIconSize - 3 + shift;
  if (icon_) {
    DrawIconEx(dc, iconX, r.top + (height - kIconSize) / 2 + shift, icon_.Get(), kIconSize, kIconSize, 0, nullptr,
               DI_NORMAL);
  }

  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
  RECT textRect{r.left + kTextLeft + shift, r.top + shift, r.right - kTextRight + shift, r.bottom + shift};
  SelectGuard useFont(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : kTextColour);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);

  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = r;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}
