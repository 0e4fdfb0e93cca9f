#pragma once

// Where things go on the printed page, in printer device units: the
// four-month view in the upper part, the legend of the six class colours and
// the two day marks below it. No window code.

#include <array>

#include "ui/calendar/calendar_layout.h"

// What the printer says of its page.
struct PrintPage {
  int width = 0;     // printable width (HORZRES)
  int height = 0;    // printable height (VERTRES)
  int offsetX = 0;   // physical offsets of the printable area
  int offsetY = 0;
  int dpiX = 300;    // LOGPIXELSX, LOGPIXELSY
  int dpiY = 300;
};

// The legend keeps one physical size on every printer: the sizes a 300-dpi
// printer gives 49, 98 and 105 device units, that is a 49/300-inch square
// (4.1 mm), its label 98/300 inch (8.3 mm) from the square's left edge, lines
// 105/300 inch (8.9 mm) apart, in 12-point text.
inline constexpr int kLegendReferenceDpi = 300;
inline constexpr int kLegendSquare = 49;
inline constexpr int kLegendLabelOffset = 98;
inline constexpr int kLegendLineStep = 105;
inline constexpr int kLegendFontPoints = 12;

struct LegendEntryPlace {
  Rect square;  // filled with the entry's colour
  Point label;  // top-left of the label
};

struct PrintLayout {
  // The calendar's height: as tall as the page is wide on a portrait page,
  // 70 % of the height on a landscape one.
  int calendarHeight = 0;
  // The year and the months shown, in the legend's type at the top left;
  // the view is laid out below it: (x0, y0 + one line) to (width - x0, e - y0).
  Point yearTitle;
  Rect calendarBounds;
  Point title;  // "Legend"
  // Flow, prognosis, non-fertile, fertile, low fertility, ovulation: the
  // order of the class colours; two entries a row.
  std::array<LegendEntryPlace, 6> entries;
  // The mark line: the intercourse heart in a square with its label, then
  // the pill in a square with its label one column on; each picture as the
  // printed days show it.
  Rect sexSquare;
  Point sexLabel;
  Rect pillSquare;
  Point pillLabel;
  int columnStep = 0;
  int fontHeight = 0;  // character height in device units
};

[[nodiscard]] PrintLayout LayOutPrintPage(const PrintPage& page);
