#include "ui/frame/frame_loop_filter_win32.h"

#include <utility>

#include "ui/frame/band_bar_win32.h"
#include "ui/frame/band_layout.h"
#include "ui/frame/login_lock_win32.h"
#include "ui/frame/pane_column_win32.h"

namespace {

bool IsRoutedMouseMessage(UINT message) {
  return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
}

}  // namespace

FrameLoopFilter::FrameLoopFilter(std::function<HWND()> frame, std::function<HWND()> calendar, CBandBar& band,
                                 const PaneColumn& panes, const LoginLock& lock)
    : frame_(std::move(frame)), calendar_(std::move(calendar)), band_(band), panes_(panes), lock_(lock) {}

bool FrameLoopFilter::RouteMouse(MSG& msg) {
  const HWND frame = frame_();
  if (!frame || !IsRoutedMouseMessage(msg.message) || lock_.FlowRunning()) return false;
  if (msg.hwnd != frame && !IsChild(frame, msg.hwnd)) return false;
  // The band, the bar and its panes keep their own mouse messages.
  if (msg.hwnd == band_.Hwnd() || panes_.Contains(msg.hwnd)) return false;
  POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  MapWindowPoints(msg.hwnd, frame, &p, 1);
  if (p.y < kBandHeight || band_.OpenTitle() >= 0) return false;
  // Below the band: no title stays lit.
  if (band_.Hovered() != -1) band_.ForgetPointer(-1);
  if (lock_.Hidden()) {
    // Nothing to route to: the calendar is hidden. A click asks for the login.
    if (msg.message == WM_LBUTTONDOWN && msg.hwnd == frame) lock_.OnLockedClick();
    return false;
  }
  // The calendar's own messages reach it anyway; the frame passes on the
  // ones that landed on it below the band, in calendar coordinates.
  const HWND calendar = calendar_();
  if (calendar && msg.hwnd != calendar) {
    POINT c = p;
    MapWindowPoints(frame, calendar, &c, 1);
    SendMessageW(calendar, msg.message, msg.wParam, MAKELPARAM(c.x, c.y));
  }
  return false;
}

bool FrameLoopFilter::RouteKey(MSG& msg) {
  const HWND frame = frame_();
  if (!frame || lock_.FlowRunning()) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR) return false;
  if (msg.hwnd != frame && !IsChild(frame, msg.hwnd)) return false;
  if (msg.message == WM_SYSCHAR) {
    const wchar_t key = static_cast<wchar_t>(msg.wParam);
    if (band_.TitleForKey(key) < 0) return false;  // Alt+Space and the like keep their meaning
    // The menu opens inside the frame's window procedure, as the band's own
    // access key (F10, Alt) does.
    SendMessageW(frame, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(key));
    return true;
  }
  if (msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  // Only a control that asks for Tab itself keeps it (DLGC_WANTALLKEYS, which
  // the calendar and multi-line edits give for Enter, is no such request).
  if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB) return false;
  // The dialog navigation over the whole window: the frame's children in
  // their order (Back, Next, the calendar, the pane bar), stepping into the
  // bar and its panes, which are control parents. Each pane's own dialog
  // navigation would keep Tab inside that pane.
  const HWND focus = GetFocus();
  const bool inside = focus && IsChild(frame, focus);
  const bool back = GetKeyState(VK_SHIFT) < 0;
  const HWND next = GetNextDlgTabItem(frame, inside ? focus : nullptr, inside && back);
  if (next && next != focus) {
    SetFocus(next);
    // An edit field shows its whole text selected, as in a dialog.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
  }
  SendMessageW(frame, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  return true;
}
