#include "ui/calendar/calendar_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/calendar/day_balloon_text.h"

namespace {

// ---------------------------------------------------------------------------
// Weekday rule

struct JdnCase {
  int year, month, day;
  int jdn;
  int weekday;  // 0 = Sunday
};

TEST(CalendarWeekday, JulianDayNumbersAndWeekdaysOfKnownDates) {
  const JdnCase cases[] = {
      {-4713, 1, 1, 0, 1},          // the epoch of the day count, a Monday
      {1, 1, 1, 1721424, 6},        // Julian calendar, a Saturday
      {800, 12, 25, 2013617, 5},    // Julian calendar, a Friday
      {1582, 10, 4, 2299160, 4},    // last Julian day, Thursday...
      {1582, 10, 15, 2299161, 5},   // ...followed by the first Gregorian day, Friday
      {1858, 11, 17, 2400001, 3},   // day 0 of the modified Julian day count
      {1900, 1, 1, 2415021, 1},     // Monday
      {1970, 1, 1, 2440588, 4},     // Thursday
      {2000, 1, 1, 2451545, 6},     // Saturday
      {2000, 2, 29, 2451604, 2},    // leap day of a year divisible by 400
      {2024, 2, 29, 2460370, 4},    // leap day
      {2100, 3, 1, 2488129, 1},     // 2100 has no 29 February
  };
  for (const JdnCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
    EXPECT_EQ(JulianDayNumber(c.year, c.month, c.day), c.jdn);
    EXPECT_EQ(WeekdayOf(c.year, c.month, c.day), c.weekday);
  }
}

// From the reform on, the Julian Day Number must advance exactly like the
// proleptic Gregorian day count, day by day, across every month and leap rule.
TEST(CalendarWeekday, AgreesWithTheCivilDayCountAfterTheReform) {
  const int64_t offset = JulianDayNumber(1970, 1, 1) - DaysFromCivil(1970, 1, 1);
  for (int year = 1583; year <= 2500; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        if (JulianDayNumber(year, month, day) - DaysFromCivil(year, month, day) != offset) {
          FAIL() << year << "-" << month << "-" << day;
        }
      }
    }
  }
}

struct FirstColumnCase {
  int year, month;
  int column;  // 0 = Monday ... 6 = Sunday
};

TEST(CalendarWeekday, FirstDayColumnStartsWeeksOnMonday) {
  const FirstColumnCase cases[] = {
      {2010, 2, 0},  // Monday -> first column
      {2000, 2, 1},  // Tuesday
      {1900, 2, 3},  // Thursday
      {2015, 8, 5},  // Saturday
      {2015, 2, 6},  // Sunday -> last column
      {2023, 10, 6}, // Sunday
      {1582, 10, 0}, // 1 October 1582 (Julian) was a Monday
  };
  for (const FirstColumnCase& c : cases) {
    EXPECT_EQ(FirstDayColumn(c.year, c.month), c.column) << c.year << "-" << c.month;
  }
}

TEST(CalendarWeekday, DayNumberTextIsTwoWide) {
  EXPECT_EQ(DayNumberText(1), u" 1");
  EXPECT_EQ(DayNumberText(9), u" 9");
  EXPECT_EQ(DayNumberText(10), u"10");
  EXPECT_EQ(DayNumberText(31), u"31");
}

// ---------------------------------------------------------------------------
// Month grid

// A month of 7 x 40 by 8 x 30 pixels at (10, 30): cells are 40 wide, 30 high.
constexpr Rect kMonthBounds{10, 30, 10 + 7 * 40, 30 + 8 * 30};

int WeekRowOf(const MonthLayout& m, const DayCell& d) {
  return (d.rect.bottom - m.bounds.top) / m.cellHeight - 3;
}

struct GridCase {
  int year, month;
  int days;
  int firstColumn;
  int lastWeekRow;  // week row (0-5) of the last day
};

