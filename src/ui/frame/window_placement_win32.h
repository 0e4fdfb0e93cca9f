#pragma once

#include <windows.h>

#include <functional>

#include "ui/frame/window_fit.h"

class OptionsManager;

// Where the main window stands: made at the stored rectangle held inside the
// work area, no smaller than its minimum, maximized over the work area,
// shown again as it was left, and its rectangle stored when it goes.
class WindowPlacement {
 public:
  using MonitorAreas = std::function<bool(HMONITOR monitor, RECT& work, RECT& whole)>;
  static constexpr int kMinWidth = 900;
  static constexpr int kMinHeight = 800;

  // areas null asks the system.
  WindowPlacement(OptionsManager& options, MonitorAreas areas);

  // The rectangle the window is made at.
  [[nodiscard]] ScreenRect InitialRect() const;
  void OnGetMinMaxInfo(HWND window, MINMAXINFO& info) const;
  // Remembers whether the window is maximized (a WM_SIZE that is not a minimize).
  void OnSize(WPARAM kind) { wasMaximized_ = kind == SIZE_MAXIMIZED; }
  // Shown as it was (maximized when it was) and brought to the front.
  void ShowAsBefore(HWND window) const;
  // The window's normal rectangle into the settings, and the settings saved;
  // once, whichever way the window goes.
  void StoreAndSave(HWND window);
  [[nodiscard]] bool WasMaximized() const { return wasMaximized_; }

 private:
  bool Areas(HMONITOR monitor, ScreenRect& work, ScreenRect& whole) const;

  OptionsManager& options_;
  MonitorAreas areas_;
  bool wasMaximized_ = false;
  bool saved_ = false;
};
