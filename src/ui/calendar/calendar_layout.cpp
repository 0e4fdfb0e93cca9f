#include "ui/calendar/calendar_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

// The classic Julian Day Number algorithm with the Gregorian reform on
// 15 October 1582. The weekday of the calendar grid is taken from it on
// purpose (instead of the proleptic Gregorian day count used elsewhere), so
// months before the reform show the weekdays people actually lived.
int JulianDayNumber(int year, int month, int day) {
  constexpr int64_t kGregorianStart = 15 + 31 * (10 + 12 * 1582);
  int64_t jy = year;
  if (jy < 0) ++jy;  // no year 0
  int64_t jm = 0;
  if (month > 2) {
    jm = month + 1;
  } else {
    --jy;
    jm = month + 13;
  }
  // floor(365.25 * jy) + floor(30.6001 * jm) in exact integers.
  int64_t jdn = FloorDiv(1461 * jy, 4) + (306001 * jm) / 10000 + day + 1720995;
  if (day + 31 * (month + 12 * int64_t{year}) >= kGregorianStart) {
    const int64_t century = jy / 100;
    jdn += 2 - century + century / 4;
  }
  return static_cast<int>(jdn);
}

int WeekdayOf(int year, int month, int day) {
  const int w = (JulianDayNumber(year, month, day) + 1) % 7;
  return w < 0 ? w + 7 : w;
}

int FirstDayColumn(int year, int month) { return (WeekdayOf(year, month, 1) + 6) % 7; }

int MonthTitleFontHeight(int defaultHeight, int monthWidth, int bandHeight) {
  const int scaled = defaultHeight * (monthWidth / 100);
  // A character cell is about a fifth taller than the character itself; the
  // band loses its two border rows and the shadow's offset.
  const int room = std::max(1, (bandHeight - 5) * 4 / 5);
  const int magnitude = std::min(scaled < 0 ? -scaled : scaled, room);
  return scaled < 0 ? -magnitude : magnitude;
}

std::u16string DayNumberText(int day) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%2d", day);
  return std::u16string(buf, buf + std::strlen(buf));
}

MonthLayout MonthLayout::Build(int year, int monthIndex, const Rect& bounds) {
  MonthLayout m;
  m.year = year;
  m.monthIndex = monthIndex;
  m.bounds = bounds;
  m.cellHeight = bounds.Height() / kRows;
  m.cellWidth = bounds.Width() / kColumns;

  const int month = monthIndex + 1;
  const int first = FirstDayColumn(year, month);
  const int count = DaysInMonth(year, month);
  m.days.reserve(static_cast<size_t>(count));
  for (int day = 1; day <= count; ++day) {
    const int place = first + day - 1;
    const int row = place / kColumns;
    DayCell cell;
    cell.rect = m.WeekCell(row, place % kColumns);
    cell.day = day;
    cell.month = month;
    cell.year = year;
    cell.column = place % kColumns;
    cell.firstRowParity = row % 2 == 0;
    m.days.push_back(cell);
  }
  return m;
}

Rect MonthLayout::TitleBand() const { return {bounds.left, bounds.top, bounds.right, bounds.top + cellHeight}; }

Rect MonthLayout::LeftTitleCell() const {
  return {bounds.left, bounds.top, bounds.left + cellWidth, bounds.top + cellHeight};
}

Rect MonthLayout::RightTitleCell() const {
  return {bounds.right - cellWidth, bounds.top, bounds.right, bounds.top + cellHeight};
}

Rect MonthLayout::WeekdayCell(int column) const {
  return {bounds.left + column * cellWidth, bounds.top + cellHeight, bounds.left + (column + 1) * cellWidth,
          bounds.top + 2 * cellHeight};
}

// Day cells are shifted one pixel right and start one pixel below their row
// line, so the horizontal grid lines between weeks belong to no day.
Rect MonthLayout::WeekCell(int weekRow, int column) const {
  return {bounds.left + 1 + column * cellWidth, bounds.top + (2 + weekRow) * cellHeight + 1,
          bounds.left + 1 + (column + 1) * cellWidth, bounds.top + (3 + weekRow) * cellHeight};
}

CalendarLayout::CalendarLayout(const PackedDate& today)
    : year_(today.year), firstMonthIndex_(today.month - 1), selected_(today) {}

Rect CalendarLayout::WindowRectFor(const Rect& calendarArea) {
  return {0, kFrameBandHeight, calendarArea.Width(), calendarArea.Height()};
}

Rect CalendarLayout::BoundsFor(const Rect& calendarArea) {
  return {0, 0, 14 * (calendarArea.Width() / 14) + 9, calendarArea.Height() - kFrameBandHeight};
}

void CalendarLayout::Resize(const Rect& calendarArea) {
  bounds_ = BoundsFor(calendarArea);
  LayoutMonths();
}

// Two rows of two months under the 30-pixel header, 10 pixels in from the
// sides; the division truncates, so a small remainder stays unused.
void CalendarLayout::LayoutMonths() {
  months_.clear();
  const Rect& b = bounds_;
  monthWidth_ = (b.Width() - 20) / 2;
  monthHeight_ = (b.Height() - 40) / 2;
  months_.reserve(kShownMonths);
  for (int k = 0; k < kShownMonths; ++k) {
    const int r = k / kMonthColumns;
    const int c = k % kMonthColumns;
    const Rect rect{b.left + 10 + c * monthWidth_, b.top + kHeaderHeight + r * monthHeight_,
                       b.left + 10 + (c + 1) * monthWidth_, b.top + kHeaderHeight + (r + 1) * monthHeight_};
    int index = firstMonthIndex_ + k;
    int year = year_;
    if (index >= 12) {
      index -= 12;
      ++year;
    }
    months_.push_back(MonthLayout::Build(year, index, rect));
  }
}