TEST(CalendarMonthGrid, DaysFillTheWeekRowsFromTheirWeekday) {
  const GridCase cases[] = {
      {2010, 2, 28, 0, 3},  // non-leap February from Monday: exactly four rows
      {2015, 2, 28, 6, 4},  // February from Sunday: day 1 alone in the first row
      {2000, 2, 29, 1, 4},  // 2000 is a leap year
      {1900, 2, 28, 3, 4},  // 1900 is not
      {2100, 2, 28, 0, 3},  // nor is 2100
      {2024, 2, 29, 3, 4},
      {2015, 8, 31, 5, 5},  // 31 days from Saturday need the sixth row
      {2015, 3, 31, 6, 5},  // 31 days from Sunday too
      {2012, 9, 30, 5, 4},  // 30 days from Saturday do not
      {2023, 10, 31, 6, 5},
      {2024, 4, 30, 0, 4},
  };
  for (const GridCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
    const MonthLayout m = MonthLayout::Build(c.year, c.month - 1, kMonthBounds);
    ASSERT_EQ(m.days.size(), static_cast<size_t>(c.days));
    EXPECT_EQ(m.cellWidth, 40);
    EXPECT_EQ(m.cellHeight, 30);
    const DayCell& first = m.days.front();
    EXPECT_EQ(first.day, 1);
    EXPECT_EQ(first.column, c.firstColumn);
    EXPECT_EQ(first.rect, (Rect{11 + 40 * c.firstColumn, 91, 51 + 40 * c.firstColumn, 120}));
    EXPECT_EQ(WeekRowOf(m, m.days.back()), c.lastWeekRow);
    for (size_t i = 0; i < m.days.size(); ++i) {
      const DayCell& d = m.days[i];
      EXPECT_EQ(d.day, static_cast<int>(i) + 1);
      EXPECT_EQ(d.month, c.month);
      EXPECT_EQ(d.year, c.year);
      EXPECT_EQ(d.rect.left, 11 + 40 * d.column);
      EXPECT_EQ(d.firstRowParity, WeekRowOf(m, d) % 2 == 0);
      if (i > 0) {
        EXPECT_EQ(d.column, (m.days[i - 1].column + 1) % 7);
      }
    }
  }
}

// Every month from the reform to 2400: the column of every day is its
// weekday by the civil day count (1 January 1970 was a Thursday), and cells
// never leave the six week rows.
TEST(CalendarMonthGrid, ColumnsMatchTheCivilWeekdayForEveryMonth) {
  for (int year = 1583; year <= 2400; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const MonthLayout m = MonthLayout::Build(year, month - 1, kMonthBounds);
      ASSERT_EQ(m.days.size(), static_cast<size_t>(DaysInMonth(year, month)));
      for (const DayCell& d : m.days) {
        const int64_t n = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(d.day));
        const int mondayBased = static_cast<int>(((n + 3) % 7 + 7) % 7);
        if (d.column != mondayBased || d.rect.bottom > kMonthBounds.bottom) {
          FAIL() << year << "-" << month << "-" << d.day << " column " << d.column;
        }
      }
    }
  }
}

TEST(CalendarMonthGrid, TitleAndWeekdayCells) {
  const MonthLayout m = MonthLayout::Build(2024, 0, kMonthBounds);
  EXPECT_EQ(m.TitleBand(), (Rect{10, 30, 290, 60}));
  EXPECT_EQ(m.LeftTitleCell(), (Rect{10, 30, 50, 60}));
  EXPECT_EQ(m.RightTitleCell(), (Rect{250, 30, 290, 60}));
  EXPECT_EQ(m.WeekdayCell(0), (Rect{10, 60, 50, 90}));
  EXPECT_EQ(m.WeekdayCell(6), (Rect{250, 60, 290, 90}));
  EXPECT_EQ(m.WeekCell(5, 6), (Rect{251, 241, 291, 270}));
}

// ---------------------------------------------------------------------------
// The four-month view

// A 1280 x 900 frame client: the calendar area leaves 311 pixels for the panes.
constexpr Rect kArea{0, 0, 1280 - 311, 900};

TEST(CalendarView, StartsAtTodayWithoutMonths) {
  const CalendarLayout view(PackedDate(17, 11, 2023));
  EXPECT_EQ(view.Year(), 2023);
  EXPECT_EQ(view.FirstMonthIndex(), 10);
  EXPECT_TRUE(view.Months().empty());
  // Until she clicks a day, the selected day is today.
  EXPECT_EQ(view.Selected(), PackedDate(17, 11, 2023));
  EXPECT_EQ(view.Bounds(), (Rect{0, 0, 400, 400}));
}

