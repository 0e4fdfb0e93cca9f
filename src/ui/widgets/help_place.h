#pragma once

// Where the help window goes: beside the window that asked for it, inside
// the work area, never over that window when the screen leaves room, and
// never running off a small screen. No window code.

struct HelpPlaceRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  [[nodiscard]] constexpr int Width() const { return right - left; }
  [[nodiscard]] constexpr int Height() const { return bottom - top; }
  friend constexpr bool operator==(const HelpPlaceRect&, const HelpPlaceRect&) = default;
};

// The narrowest the help window is made before it is allowed to cover the
// asker.
inline constexpr int kHelpLeastWidth = 360;

// The help window's rectangle: wanted is the size it would like, asker the
// window it explains, work the work area of asker's monitor.
[[nodiscard]] HelpPlaceRect PlaceHelpWindow(const HelpPlaceRect& asker, int wantedWidth, int wantedHeight,
                                            const HelpPlaceRect& work);
