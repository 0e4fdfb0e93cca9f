#include "ui/frame/window_placement_win32.h"

#include <algorithm>
#include <cwchar>

#include "env/debug_log_win32.h"
#include "settings/options_manager.h"

namespace {

ScreenRect ToScreenRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

WindowPlacement::WindowPlacement(OptionsManager& options, MonitorAreas areas)
    : options_(options), areas_(std::move(areas)) {}

// The work area and the whole area of the monitor a window or rectangle is on.
bool WindowPlacement::Areas(HMONITOR monitor, ScreenRect& work, ScreenRect& whole) const {
  RECT workRect{}, wholeRect{};
  if (areas_) {
    if (!areas_(monitor, workRect, wholeRect)) return false;
  } else {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return false;
    workRect = info.rcWork;
    wholeRect = info.rcMonitor;
  }
  work = ToScreenRect(workRect);
  whole = ToScreenRect(wholeRect);
  return true;
}

// Made where it is going to stay, at its final size: a window moved after
// its creation lays out its band, calendar and panes a second time. The
// stored rectangle is grown to the minimum size first and then held inside
// the work area of its monitor, so a laptop screen shows the whole window,
// title bar included.
ScreenRect WindowPlacement::InitialRect() const {
  const OptionsManager& o = options_;
  ScreenRect placed{o.x1, o.y1, o.x2, o.y2};
  const RECT stored{o.x1, o.y1, o.x2, o.y2};
  ScreenRect work, whole;
  if (Areas(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), work, whole)) {
    const ScreenSize minimum = MinimumWindowSize(ScreenSize{kMinWidth, kMinHeight}, work);
    placed.right = placed.left + std::max(placed.Width(), minimum.width);
    placed.bottom = placed.top + std::max(placed.Height(), minimum.height);
    placed = FitIntoWorkArea(placed, work);
  }
  return placed;
}

void WindowPlacement::OnGetMinMaxInfo(HWND window, MINMAXINFO& info) const {
  ScreenSize minimum{kMinWidth, kMinHeight};
  ScreenRect work, whole;
  const bool known = Areas(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), work, whole);
  if (known) minimum = MinimumWindowSize(minimum, work);
  info.ptMinTrackSize.x = minimum.width;
  info.ptMinTrackSize.y = minimum.height;
  // Maximized, the window fills the work area (the screen less the taskbar):
  // its client area is on screen whole, the sizing borders just beyond.
  if (known && work.Width() > 0) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_THICKFRAME, FALSE, 0);
    const LONG border = -frame.left;
    info.ptMaxPosition.x = work.left - whole.left - border;
    info.ptMaxPosition.y = work.top - whole.top - border;
    info.ptMaxSize.x = work.Width() + 2 * border;
    info.ptMaxSize.y = work.Height() + 2 * border;
  }
}

void WindowPlacement::ShowAsBefore(HWND window) const {
  if (wasMaximized_) {
    ShowWindow(window, SW_SHOWMAXIMIZED);
  } else {
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
  }
  SetForegroundWindow(window);
}

void WindowPlacement::StoreAndSave(HWND window) {
  if (saved_) return;
  saved_ = true;
  // A minimized (hidden) or maximized window keeps its normal rectangle in
  // its placement; that is the one to come back to. The placement gives it in
  // work-area coordinates, the stored rectangle is in screen coordinates.
  RECT r{};
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  const bool normal = !IsIconic(window) && !IsZoomed(window);
  if (normal ? GetWindowRect(window, &r) != FALSE : GetWindowPlacement(window, &placement) != FALSE) {
    if (!normal) {
      r = placement.rcNormalPosition;
      ScreenRect work, whole;
      if (Areas(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), work, whole)) {
        const ScreenRect screen = WorkspaceToScreen(ToScreenRect(r), work, whole);
        r = RECT{screen.left, screen.top, screen.right, screen.bottom};
      }
    }
    options_.x1 = r.left;
    options_.y1 = r.top;
    options_.x2 = r.right;
    options_.y2 = r.bottom;
  } else {
    LogLastError(L"GetWindowRect");
  }
  // The settings at exit: a failure is logged; there is no window left to tell her in.
  if (options_.Save() != SettingsSaveResult::kDone && options_.LastSaveFailures() > 0) {
    wchar_t line[96];
    std::swprintf(line, 96, L"saving the settings: %d registry calls failed", options_.LastSaveFailures());
    LogMessage(line);
  }
}
