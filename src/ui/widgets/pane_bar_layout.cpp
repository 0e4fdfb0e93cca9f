#include "ui/widgets/pane_bar_layout.h"

#include <algorithm>

std::vector<PaneSectionPlacement> LayoutPaneSections(int clientWidth, const std::vector<PaneSectionState>& sections) {
  std::vector<PaneSectionPlacement> placements;
  placements.reserve(sections.size());
  const int left = kPaneBandMargin;
  const int right = std::max(left, clientWidth - kPaneBandMargin);
  int y = 0;
  for (const PaneSectionState& section : sections) {
    PaneSectionPlacement p;
    p.band = Rect{left, y, right, y + kPaneBandHeight};
    y += kPaneBandHeight;
    const int height = std::max(0, section.paneHeight);
    p.paneVisible = section.expanded;
    p.pane = Rect{left, y, right, section.expanded ? y + height : y};
    if (section.expanded) y += height;
    placements.push_back(p);
  }
  return placements;
}

int ElasticPaneHeight(int barHeight, const std::vector<PaneSectionState>& sections, size_t elastic,
                      PaneHeights heights) {
  int taken = 0;
  for (size_t i = 0; i < sections.size(); ++i) {
    taken += kPaneBandHeight;
    if (i != elastic && sections[i].expanded) taken += std::max(0, sections[i].paneHeight);
  }
  const int room = barHeight - taken;
  const int least = std::max(0, heights.least);
  return std::max(least, std::min(room, heights.wanted));
}

int PaneSectionAt(const std::vector<PaneSectionPlacement>& placements, int x, int y) {
  for (size_t i = 0; i < placements.size(); ++i) {
    if (placements[i].band.Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

std::u16string PaneTitle(std::u16string_view title) {
  return std::u16string(title.substr(0, kPaneTitleMaxLength));
}
