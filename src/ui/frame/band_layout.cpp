#include "ui/frame/band_layout.h"

#include <algorithm>

HeaderPlacement PlaceHeader(int windowWidth, int headerWidth) {
  HeaderPlacement p;
  p.destX = std::max(0, windowWidth - headerWidth);
  p.sourceX = std::max(0, headerWidth - windowWidth);
  p.fillerEnd = windowWidth > headerWidth ? windowWidth - headerWidth : 0;
  return p;
}

BandTitles LayoutBandTitles(int windowWidth, const std::array<int, kBandTitleCount>& textWidths, int textHeight,
                            int arrowWidth) {
  // Each title takes its text, 8 pixels for the arrow and 10 of spacing.
  constexpr int kTitleExtra = 8 + 10;
  BandTitles t;
  int sum = 0;
  for (int w : textWidths) sum += w;
  t.width = sum + kBandTitleCount * arrowWidth + 56;
  t.left = windowWidth - t.width;
  int x = t.left;
  for (int i = 0; i < kBandTitleCount; ++i) {
    const int w = textWidths[static_cast<size_t>(i)];
    t.rects[static_cast<size_t>(i)] = {x, 4, x + w + kTitleExtra, textHeight + 4};
    x += w + kTitleExtra;
  }
  return t;
}

int BandTitleAt(const BandTitles& titles, int x, int y) {
  for (int i = 0; i < kBandTitleCount; ++i) {
    if (titles.rects[static_cast<size_t>(i)].Contains(x, y)) return i;
  }
  return -1;
}

ColorRef BandTitleColor(const ThemeRecord& theme, bool hovered) {
  if (hovered) return ReadableTextColor(theme.base, {theme.pale, MakeColor(255, 255, 255), theme.secondDark});
  return ReadableTextColor(theme.base, {theme.secondDark, theme.dark});
}