TEST(CalendarView, ResizePlacesWindowAndMonths) {
  EXPECT_EQ(CalendarLayout::WindowRectFor(kArea), (Rect{0, 97, 969, 900}));
  // 969 rounds down to 966 (69 x 14), plus 9.
  EXPECT_EQ(CalendarLayout::BoundsFor(kArea), (Rect{0, 0, 975, 803}));
  EXPECT_EQ(CalendarLayout::BoundsFor(Rect{0, 0, 980, 900}).right, 989);

  CalendarLayout view(PackedDate(5, 3, 2024));
  view.Resize(kArea);
  EXPECT_EQ(view.MonthWidth(), 477);   // (975 - 20) / 2
  EXPECT_EQ(view.MonthHeight(), 381);  // (803 - 40) / 2
  ASSERT_EQ(view.Months().size(), 4u);
  const Rect expected[4] = {{10, 30, 487, 411}, {487, 30, 964, 411}, {10, 411, 487, 792}, {487, 411, 964, 792}};
  for (int k = 0; k < 4; ++k) {
    const MonthLayout& m = view.Months()[static_cast<size_t>(k)];
    EXPECT_EQ(m.bounds, expected[k]) << k;
    EXPECT_EQ(m.monthIndex, 2 + k);
    EXPECT_EQ(m.year, 2024);
    EXPECT_EQ(m.cellWidth, 68);   // 477 / 7
    EXPECT_EQ(m.cellHeight, 47);  // 381 / 8
  }
  EXPECT_EQ(view.HeaderBand(), (Rect{7, 0, 965, 30}));
  // Every month ends inside the window.
  EXPECT_LE(view.Months()[3].bounds.right, CalendarLayout::WindowRectFor(kArea).right);
}

struct Page {
  int year;
  int firstMonthIndex;
};

enum class Step { Next, Previous };

struct PagingCase {
  const char* name;
  Page start;
  Step step;
  Page expected;
  int lastMonthIndex;
};

TEST(CalendarView, PagingStaysBetweenJanuaryAndSeptember) {
  const PagingCase cases[] = {
      {"May to June", {2024, 4}, Step::Next, {2024, 5}, 8},
      {"August to September", {2024, 7}, Step::Next, {2024, 8}, 11},
      {"September to next January", {2024, 8}, Step::Next, {2025, 0}, 3},
      {"January back to previous September", {2024, 0}, Step::Previous, {2023, 8}, 11},
      {"June back to May", {2024, 5}, Step::Previous, {2024, 4}, 7},
      {"November (from today) to next January", {2023, 10}, Step::Next, {2024, 0}, 3},
      {"November (from today) back to October", {2023, 10}, Step::Previous, {2023, 9}, 0},
      {"December (from today) to next January", {2023, 11}, Step::Next, {2024, 0}, 3},
  };
  for (const PagingCase& c : cases) {
    SCOPED_TRACE(c.name);
    CalendarLayout view(PackedDate(1, c.start.firstMonthIndex + 1, c.start.year));
    view.Resize(kArea);
    if (c.step == Step::Next) {
      view.ShowNextMonth();
    } else {
      view.ShowPreviousMonth();
    }
    EXPECT_EQ(view.Year(), c.expected.year);
    EXPECT_EQ(view.FirstMonthIndex(), c.expected.firstMonthIndex);
    EXPECT_EQ(view.LastMonthIndex(), c.lastMonthIndex);
    ASSERT_EQ(view.Months().size(), 4u);
    EXPECT_EQ(view.Months()[0].monthIndex, c.expected.firstMonthIndex);
    EXPECT_EQ(view.Months()[3].monthIndex, c.lastMonthIndex);
  }
}

TEST(CalendarView, NinePagesMakeAYearEitherWay) {
  CalendarLayout view(PackedDate(1, 1, 2024));
  view.Resize(kArea);
  for (int i = 0; i < 9; ++i) view.ShowNextMonth();
  EXPECT_EQ(view.Year(), 2025);
  EXPECT_EQ(view.FirstMonthIndex(), 0);
  for (int i = 0; i < 18; ++i) view.ShowPreviousMonth();
  EXPECT_EQ(view.Year(), 2023);
  EXPECT_EQ(view.FirstMonthIndex(), 0);
}

std::vector<std::pair<int, int>> ShownMonths(const CalendarLayout& view) {
  std::vector<std::pair<int, int>> shown;
  for (const MonthLayout& m : view.Months()) shown.emplace_back(m.year, m.Month());
  return shown;
}

