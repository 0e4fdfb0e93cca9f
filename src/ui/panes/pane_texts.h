#pragma once

// What the side panes and the today dialog show, worked out without windows:
// the today line, the temperature and note texts of the info pane, the look
// ahead of the today dialog and the entries of the period pane's lists.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "env/packed_date.h"
#include "model/day.h"
#include "model/temperature_shift.h"

class LocaleManager;
class MenstualManager;
class OptionsManager;
struct StartRange;

// "Today is d.m.y (day n of period)" counted from the last recorded start on
// or before today, the start itself being day 1; "Today is d.m.y" without
// such a start; "Today is d.m.y (your period is n days late)" while late.
[[nodiscard]] std::u16string TodayLine(const LocaleManager &locale,
                                       const PackedDate &today,
                                       const PackedDate *lastStart,
                                       int daysLate = 0);

// Everything the Day pane says about today, one line each; a line with
// nothing to say is empty. The tool prints the same.
struct TodayWords {
  std::u16string today; // the today line
  std::u16string label; // today's class, or what stands in for it
  std::u16string
      basis; // what the prediction stands on, while it stands on little
  std::u16string range; // the range of the next start, for irregular cycles
  std::u16string tip;   // today's tip; empty where her days say nothing
  std::u16string test;  // from 10 days late on: a pregnancy test can tell
};
[[nodiscard]] TodayWords TodayWordsFrom(MenstualManager &model,
                                        const PackedDate &today);
// The lines of the prediction for the Day pane's text: basis, range and
// the test line, each on its own line, those with something to say.
[[nodiscard]] std::u16string PredictionLines(const TodayWords &words);
// From this many days late on, the Day pane says a pregnancy test can tell.
inline constexpr int kTestFromDaysLate = 10;

// The number as C's "%3.01f" writes it: one decimal, at least three characters.
[[nodiscard]] std::u16string FormatOneDecimal(double value);

// The temperature button: the day's temperature in the unit of the setting,
// whatever unit it was entered in ("36.6 C", "97.9 F"; converted, then
// reduced to single precision and shown with one decimal), or "Set
// Temperature" when the day has no record or no temperature.
[[nodiscard]] std::u16string TemperatureButtonText(const LocaleManager& locale, const Day* day, bool fahrenheit);

// The info pane's edit: "Note: <note>\r\n" when the day has a note, then the
// tip.
[[nodiscard]] std::u16string InfoEditText(const LocaleManager &locale,
                                          const Day *day,
                                          std::u16string_view tip);

// The date the Day pane shows, named in full: "Wednesday, 10.12.2026".
[[nodiscard]] std::u16string SelectedDayLine(const LocaleManager &locale,
                                             const PackedDate &date);

// Before any period is marked the pane has no cycle to speak of: its class
// button says so and its text tells her how to begin.
[[nodiscard]] std::u16string NoPeriodClassText(const LocaleManager &locale);
[[nodiscard]] std::u16string NoPeriodHint(const LocaleManager &locale);

// The class label of the class button; empty for a value outside 0-11.
[[nodiscard]] std::u16string ClassButtonText(const LocaleManager &locale,
                                             int dayClass);

// What the today dialog finds in the 100 days from today (day 0 = today).
struct LookAhead {
  static constexpr int kDays = 100;
  static constexpr int kBirthAfter =
      270; // days from the conceiving day to the birth

  PackedDate menstruation; // the next first flow day, recorded or predicted;
                           // empty when none
  int menstruationDays = 0;
  PackedDate ovulation; // empty when none
  int ovulationDays = 0;
  PackedDate genderDay; // the next boy or girl day; empty when none
  bool girl =
      false; // the gender day is a girl day (a boy day or none shows the boy)
  PackedDate birth; // the gender day (or today) plus 270 days
};
// classify: the day class of a date (the cycle manager's ClassifyDay).
[[nodiscard]] LookAhead
LookAheadFrom(const PackedDate &today,
              const std::function<int(const PackedDate &)> &classify);

// The today dialog's line of the next menstruation: while late "Next
// menstruation: n days late (expected d.m.y)"; the range when her cycles
// vary and the next start is the expected one; "d.m.y, n days left"; and
// "not known yet" when no start lies ahead.
[[nodiscard]] std::u16string
NextMenstruationLine(const LocaleManager &locale, const LookAhead &found,
                     int daysLate, const PackedDate &expected,
                     const std::optional<StartRange> &range);
// "Next ovulation: d.m.y, n days left", or "not known yet".
[[nodiscard]] std::u16string NextOvulationLine(const LocaleManager &locale,
                                               const LookAhead &found);

// What the today dialog says: the today line, the next menstruation (late,
// its range, or not known yet), the next ovulation, the basis of the
// prediction, the birth date (empty without a gender day ahead) and today's
// tip, or what stands in for it.
struct TodayDialogWords {
  LookAhead found;
  std::u16string today;
  std::u16string menstruation;
  std::u16string ovulation;
  std::u16string basis;
  std::u16string birth;
  std::u16string tip;
};
[[nodiscard]] TodayDialogWords TodayDialogWordsFrom(MenstualManager &model,
                                                    const PackedDate &today);

// "Next menstruation: d.m.y, n days left" and the like from a key with three
// date numbers and a count; an empty date shows as 0.0.0.
[[nodiscard]] std::u16string DateCountLine(const LocaleManager &locale,
                                           std::u16string_view key,
                                           const PackedDate &date, int days);
// "Date of the birth and the gender: d.m.y."
[[nodiscard]] std::u16string BirthLine(const LocaleManager &locale,
                                       const PackedDate &birth);

// The entries of a list of lengths first..last, each "%d".
[[nodiscard]] std::vector<std::u16string> LengthEntries(int first, int last);
// The list index of a length, kept inside the list when the stored value is
// not.
[[nodiscard]] int LengthIndex(int value, int first, int last);

// "Disturbed temperature" when the day's temperature is marked disturbed, else
// nothing.
[[nodiscard]] std::u16string DisturbedLine(const LocaleManager &locale,
                                           const Day *day);

// What her temperatures say of the current cycle: "Temperature shift
// confirmed on d.m.y: ovulation about d.m.y", "Temperature rising since d.m.y:
// not yet confirmed", or nothing (no shift yet, no temperatures).
[[nodiscard]] std::u16string
TemperatureShiftLine(const LocaleManager &locale,
                     const TemperatureShift &shift);
