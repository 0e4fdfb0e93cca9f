#pragma once

// The arithmetic of the four-month calendar control: which months are shown,
// where every month, title band, weekday cell and day cell lies for a given
// client size, how paging moves the view, and which date or button is under a
// point. No window code: the control (AFCYearSelectWnd and the AFCYearObj /
// AFCYueObj / AFCDayObj objects built on these structs) paints and routes
// the mouse, this file only answers questions about geometry and dates.

#include <string>
#include <vector>

#include "env/packed_date.h"
#include "env/rect.h"

// Julian Day Number of a date: Julian calendar up to 4 October 1582,
// Gregorian from 15 October 1582 on. Year 0 does not exist (1 BC is -1).
[[nodiscard]] int JulianDayNumber(int year, int month, int day);

// Weekday of a date from its Julian Day Number, 0 = Sunday ... 6 = Saturday.
[[nodiscard]] int WeekdayOf(int year, int month, int day);

// Column of the first day of a month in a week that starts on Monday
// (0 = Monday ... 6 = Sunday).
[[nodiscard]] int FirstDayColumn(int year, int month);

// The month title's font height: the default font's height scaled by the
// month's width (one step per 100 pixels), but never taller than the title
// band holds with its 3-pixel shadow, so no title is clipped at wide windows.
// Heights keep the font's sign convention (negative: character height).
[[nodiscard]] int MonthTitleFontHeight(int defaultHeight, int monthWidth, int bandHeight);

// "%2d": days 1-9 carry a leading blank so the numbers line up right-aligned.
[[nodiscard]] std::u16string DayNumberText(int day);

// One day of a month on screen (what AFCDayObj holds).
struct DayCell {
  Rect rect;
  int day = 0;
  int month = 0;  // 1-12
  int year = 0;
  int column = 0;              // 0 = Monday ... 6 = Sunday
  bool firstRowParity = true;  // true on week rows 0, 2, 4
  bool hovered = false;

  [[nodiscard]] PackedDate Date() const { return PackedDate(day, month, year); }
  [[nodiscard]] std::u16string Text() const { return DayNumberText(day); }
};

// One month on screen (what AFCYueObj holds): a grid of 8 rows by 7 columns,
// row 0 the title band, row 1 the weekday names, rows 2-7 six week rows.
struct MonthLayout {
  static constexpr int kRows = 8;
  static constexpr int kColumns = 7;
  static constexpr int kWeekRows = 6;

  int year = 0;
  int monthIndex = 0;  // 0 = January
  Rect bounds;
  int cellWidth = 0;
  int cellHeight = 0;
  std::vector<DayCell> days;  // day 1 first, no cells for the empty places
  PackedDate selected;        // the date last hovered in this month

  // Lays out the days of one month inside bounds.
  [[nodiscard]] static MonthLayout Build(int year, int monthIndex, const Rect& bounds);

  [[nodiscard]] int Month() const { return monthIndex + 1; }
  [[nodiscard]] Rect TitleBand() const;
  [[nodiscard]] Rect LeftTitleCell() const;
  [[nodiscard]] Rect RightTitleCell() const;
  // Cell of the weekday name in column 0 (Monday) ... 6 (Sunday).
  [[nodiscard]] Rect WeekdayCell(int column) const;
  // Cell of week row 0-5, column 0-6, whether or not a day lies there.
  [[nodiscard]] Rect WeekCell(int weekRow, int column) const;
};

enum class CalendarButton { None, Back, Next };

// The keyboard's steps through the days: a day, a week (the row above or
// below), a month (the same day of the month, or the month's last day when
// it is shorter).
enum class CalendarStep { DayBack, DayForward, WeekBack, WeekForward, MonthBack, MonthForward };

// The date one step away from date.
[[nodiscard]] PackedDate SteppedDate(const PackedDate& date, CalendarStep step);

// The shown view (what AFCYearObj holds): the year and first month of a page
// of 2 x 2 months, their layout inside the bounds, the Back/Next buttons of
// the header and the selected date.
class CalendarLayout {
 public:
  static constexpr int kMonthRows = 2;
  static constexpr int kMonthColumns = 2;
  static constexpr int kShownMonths = kMonthRows * kMonthColumns;
  // Paging keeps the first shown month at September or earlier, so a paged
  // view stays inside one year; ShowToday may start later and cross the
  // year end.
  static constexpr int kLastFirstMonthIndex = 12 - kShownMonths;
  // The main frame's top band; the control sits below it.
  static constexpr int kFrameBandHeight = 97;
  // Height of the control's own header (title and buttons) above the months.
  static constexpr int kHeaderHeight = 30;