TEST(CalendarView, TodayInNovemberCrossesTheYearEnd) {
  CalendarLayout view(PackedDate(1, 3, 2020));
  view.Resize(kArea);
  view.ShowToday(PackedDate(20, 11, 2023));
  using V = std::vector<std::pair<int, int>>;
  EXPECT_EQ(ShownMonths(view), (V{{2023, 11}, {2023, 12}, {2024, 1}, {2024, 2}}));
  // The month grid of the next year's months uses that year's weekdays.
  EXPECT_EQ(view.Months()[2].days.front().column, 0);  // 1 January 2024, Monday
  EXPECT_EQ(view.Months()[3].days.size(), 29u);        // February 2024
  view.ShowNextMonth();
  EXPECT_EQ(ShownMonths(view), (V{{2024, 1}, {2024, 2}, {2024, 3}, {2024, 4}}));
  view.ShowToday(PackedDate(31, 12, 2023));
  EXPECT_EQ(ShownMonths(view), (V{{2023, 12}, {2024, 1}, {2024, 2}, {2024, 3}}));
  view.ShowToday(PackedDate(15, 9, 2023));
  EXPECT_EQ(ShownMonths(view), (V{{2023, 9}, {2023, 10}, {2023, 11}, {2023, 12}}));
}

TEST(CalendarKeyboard, StepsByDayWeekAndMonthKeepTheDayOfMonthWhereItExists) {
  using S = CalendarStep;
  struct Case {
    PackedDate from;
    S step;
    PackedDate to;
  };
  const Case cases[] = {
      {{31, 12, 2023}, S::DayForward, {1, 1, 2024}},
      {{1, 3, 2024}, S::DayBack, {29, 2, 2024}},
      {{1, 3, 2023}, S::DayBack, {28, 2, 2023}},
      {{28, 2, 2024}, S::WeekForward, {6, 3, 2024}},
      {{3, 1, 2024}, S::WeekBack, {27, 12, 2023}},
      {{15, 6, 2024}, S::MonthForward, {15, 7, 2024}},
      {{31, 1, 2024}, S::MonthForward, {29, 2, 2024}},  // clamped to February's end
      {{31, 1, 2023}, S::MonthForward, {28, 2, 2023}},
      {{31, 5, 2024}, S::MonthForward, {30, 6, 2024}},
      {{31, 3, 2024}, S::MonthBack, {29, 2, 2024}},
      {{15, 1, 2024}, S::MonthBack, {15, 12, 2023}},
      {{31, 12, 2023}, S::MonthForward, {31, 1, 2024}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDate(SteppedDate(c.from, c.step)), FormatDate(c.to)) << FormatDate(c.from);
  }
}

TEST(CalendarKeyboard, SelectingOutsideTheViewPagesUntilTheMonthIsShown) {
  using V = std::vector<std::pair<int, int>>;
  CalendarLayout view(PackedDate(15, 6, 2024));
  view.Resize(kArea);
  // Inside the view: the selection moves, the view stays.
  EXPECT_FALSE(view.SelectAndReveal(PackedDate(30, 9, 2024)));
  EXPECT_EQ(view.Selected(), PackedDate(30, 9, 2024));
  EXPECT_EQ(ShownMonths(view), (V{{2024, 6}, {2024, 7}, {2024, 8}, {2024, 9}}));
  // One day past the last shown month pages once, as Next does.
  EXPECT_TRUE(view.SelectAndReveal(PackedDate(1, 10, 2024)));
  EXPECT_EQ(ShownMonths(view), (V{{2024, 7}, {2024, 8}, {2024, 9}, {2024, 10}}));
  ASSERT_NE(view.SelectedCell(), nullptr);
  EXPECT_EQ(view.SelectedCell()->Date(), PackedDate(1, 10, 2024));
  // Before the first shown month, as Back does.
  EXPECT_TRUE(view.SelectAndReveal(PackedDate(30, 6, 2024)));
  EXPECT_EQ(ShownMonths(view), (V{{2024, 6}, {2024, 7}, {2024, 8}, {2024, 9}}));
  // Across the year end paging goes from September to January.
  view.ShowToday(PackedDate(10, 9, 2024));
  EXPECT_TRUE(view.SelectAndReveal(PackedDate(2, 1, 2025)));
  EXPECT_EQ(ShownMonths(view), (V{{2025, 1}, {2025, 2}, {2025, 3}, {2025, 4}}));
  EXPECT_TRUE(view.SelectAndReveal(PackedDate(31, 12, 2024)));
  EXPECT_EQ(ShownMonths(view), (V{{2024, 9}, {2024, 10}, {2024, 11}, {2024, 12}}));
  // A view that starts in November (today's) pages on to January.
  view.ShowToday(PackedDate(20, 11, 2024));
  EXPECT_TRUE(view.SelectAndReveal(PackedDate(1, 3, 2025)));
  EXPECT_EQ(ShownMonths(view), (V{{2025, 1}, {2025, 2}, {2025, 3}, {2025, 4}}));
  // A far date is reached too, and the selected cell is on screen.
  EXPECT_TRUE(view.SelectAndReveal(PackedDate(29, 2, 2000)));
  ASSERT_NE(view.SelectedCell(), nullptr);
  EXPECT_EQ(view.SelectedCell()->Date(), PackedDate(29, 2, 2000));
}

