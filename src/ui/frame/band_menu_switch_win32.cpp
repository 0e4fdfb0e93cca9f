#include "ui/frame/band_menu_switch_win32.h"

#include <windowsx.h>

#include <utility>

#include "env/debug_log_win32.h"

namespace {

// The switch of the menu open on this thread (menus are modal per thread).
thread_local BandMenuSwitch* g_active = nullptr;

}  // namespace

BandMenuSwitch::BandMenuSwitch(int openTitle, std::function<int(POINT screen)> titleAt, int titleCount)
    : open_(openTitle), titleAt_(std::move(titleAt)), titleCount_(titleCount) {
  hook_ = SetWindowsHookExW(WH_MSGFILTER, FilterProc, nullptr, GetCurrentThreadId());
  if (!hook_) {
    LogLastError(L"SetWindowsHookEx(WH_MSGFILTER)");
    return;
  }
  outer_ = std::exchange(g_active, this);
}

BandMenuSwitch::~BandMenuSwitch() {
  if (!hook_) return;
  UnhookWindowsHookEx(hook_);
  g_active = outer_;
}

void BandMenuSwitch::OnMenuMouseMove(POINT screen) {
  if (next_ >= 0) return;
  const int title = titleAt_(screen);
  if (title < 0 || title == open_) return;
  next_ = title;
  EndMenu();
}

bool BandMenuSwitch::OnMenuKey(WPARAM key) {
  if (next_ >= 0 || titleCount_ <= 1 || (key != VK_LEFT && key != VK_RIGHT)) return false;
  next_ = (open_ + (key == VK_RIGHT ? 1 : titleCount_ - 1)) % titleCount_;
  byKey_ = true;
  EndMenu();
  return true;
}

// Inside the menu loop the mouse messages carry screen coordinates in lParam,
// synthetic ones included.
LRESULT CALLBACK BandMenuSwitch::FilterProc(int code, WPARAM wp, LPARAM lp) noexcept {
  if (code == MSGF_MENU && g_active && lp) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lp);
    if (msg.message == WM_MOUSEMOVE) {
      try {
        g_active->OnMenuMouseMove(POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
      } catch (...) {
        // Nothing to switch to; the menu stays as it is.
      }
    } else if (msg.message == WM_KEYDOWN && g_active->OnMenuKey(msg.wParam)) {
      return TRUE;  // the menu does not see the arrow that closed it
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