  // The view starts at today's month; no months exist until the first Resize.
  explicit CalendarLayout(const PackedDate& today);

  // Where the control window goes inside the frame's calendar area (the
  // frame client minus the panes), in frame client coordinates.
  [[nodiscard]] static Rect WindowRectFor(const Rect& calendarArea);
  // The bounds the months are laid out in after a resize, in control
  // coordinates: the width is rounded down to a multiple of 14 and 9 added,
  // so the two month columns divide it evenly.
  [[nodiscard]] static Rect BoundsFor(const Rect& calendarArea);

  // Size event: new bounds from the calendar area, months rebuilt.
  void Resize(const Rect& calendarArea);
  // Sets the bounds without rebuilding the months (painting does this).
  void SetBounds(const Rect& bounds) { bounds_ = bounds; }
  // Rebuilds the four months inside the current bounds; hover is lost.
  void LayoutMonths();

  void ShowNextMonth();
  void ShowPreviousMonth();
  void ShowToday(const PackedDate& today);

  [[nodiscard]] int Year() const { return year_; }
  [[nodiscard]] int FirstMonthIndex() const { return firstMonthIndex_; }
  // Month index (0-11) of the last shown month, counted past December.
  [[nodiscard]] int LastMonthIndex() const { return (firstMonthIndex_ + kShownMonths - 1) % 12; }
  [[nodiscard]] const Rect& Bounds() const { return bounds_; }
  [[nodiscard]] int MonthWidth() const { return monthWidth_; }
  [[nodiscard]] int MonthHeight() const { return monthHeight_; }
  [[nodiscard]] const std::vector<MonthLayout>& Months() const { return months_; }

  // The gradient header above the months that holds the title and buttons.
  [[nodiscard]] Rect HeaderBand() const;
  // Places Back and Next in the header for the wider of their two labels.
  void PlaceButtons(int labelWidth);
  [[nodiscard]] const Rect& BackButton() const { return back_; }
  [[nodiscard]] const Rect& NextButton() const { return next_; }
  [[nodiscard]] CalendarButton ButtonAt(Point p) const;

  // The day under a point, or nullptr; changes nothing.
  [[nodiscard]] const DayCell* DayAt(Point p) const;
  // The day under a point, or nullptr. A hit makes that day the only hovered
  // one (and the last hovered date of its month); a miss changes nothing, so
  // the last hovered day stays marked. Hovering never selects.
  const DayCell* HitTest(Point p);
  [[nodiscard]] const DayCell* HoveredDay() const;
  // Forgets the hovered day (the mouse left the calendar, a menu opened).
  void ClearHover();

  // The day she picked: today until she clicks a day, and again after
  // ShowToday. Every command on "the selected day" works on this date, never
  // on the one under the mouse.
  [[nodiscard]] const PackedDate& Selected() const { return selected_; }
  // A click: the day under p becomes the selected day; nullptr and no change
  // off the days.
  const DayCell* SelectAt(Point p);
  void Select(const PackedDate& date) { selected_ = date; }
  // The cell of the selected date when it is shown, or nullptr.
  [[nodiscard]] const DayCell* SelectedCell() const;
  // Whether the date's month is one of the four shown.
  [[nodiscard]] bool IsShown(const PackedDate& date) const;
  // The keyboard's selection: the date becomes the selected day and the view
  // pages, as Back and Next do, until its month is shown. True when the view
  // moved (the months are then laid out again and hover is lost).
  bool SelectAndReveal(const PackedDate& date);

 private:
  int year_ = 0;
  int firstMonthIndex_ = 0;
  Rect bounds_{0, 0, 400, 400};
  int monthWidth_ = 0;
  int monthHeight_ = 0;
  std::vector<MonthLayout> months_;
  Rect back_;
  Rect next_;
  PackedDate selected_;

  // The shown months counted from year 0: first and one past the last.
  [[nodiscard]] int FirstShownOrdinal() const { return year_ * 12 + firstMonthIndex_; }
};