// ---------------------------------------------------------------------------
// Hit tests

class CalendarHitTest : public testing::Test {
 protected:
  void SetUp() override { view_.Resize(kArea); }

  const DayCell& Cell(int month, int day) const {
    return view_.Months()[static_cast<size_t>(month)].days[static_cast<size_t>(day - 1)];
  }

  // March to June 2024; March 2024 starts on a Friday (column 4).
  CalendarLayout view_{PackedDate(5, 3, 2024)};
};

TEST_F(CalendarHitTest, CellEdgesAndGaps) {
  // 1 March 2024: column 4 of week row 0 in the first month.
  const Rect r = Cell(0, 1).rect;
  ASSERT_EQ(r, (Rect{10 + 1 + 4 * 68, 30 + 2 * 47 + 1, 10 + 1 + 5 * 68, 30 + 3 * 47}));
  struct PointCase {
    const char* name;
    Point p;
    int month, day;  // 0 = no day
  };
  const PointCase cases[] = {
      {"top-left corner", {r.left, r.top}, 3, 1},
      {"bottom-right pixel", {r.right - 1, r.bottom - 1}, 3, 1},
      {"right edge belongs to the next cell", {r.right, r.top}, 3, 2},
      {"left of the cell is the previous column", {r.left - 1, r.top}, 0, 0},  // before day 1: empty
      {"row line below the cell", {r.left, r.bottom}, 0, 0},
      {"top of the next week row", {r.left, r.bottom + 1}, 3, 8},
      {"row line above the first week", {r.left, r.top - 1}, 0, 0},
      {"left border column of the month", {10, 200}, 0, 0},
      {"first column after the border", {11, 200}, 3, 4},
      {"weekday row", {100, 30 + 47 + 10}, 0, 0},
      {"title band", {100, 40}, 0, 0},
      {"header", {100, 10}, 0, 0},
      {"after the last day", {487 - 1, 30 + 7 * 47 + 10}, 0, 0},  // 31 March is a Sunday in row 4
      {"31 March", {487 - 1, 30 + 6 * 47 + 10}, 3, 31},
      {"month border between March and April", {487, 200}, 0, 0},
      {"April starts on Monday", {488, 30 + 2 * 47 + 1}, 4, 1},
      {"second month row, first day of May", {10 + 1 + 2 * 68, 411 + 2 * 47 + 1}, 5, 1},
      {"below all months", {300, 800}, 0, 0},
      {"left of the control", {-1, 200}, 0, 0},
  };
  for (const PointCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DayCell* hit = view_.DayAt(c.p);
    if (c.day == 0) {
      EXPECT_EQ(hit, nullptr);
    } else {
      ASSERT_NE(hit, nullptr);
      EXPECT_EQ(hit->Date(), PackedDate(c.day, c.month, 2024));
    }
  }
}

TEST_F(CalendarHitTest, EveryPointHitsAtMostOneCell) {
  const Rect b = view_.Bounds();
  for (int y = b.top; y < b.bottom; y += 3) {
    for (int x = b.left; x < b.right; x += 3) {
      int hits = 0;
      for (const MonthLayout& m : view_.Months()) {
        for (const DayCell& d : m.days) hits += d.rect.Contains({x, y}) ? 1 : 0;
      }
      if (hits > 1) FAIL() << x << "," << y;
    }
  }
}

