#include "ui/frame/window_fit.h"

#include <algorithm>

ScreenRect WorkspaceToScreen(const ScreenRect& normal, const ScreenRect& workArea, const ScreenRect& monitor) {
  const int dx = workArea.left - monitor.left;
  const int dy = workArea.top - monitor.top;
  return ScreenRect{normal.left + dx, normal.top + dy, normal.right + dx, normal.bottom + dy};
}

ScreenSize MinimumWindowSize(ScreenSize wanted, const ScreenRect& workArea) {
  // A work area of no size (no monitor found) leaves the wanted size.
  if (workArea.Width() <= 0 || workArea.Height() <= 0) return wanted;
  return ScreenSize{std::min(wanted.width, workArea.Width()), std::min(wanted.height, workArea.Height())};
}

ScreenRect FitIntoWorkArea(const ScreenRect& rect, const ScreenRect& workArea) {
  if (workArea.Width() <= 0 || workArea.Height() <= 0) return rect;
  const int width = std::clamp(rect.Width(), 0, workArea.Width());
  const int height = std::clamp(rect.Height(), 0, workArea.Height());
  const int left = std::clamp(rect.left, workArea.left, workArea.right - width);
  const int top = std::clamp(rect.top, workArea.top, workArea.bottom - height);
  return ScreenRect{left, top, left + width, top + height};
}
