// The printed page: the calendar's share of a portrait and a landscape page,
// the legend below it, and the legend's physical size on printers of
// different resolutions.

#include "ui/frame/print_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(PrintLayout, CalendarIsAsTallAsThePageIsWideOnPortraitAndTakes70PercentOnLandscape) {
  struct Case {
    PrintPage page;
    int height;
    Rect bounds;
    int step;
  };
  const Case cases[] = {
      // A4 at 300 dpi, portrait and landscape, with Wine's usual margins;
      // the year title's line (105 at 300 dpi) above the months.
      {{2480, 3508, 50, 50, 300, 300}, 2480, {50, 155, 2430, 2430}, 842},
      {{3508, 2480, 50, 50, 300, 300}, 1736, {50, 155, 3458, 1686}, 1185},
      // A square page counts as landscape.
      {{1000, 1000, 0, 0, 300, 300}, 700, {0, 105, 1000, 700}, 332},
      // 70 % is truncated.
      {{1001, 999, 10, 20, 300, 300}, 699, {10, 125, 991, 679}, 336},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page.width);
    const PrintLayout l = LayOutPrintPage(c.page);
    EXPECT_EQ(l.calendarHeight, c.height);
    EXPECT_EQ(l.calendarBounds, c.bounds);
    EXPECT_EQ(l.yearTitle.x, c.page.offsetX);
    EXPECT_EQ(l.yearTitle.y, c.page.offsetY);
    EXPECT_EQ(l.columnStep, c.step);
  }
}

TEST(PrintLayout, LegendRowsRunBelowTheCalendarInTheOrderOfTheClassColours) {
  const PrintLayout l = LayOutPrintPage({2480, 3508, 50, 60, 300, 300});
  const int top = 60 + 2480;
  EXPECT_EQ(l.title.x, 50);
  EXPECT_EQ(l.title.y, top);
  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE(k);
    const LegendEntryPlace& e = l.entries[static_cast<size_t>(k)];
    const int x = 50 + (k % 2) * l.columnStep;
    const int y = top + 105 * (1 + k / 2);
    EXPECT_EQ(e.square, (Rect{x, y, x + 49, y + 49}));
    EXPECT_EQ(e.label.x, x + 98);
    EXPECT_EQ(e.label.y, y);
  }
  const int marks = top + 4 * 105;
  EXPECT_EQ(l.sexSquare, (Rect{50, marks, 99, marks + 49}));
  EXPECT_EQ(l.sexLabel.x, 148);
  EXPECT_EQ(l.pillSquare, (Rect{50 + l.columnStep, marks, 99 + l.columnStep, marks + 49}));
  EXPECT_EQ(l.pillLabel.x, 50 + l.columnStep + 98);
  EXPECT_EQ(l.pillLabel.y, marks);
  // The last line still fits on the page.
  EXPECT_LT(marks + 105, 3508);
}

TEST(PrintLayout, LegendKeepsItsPhysicalSizeAtEveryResolution) {
  struct Case {
    int dpiX;
    int dpiY;
    int squareW;
    int squareH;
    int step;
    int font;
  };
  const Case cases[] = {
      {300, 300, 49, 49, 105, 50},
      {600, 600, 98, 98, 210, 100},
      {1200, 600, 196, 98, 210, 100},
      {72, 72, 12, 12, 25, 12},
      {0, 0, 49, 49, 105, 50},  // a driver that tells nothing: the reference
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpiX);
    const PrintLayout l = LayOutPrintPage({4000, 6000, 0, 0, c.dpiX, c.dpiY});
    EXPECT_EQ(l.entries[0].square.Width(), c.squareW);
    EXPECT_EQ(l.entries[0].square.Height(), c.squareH);
    EXPECT_EQ(l.entries[2].square.top - l.entries[0].square.top, c.step);
    EXPECT_EQ(l.fontHeight, c.font);
  }
}

}  // namespace