TEST_F(CalendarHitTest, HoverFollowsTheMouseButOnlyAClickSelects) {
  const Point march5{Cell(0, 5).rect.left + 3, Cell(0, 5).rect.top + 3};
  const Point june30{Cell(3, 30).rect.right - 1, Cell(3, 30).rect.bottom - 1};
  const PackedDate before = view_.Selected();

  ASSERT_NE(view_.HitTest(march5), nullptr);
  EXPECT_EQ(view_.Months()[0].selected, PackedDate(5, 3, 2024));
  ASSERT_NE(view_.HoveredDay(), nullptr);
  EXPECT_EQ(view_.HoveredDay()->Date(), PackedDate(5, 3, 2024));
  // Crossing a day with the mouse never makes it the day she acts on.
  EXPECT_EQ(view_.Selected(), before);

  const DayCell* hit = view_.HitTest(june30);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->Date(), PackedDate(30, 6, 2024));
  EXPECT_EQ(view_.Selected(), before);
  EXPECT_EQ(view_.Months()[3].selected, PackedDate(30, 6, 2024));
  int hovered = 0;
  for (const MonthLayout& m : view_.Months()) {
    for (const DayCell& d : m.days) hovered += d.hovered ? 1 : 0;
  }
  EXPECT_EQ(hovered, 1);
  EXPECT_TRUE(Cell(3, 30).hovered);

  // Leaving all cells keeps the last one marked.
  EXPECT_EQ(view_.HitTest({5, 5}), nullptr);
  EXPECT_TRUE(Cell(3, 30).hovered);

  // DayAt only looks.
  EXPECT_NE(view_.DayAt(march5), nullptr);
  EXPECT_TRUE(Cell(3, 30).hovered);
  EXPECT_FALSE(Cell(0, 5).hovered);

  // A click selects; a click off the days changes nothing.
  ASSERT_NE(view_.SelectAt(june30), nullptr);
  EXPECT_EQ(view_.Selected(), PackedDate(30, 6, 2024));
  ASSERT_NE(view_.SelectedCell(), nullptr);
  EXPECT_EQ(view_.SelectedCell()->Date(), PackedDate(30, 6, 2024));
  EXPECT_EQ(view_.SelectAt({5, 5}), nullptr);
  EXPECT_EQ(view_.Selected(), PackedDate(30, 6, 2024));
  // The hover mark can be taken away without touching the selection.
  view_.ClearHover();
  EXPECT_EQ(view_.HoveredDay(), nullptr);
  EXPECT_EQ(view_.Selected(), PackedDate(30, 6, 2024));

  // Paging rebuilds the months: nothing is hovered, the selection stays,
  // and its cell is gone once June is off the view.
  view_.HitTest(march5);
  view_.ShowPreviousMonth();
  EXPECT_EQ(view_.HoveredDay(), nullptr);
  EXPECT_EQ(view_.Selected(), PackedDate(30, 6, 2024));
  EXPECT_EQ(view_.SelectedCell(), nullptr);
  // Today selects today again.
  view_.ShowToday(PackedDate(9, 4, 2024));
  EXPECT_EQ(view_.Selected(), PackedDate(9, 4, 2024));
}

TEST_F(CalendarHitTest, BackAndNextButtons) {
  view_.PlaceButtons(40);
  // Header band (7, 0, 965, 30).
  EXPECT_EQ(view_.BackButton(), (Rect{11, 2, 78, 27}));
  EXPECT_EQ(view_.NextButton(), (Rect{896, 2, 963, 27}));
  const std::pair<Point, CalendarButton> cases[] = {
      {{11, 2}, CalendarButton::Back},   {{77, 26}, CalendarButton::Back},  {{78, 10}, CalendarButton::None},
      {{10, 10}, CalendarButton::None},  {{11, 27}, CalendarButton::None},  {{11, 1}, CalendarButton::None},
      {{896, 2}, CalendarButton::Next},  {{962, 26}, CalendarButton::Next}, {{963, 10}, CalendarButton::None},
      {{895, 10}, CalendarButton::None}, {{480, 15}, CalendarButton::None},
  };
  for (const auto& [p, expected] : cases) {
    EXPECT_EQ(view_.ButtonAt(p), expected) << p.x << "," << p.y;
  }
  // A wider label widens both buttons towards the title.
  view_.PlaceButtons(60);
  EXPECT_EQ(view_.ButtonAt({90, 10}), CalendarButton::Back);
  EXPECT_EQ(view_.ButtonAt({880, 10}), CalendarButton::Next);
}

