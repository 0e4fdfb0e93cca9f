#pragma once

// Geometry of the frame's top band: where the header picture and its filler
// go, and where the four menu titles sit at the right end. No window code.

#include <array>

#include "env/rect.h"
#include "env/theme.h"

// A rectangle in the band, in the frame's client coordinates.
using BandRect = Rect;

inline constexpr int kBandHeight = 97;
// The panes' share of the client area, on the right.
inline constexpr int kPaneBarWidth = 311;
inline constexpr int kBandTitleCount = 4;  // File, Navigate, Reports, Help

// The header picture is right-aligned; a window narrower than the picture
// shows its right part, a wider one gets the filler tiled on the left.
struct HeaderPlacement {
  int destX = 0;      // where the picture starts in the window
  int sourceX = 0;    // first picture column shown
  int fillerEnd = 0;  // the filler is tiled from x 0 while x < fillerEnd
};
[[nodiscard]] HeaderPlacement PlaceHeader(int windowWidth, int headerWidth);

struct BandTitles {
  std::array<BandRect, kBandTitleCount> rects{};
  int left = 0;   // window width minus the band width
  int width = 0;  // the band width
  // The area repainted when the hovered title changes.
  [[nodiscard]] BandRect HoverArea(int windowWidth) const { return {left, 0, windowWidth, 30}; }
};

// textWidths: each title measured without its first character; arrowWidth:
// the width of the arrow drawn after each title.
[[nodiscard]] BandTitles LayoutBandTitles(int windowWidth, const std::array<int, kBandTitleCount>& textWidths,
                                          int textHeight, int arrowWidth);
// The title under a point, or -1.
[[nodiscard]] int BandTitleAt(const BandTitles& titles, int x, int y);
// The raised frame drawn around a hovered title.
[[nodiscard]] constexpr BandRect HoverFrame(const BandRect& title) {
  return {title.left - 4, 2, title.right - 3, title.bottom + 4};
}

// A menu title's colour on the band, which is painted in the theme's base
// colour: the second dark colour, and the pale one for the title under the
// mouse or open, each only where it stands out from the base colour.
[[nodiscard]] ColorRef BandTitleColor(const ThemeRecord& theme, bool hovered);
