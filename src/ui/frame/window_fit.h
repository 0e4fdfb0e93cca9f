#pragma once

// Where the main window may go on the screen she has: its minimum size and
// stored rectangle held inside the monitor's work area (the screen without
// the taskbar), and the rectangle Windows keeps for a minimized or maximized
// window brought back to screen coordinates.

#include "env/rect.h"

// A rectangle in screen coordinates.
using ScreenRect = Rect;

struct ScreenSize {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

// The window placement's normal rectangle is in work-area coordinates: with
// the taskbar at the top or on the left, they differ from the screen's by
// the taskbar's size. This gives the same rectangle in screen coordinates.
[[nodiscard]] ScreenRect WorkspaceToScreen(const ScreenRect& normal, const ScreenRect& workArea,
                                           const ScreenRect& monitor);

// The window's minimum size, never larger than the work area, so a laptop's
// 1366 x 768 or 1280 x 720 screen holds the whole window.
[[nodiscard]] ScreenSize MinimumWindowSize(ScreenSize wanted, const ScreenRect& workArea);

// A stored rectangle made to fit the work area: no larger than it, and moved
// inside it when it hangs over an edge (a screen that became smaller, a
// rectangle from another monitor).
[[nodiscard]] ScreenRect FitIntoWorkArea(const ScreenRect& rect, const ScreenRect& workArea);
