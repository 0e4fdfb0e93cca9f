#pragma once

#include <windows.h>

#include <vector>

#include "env/theme.h"
#include "ui/calendar/calendar_layout.h"
#include "ui/calendar/gdi_cache_win32.h"

class MenstualManager;
class OptionsManager;
class LocaleManager;
class IClock;

// The window-side names of the calendar's model objects: the view, a month
// and a day cell. They are the layout's own structs; the window adds only
// hover and button state, which it keeps itself.
using AFCYearObj = CalendarLayout;
using AFCYueObj = MonthLayout;
using AFCDayObj = DayCell;

// The colours a month is painted with, taken from the theme (or from the
// Windows system colours when the theme asks for them).
struct MonthColors {
  COLORREF background = 0;
  COLORREF text = 0;
  COLORREF title = 0;
  COLORREF weekdayRow = 0;
  COLORREF titleText = 0;
};

// The theme colours as painted: with the system-colours flag the dark colour
// is the active caption's and the base and pale colours the tooltip's.
[[nodiscard]] ThemeRecord PaintedTheme(const ThemeRecord& theme);
[[nodiscard]] MonthColors MonthColorsFor(const ThemeRecord& theme);

// Draws the calendar on any device context: the control's off-screen
// buffer, a printer, or the desktop picture. It reads day classes and day
// records from the cycle manager's memory caches, never from the file twice.
class CalendarPainter {
 public:
  // The colour the desktop picture treats as transparent.
  static constexpr COLORREF kDesktopTransparent = RGB(1, 1, 1);
  // Keys of the pictures: white for the day marks, light grey for the arrows.
  static constexpr COLORREF kIconKey = RGB(255, 255, 255);
  static constexpr COLORREF kArrowKey = RGB(200, 200, 200);
  // The frame of the selected day, inside its raised 3-D frame.
  static constexpr int kSelectionFrameWidth = 2;

  CalendarPainter(MenstualManager& model, const OptionsManager& options, const LocaleManager& locale,
                  const IClock& clock);

  // The whole view: header band with title and buttons, then the months.
  // Places the Back and Next buttons in the view (hit testing uses them).
  // On paper there are no buttons to press and no band: the page prints
  // the title in its own type (YearTitle).
  void DrawYear(HDC dc, AFCYearObj& year, bool overBack, bool overNext, bool paper = false) const;
  // "2024 (June - September)": the year and the first and last month shown.
  [[nodiscard]] std::wstring YearTitle(const AFCYearObj& year) const;
  // One month; desktop: the month goes onto the desktop picture, so its
  // background is the transparent colour and it gets no frames. paper: the
  // days are drawn as on paper (DrawDay).
  void DrawMonth(HDC dc, const AFCYueObj& month, bool desktop = false, bool paper = false) const;
  // One day cell; hovered selects the hovered look. On paper the cell is
  // drawn as a screen cell kPaperCellReference wide grown to its printed
  // size: the marks keep their pictures (the heart, not an "S"), their
  // places and their share of the cell, the number keeps clear of the
  // borders and fits a short cell.
  void DrawDay(HDC dc, const AFCDayObj& day, bool hovered, bool paper = false) const;
  static constexpr int kPaperCellReference = 60;

  // Repaints only these cells of a view that was painted whole before and
  // changed since only in which day is hovered: each cell comes out exactly
  // as a full DrawYear would leave it, and nothing outside the cells is
  // touched. Moving the mouse from one day to the next costs two cells
  // instead of the whole view.
  void RepaintCells(HDC dc, const AFCYearObj& year, const std::vector<Rect>& cells) const;

  // Measures the button labels in the header font and places the buttons,
  // without painting (the window does this before its first paint).
  void PlaceButtons(HDC dc, AFCYearObj& year) const;

  // Draws a bitmap with its top-left corner at (x, y); pixels of the key
  // colour leave the destination as it was.
  static void DrawTransparentBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF key);
  // A picture of the program's resources, loaded on first use and kept for
  // the life of the process; null when it is missing.
  static HBITMAP Picture(int id);

 private:
  int MeasureButtonLabel(HDC dc) const;
  void DrawHeaderGradient(HDC dc, const Rect& band, const ThemeRecord& theme) const;
  void DrawButtons(HDC dc, const AFCYearObj& year, const ThemeRecord& theme, bool overBack, bool overNext) const;
  void DrawWeekdayRow(HDC dc, const AFCYueObj& month, const MonthColors& colors) const;
  void DrawSelectionFrame(HDC dc, const Rect& cell) const;

  MenstualManager& model_;
  const OptionsManager& options_;
  const LocaleManager& locale_;
  const IClock& clock_;
  // Fonts by size: painting is const, the cache only remembers handles.
  mutable FontCache fonts_;
};
