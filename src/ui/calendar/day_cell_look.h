#pragma once

// What a day cell shows: its fill colour and which marks it carries, decided
// from the day's class, its record, the "show" settings, the goal and the
// cell's width. The painter only draws what this says, so every rule about
// which mark appears when is checked here without a window.

#include <optional>

#include "env/theme.h"
#include "ui/calendar/calendar_layout.h"

class Day;
class OptionsManager;

// Cells from this width on are too large for the small icons; wider than it
// they show letters instead of the sex and pill pictures (at exactly this
// width the pictures are still drawn).
inline constexpr int kLetterCellWidth = 180;

enum class MarkStyle { None, Picture, Letter };

struct DayCellLook {
  std::optional<ColorRef> fill;  // none: the month's colour stays beneath
  int icon = 0;                  // bitmap id at the bottom left (bad feeling, boy, girl), 0 for none
  bool note = false;             // note picture
  MarkStyle sex = MarkStyle::None;
  MarkStyle pill = MarkStyle::None;
  int mood = 0;  // good or bad mood bitmap id, 0 for none
  bool disturbed = false; // the day's temperature is marked disturbed
};

// dayClass: 0-11, anything else has no class; day: the record or null;
// hovered: the cell under the mouse, whose fill loses some blue.
[[nodiscard]] DayCellLook DecideDayCellLook(int dayClass, const Day* day, const OptionsManager& options, int cellWidth,
                                            bool hovered);

// The colour of a day's number on its fill (none: the month's pale colour
// beneath): black or white, whichever stands out more, so that the number
// stays readable on any class colour she picks. Today's number is blue
// wherever blue still reads (a contrast of at least 3:1).
[[nodiscard]] ColorRef DayNumberColor(ColorRef background, bool today);
// The contrast ratio of two colours: ContrastRatio in env/theme.h.

// Where a mark width x height goes in its cell so that it leaves the day's
// number (the box its text takes, top right) readable: where it is wanted
// when that misses the number; else moved left of the number; else below it;
// as far as the cell allows (a cell too small for both keeps it at its left
// edge).
[[nodiscard]] Point MarkPlace(Point wanted, int width, int height, const Rect& number, const Rect& cell);