TEST(CalendarView, TinyWindowHasNoHittableDays) {
  for (const Rect area : {Rect{0, 0, 0, 0}, Rect{0, 0, 10, 50}, Rect{0, 0, 30, 160}}) {
    CalendarLayout view(PackedDate(1, 1, 2024));
    view.Resize(area);
    ASSERT_EQ(view.Months().size(), 4u);
    for (int y = -200; y < 200; ++y) {
      for (int x = -50; x < 50; ++x) {
        if (view.DayAt({x, y}) != nullptr) FAIL() << area.right << ": " << x << "," << y;
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Balloon text

std::u16string Letters(int n) {
  std::u16string tip;
  for (int i = 0; i < n; ++i) {
    if (i > 0) tip += u' ';
    tip += static_cast<char16_t>(u'a' + i % 26);
  }
  return tip;
}

TEST(CalendarBalloonText, LinesBreakAfterTheWordThatPassesFortyLetters) {
  const std::u16string forty = WrapDayTip(Letters(40));
  EXPECT_EQ(forty.find(u'\n'), std::u16string::npos);
  EXPECT_EQ(forty, u" " + Letters(40) + u" ");

  const std::u16string fortyOne = WrapDayTip(Letters(41));
  EXPECT_EQ(fortyOne, u" " + Letters(40) + u" o\n");

  struct Case {
    const char16_t* tip;
    const char16_t* text;
  };
  const Case cases[] = {
      {u"", u" "},
      {u"Low chance", u" Low chance "},
      {u"  two   blanks ", u" two blanks "},  // runs of blanks split once
      {u"abcdefghijabcdefghijabcdefghijabcdefghijX next", u" abcdefghijabcdefghijabcdefghijabcdefghijX\nnext "},
      {u"abcdefghijabcdefghijabcdefghij abcdefghij", u" abcdefghijabcdefghijabcdefghij abcdefghij "},
      {u"abcdefghijabcdefghijabcdefghij abcdefghijk x", u" abcdefghijabcdefghijabcdefghij abcdefghijk\nx "},
  };
  for (const Case& c : cases) EXPECT_EQ(WrapDayTip(c.tip), c.text);
}

TEST(CalendarBalloonText, CountRestartsAfterEachBreak) {
  // 41 letters break the line; the next 40 fit again, the 41st breaks again.
  const std::u16string text = WrapDayTip(Letters(82));
  size_t breaks = 0;
  for (char16_t ch : text) breaks += ch == u'\n' ? 1 : 0;
  EXPECT_EQ(breaks, 2u);
  EXPECT_EQ(text.back(), u'\n');
}

TEST(CalendarBalloonText, NoteFollowsTheTip) {
  EXPECT_EQ(DayBalloonText(u"Ovulation day", u"Note", u"call mum"), u" Ovulation day \n\nNote:\ncall mum");
  EXPECT_EQ(DayBalloonText(u"Ovulation day", u"Note", u""), u" Ovulation day ");
}

TEST(CalendarBalloonText, LongTipsAreCut) {
  const std::u16string tip(kMaxBalloonTip + 100, u'x');
  const std::u16string text = WrapDayTip(tip);
  EXPECT_EQ(text, u" " + std::u16string(kMaxBalloonTip, u'x') + u"\n");
}

}  // namespace

namespace {

TEST(MonthTitleFont, ScalesWithTheMonthButNeverOutgrowsItsBand) {
  struct Case {
    int defaultHeight, monthWidth, band, expected;
  };
  const Case cases[] = {
      {-11, 477, 95, -44},   // room enough: 11 x 4
      {-11, 477, 47, -33},   // a 47-pixel band holds a 33-pixel character
      {-11, 780, 60, -44},   // a wide window: 77 would be clipped
      {-11, 99, 40, 0},      // narrower than 100 pixels scales to nothing, as before
      {13, 300, 30, 20},     // a positive (cell) height keeps its sign
      {-11, 477, 3, -1},     // a band of no room still gets a visible size
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MonthTitleFontHeight(c.defaultHeight, c.monthWidth, c.band), c.expected)
        << c.monthWidth << " " << c.band;
  }
}

}  // namespace
