#include "ui/widgets/pane_bar_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(PaneBarLayout, SectionsStackFromTheTopWithPanesBelowTheirBands) {
  const auto p = LayoutPaneSections(311, {{120, true}, {200, true}, {90, true}, {150, true}});
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0].band, (Rect{10, 0, 301, 20}));
  EXPECT_EQ(p[0].pane, (Rect{10, 20, 301, 140}));
  EXPECT_EQ(p[1].band, (Rect{10, 140, 301, 160}));
  EXPECT_EQ(p[1].pane, (Rect{10, 160, 301, 360}));
  EXPECT_EQ(p[2].band.top, 360);
  EXPECT_EQ(p[3].band.top, 470);
  EXPECT_EQ(p[3].pane.bottom, 640);
  for (const auto& s : p) EXPECT_TRUE(s.paneVisible);
}

TEST(PaneBarLayout, CollapsingASectionMovesTheFollowingTitlesUpByItsPaneHeight) {
  const auto open = LayoutPaneSections(311, {{120, true}, {200, true}, {90, true}});
  const auto closed = LayoutPaneSections(311, {{120, false}, {200, true}, {90, true}});
  EXPECT_FALSE(closed[0].paneVisible);
  EXPECT_EQ(closed[0].pane.top, closed[0].pane.bottom);
  EXPECT_EQ(closed[0].band, open[0].band);
  for (size_t i = 1; i < open.size(); ++i) EXPECT_EQ(closed[i].band.top, open[i].band.top - 120) << i;
  // The next band follows the collapsed band directly.
  EXPECT_EQ(closed[1].band.top, closed[0].band.bottom);
}

TEST(PaneBarLayout, HitTestFindsTitleBandsOnly) {
  const auto p = LayoutPaneSections(311, {{100, true}, {50, false}, {70, true}});
  struct Case {
    int x, y, expected;
  };
  for (const Case c : {Case{10, 0, 0}, Case{300, 19, 0}, Case{9, 5, -1}, Case{301, 5, -1}, Case{150, 20, -1},
                       Case{150, 119, -1}, Case{150, 120, 1}, Case{150, 139, 1}, Case{150, 140, 2},
                       Case{150, 160, -1}, Case{150, 230, -1}, Case{-1, -1, -1}}) {
    EXPECT_EQ(PaneSectionAt(p, c.x, c.y), c.expected) << c.x << "," << c.y;
  }
}

TEST(PaneBarLayout, NarrowBarsAndBadHeightsStayOrdered) {
  const auto p = LayoutPaneSections(5, {{-40, true}});
  EXPECT_LE(p[0].band.left, p[0].band.right);
  EXPECT_EQ(p[0].pane.top, p[0].pane.bottom);
}

TEST(PaneBarLayout, TitlesAreCutAt31Characters) {
  EXPECT_EQ(PaneTitle(u"My Goal"), u"My Goal");
  const std::u16string longTitle(40, u'x');
  EXPECT_EQ(PaneTitle(longTitle).size(), 31u);
}

}  // namespace

// Four sections of 100-pixel panes and 20-pixel bands; the second grows and
// shrinks between its least (60) and wanted (150) heights.
TEST(ElasticPaneHeightTest, TakesTheRoomLeftHeldBetweenLeastAndWanted) {
  const std::vector<PaneSectionState> four = {{100, true}, {100, true}, {100, true}, {100, true}};
  const std::vector<PaneSectionState> thirdFolded = {{100, true}, {100, true}, {100, false}, {100, true}};
  struct Case {
    int barHeight;
    const std::vector<PaneSectionState>* sections;
    int expected;
  };
  const Case cases[] = {
      {80 + 300 + 120, &four, 120},         // room 120: all of it
      {80 + 300 + 500, &four, 150},         // a tall bar: no more than it wants
      {80 + 300 + 20, &four, 60},           // too short: never less than its least
      {80 + 200 + 100, &thirdFolded, 100},  // a folded pane leaves its room
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.barHeight);
    EXPECT_EQ(ElasticPaneHeight(c.barHeight, *c.sections, 1, PaneHeights{60, 150}), c.expected);
  }
  // A pane that wants less than its least gets its least.
  EXPECT_EQ(ElasticPaneHeight(1000, four, 1, PaneHeights{60, 40}), 60);
}