namespace {

// Paging without laying the months out: Next and Back move by one month and
// keep the first shown month at September or earlier.
void PageForward(int& year, int& firstMonthIndex) {
  if (++firstMonthIndex > CalendarLayout::kLastFirstMonthIndex) {
    firstMonthIndex = 0;
    ++year;
  }
}

void PageBack(int& year, int& firstMonthIndex) {
  if (--firstMonthIndex < 0) {
    firstMonthIndex = CalendarLayout::kLastFirstMonthIndex;
    --year;
  }
}

int MonthOrdinal(const PackedDate& date) { return date.year * 12 + (date.month - 1); }

}  // namespace

PackedDate SteppedDate(const PackedDate& date, CalendarStep step) {
  switch (step) {
    case CalendarStep::DayBack: return AddDays(date, -1);
    case CalendarStep::DayForward: return AddDays(date, 1);
    case CalendarStep::WeekBack: return AddDays(date, -7);
    case CalendarStep::WeekForward: return AddDays(date, 7);
    case CalendarStep::MonthBack:
    case CalendarStep::MonthForward: {
      const int ordinal = MonthOrdinal(date) + (step == CalendarStep::MonthForward ? 1 : -1);
      const int year = ordinal / 12;
      const int month = ordinal % 12 + 1;
      return PackedDate(std::min<int>(date.day, DaysInMonth(year, month)), month, year);
    }
  }
  return date;
}

void CalendarLayout::ShowNextMonth() {
  PageForward(year_, firstMonthIndex_);
  LayoutMonths();
}

void CalendarLayout::ShowPreviousMonth() {
  PageBack(year_, firstMonthIndex_);
  LayoutMonths();
}

bool CalendarLayout::IsShown(const PackedDate& date) const {
  const int ordinal = MonthOrdinal(date);
  return ordinal >= FirstShownOrdinal() && ordinal < FirstShownOrdinal() + kShownMonths;
}

// Each page moves the first shown month one step nearer the date (a page
// from September moves it four months on), so the loops end.
bool CalendarLayout::SelectAndReveal(const PackedDate& date) {
  selected_ = date;
  if (IsShown(date)) return false;
  const int target = MonthOrdinal(date);
  while (FirstShownOrdinal() > target) PageBack(year_, firstMonthIndex_);
  while (FirstShownOrdinal() + kShownMonths <= target) PageForward(year_, firstMonthIndex_);
  LayoutMonths();
  return true;
}

void CalendarLayout::ShowToday(const PackedDate& today) {
  year_ = today.year;
  firstMonthIndex_ = today.month - 1;
  selected_ = today;
  LayoutMonths();
}

Rect CalendarLayout::HeaderBand() const {
  return {bounds_.left + 7, bounds_.top, bounds_.left + 2 * monthWidth_ + 11, bounds_.top + kHeaderHeight};
}

// Each button holds its 9-pixel arrow and its label; labelWidth is the wider
// of "Back" and "Next" in the header font, so both buttons match.
void CalendarLayout::PlaceButtons(int labelWidth) {
  const Rect band = HeaderBand();
  back_ = {band.left + 4, bounds_.top + 2, band.left + labelWidth + 31, bounds_.top + 27};
  next_ = {band.right - labelWidth - 29, bounds_.top + 2, band.right - 2, bounds_.top + 27};
}

CalendarButton CalendarLayout::ButtonAt(Point p) const {
  if (back_.Contains(p)) return CalendarButton::Back;
  if (next_.Contains(p)) return CalendarButton::Next;
  return CalendarButton::None;
}

const DayCell* CalendarLayout::DayAt(Point p) const {
  for (const MonthLayout& month : months_) {
    for (const DayCell& day : month.days) {
      if (day.rect.Contains(p)) return &day;
    }
  }
  return nullptr;
}

const DayCell* CalendarLayout::HitTest(Point p) {
  for (MonthLayout& month : months_) {
    for (DayCell& day : month.days) {
      if (!day.rect.Contains(p)) continue;
      for (MonthLayout& other : months_) {
        for (DayCell& d : other.days) d.hovered = false;
      }
      day.hovered = true;
      month.selected = day.Date();
      return &day;
    }
  }
  return nullptr;
}

const DayCell* CalendarLayout::HoveredDay() const {
  for (const MonthLayout& month : months_) {
    for (const DayCell& day : month.days) {
      if (day.hovered) return &day;
    }
  }
  return nullptr;
}

void CalendarLayout::ClearHover() {
  for (MonthLayout& month : months_) {
    for (DayCell& d : month.days) d.hovered = false;
  }
}

const DayCell* CalendarLayout::SelectAt(Point p) {
  const DayCell* day = DayAt(p);
  if (day) selected_ = day->Date();
  return day;
}

const DayCell* CalendarLayout::SelectedCell() const {
  for (const MonthLayout& month : months_) {
    for (const DayCell& day : month.days) {
      if (day.Date() == selected_) return &day;
    }
  }
  return nullptr;
}
