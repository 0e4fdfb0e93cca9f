#pragma once

// Geometry of the pane bar: a vertical stack of sections, each a rounded
// title band 20 pixels high from x 10 to (width - 10) with, when the section
// is expanded, its pane directly below at the pane's own height. A collapsed
// section's pane is hidden and the next band follows directly. No window code.

#include <cstddef>
#include <string>
#include <vector>

#include "env/rect.h"

inline constexpr int kPaneBandMargin = 10;
inline constexpr int kPaneBandHeight = 20;
inline constexpr int kPaneBandCornerRadius = 10;
inline constexpr size_t kPaneTitleMaxLength = 31;

struct PaneSectionState {
  int paneHeight = 0;
  bool expanded = true;
};

struct PaneSectionPlacement {
  Rect band;
  Rect pane;  // empty (zero height) when the section is collapsed
  bool paneVisible = false;
};

// Places the sections from the top of a bar clientWidth pixels wide.
[[nodiscard]] std::vector<PaneSectionPlacement> LayoutPaneSections(int clientWidth,
                                                                   const std::vector<PaneSectionState>& sections);

// What a pane that can grow and shrink asks of the bar: the least height it
// still works at and the height that shows all it holds.
struct PaneHeights {
  int least = 0;
  int wanted = 0;
};

// The height the elastic section's pane gets in a bar barHeight pixels high:
// the room every band and every other expanded pane leave, held between its
// least and its wanted height (the least wins when it wants less).
[[nodiscard]] int ElasticPaneHeight(int barHeight, const std::vector<PaneSectionState>& sections, size_t elastic,
                                    PaneHeights heights);

// The section whose title band holds the point, or -1.
[[nodiscard]] int PaneSectionAt(const std::vector<PaneSectionPlacement>& placements, int x, int y);

// A title as the band shows it: at most 31 characters.
[[nodiscard]] std::u16string PaneTitle(std::u16string_view title);
