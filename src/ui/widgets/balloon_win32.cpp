#include "ui/widgets/balloon_win32.h"

#include <commctrl.h>

#include "env/debug_log_win32.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
// Far from the tooltip control's own timer ids (1-3), which share its window.
constexpr UINT_PTR kCloseTimerId = 0x7B01;
constexpr UINT_PTR kToolId = 1;
// Wide enough for the 40-letter lines of a day tip; a positive width also
// makes the control honour the line breaks in the text.
constexpr int kMaxTipWidth = 400;

}  // namespace

bool BalloonMessage::Show(HWND owner, POINT anchor, const std::wstring& title, const std::wstring& text) {
  Close();
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)registered;

  const HWND tip = CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON | TTS_CLOSE,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!tip) {
    LogLastError(L"CreateWindowExW(tooltip)");
    return false;
  }
  if (!SetWindowSubclass(tip, &BalloonMessage::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    LogLastError(L"SetWindowSubclass");
    DestroyWindow(tip);
    return false;
  }
  tip_ = tip;
  text_ = text;
  title_ = title;

  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner;
  tool.uId = kToolId;
  tool.lpszText = text_.data();
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  SendMessageW(tip, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(title.c_str()));
  SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(anchor.x, anchor.y));
  SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  SetTimer(tip, kCloseTimerId, timeoutMs_, nullptr);
  return true;
}

void BalloonMessage::Close() {
  if (tip_) DestroyWindow(tip_);  // WM_NCDESTROY below forgets it
  tip_ = nullptr;
}

// The tooltip control is not ours, so its time-out and its end are caught
// on the way in: the close timer destroys it, and its destruction (by us, by
// the owner going away, or by the close button's pop) clears our handle.
LRESULT CALLBACK BalloonMessage::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                              DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<BalloonMessage*>(data);
  switch (msg) {
    case WM_TIMER:
      if (wp == kCloseTimerId) {
        KillTimer(hwnd, kCloseTimerId);
        DestroyWindow(hwnd);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      KillTimer(hwnd, kCloseTimerId);
      RemoveWindowSubclass(hwnd, &BalloonMessage::SubclassProc, id);
      if (self && self->tip_ == hwnd) self->tip_ = nullptr;
      break;
    default: break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}
