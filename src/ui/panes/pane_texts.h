#pragma once

// What the side panes and the today dialog show, worked out without windows:
// the today line, the temperature and note texts of the info pane, the look
// ahead of the today dialog and the entries of the period pane's lists.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "env/packed_date.h"
#include "model/day.h"
#include "model/temperature_shift.h"

class LocaleManager;

// "Today is d.m.y (day n of period)" counted from the last recorded start on
// or before today, the start itself being day 1; "Today is d.m.y" without
// such a start.
[[nodiscard]] std::u16string TodayLine(const LocaleManager& locale, const PackedDate& today,
                                       const PackedDate* lastStart);

// The number as C's "%3.01f" writes it: one decimal, at least three characters.
[[nodiscard]] std::u16string FormatOneDecimal(double value);

// The temperature button: "36.6 C" below 50, "97.9 F" from 50 on (the value
// reduced to single precision first, never converted), or "Set Temperature"
// when the day has no record or no temperature.
[[nodiscard]] std::u16string TemperatureButtonText(const LocaleManager& locale, const Day* day);

// The info pane's edit: "Note: <note>\r\n" when the day has a note, then the tip.
[[nodiscard]] std::u16string InfoEditText(const LocaleManager& locale, const Day* day, std::u16string_view tip);

// The date the Day pane shows, named in full: "Wednesday, 10.12.2026".
[[nodiscard]] std::u16string SelectedDayLine(const LocaleManager& locale, const PackedDate& date);

// Before any period is marked the pane has no cycle to speak of: its class
// button says so and its text tells her how to begin.
[[nodiscard]] std::u16string NoPeriodClassText(const LocaleManager& locale);
[[nodiscard]] std::u16string NoPeriodHint(const LocaleManager& locale);

// The class label of the class button; empty for a value outside 0-11.
[[nodiscard]] std::u16string ClassButtonText(const LocaleManager& locale, int dayClass);

// What the today dialog finds in the 100 days from today (day 0 = today).
struct LookAhead {
  static constexpr int kDays = 100;
  static constexpr int kBirthAfter = 270;  // days from the conceiving day to the birth

  PackedDate menstruation;  // the next first flow day, recorded or predicted; empty when none
  int menstruationDays = 0;
  PackedDate ovulation;  // empty when none
  int ovulationDays = 0;
  PackedDate genderDay;  // the next boy or girl day; empty when none
  bool girl = false;     // the gender day is a girl day (a boy day or none shows the boy)
  PackedDate birth;      // the gender day (or today) plus 270 days
};
// classify: the day class of a date (the cycle manager's ClassifyDay).
[[nodiscard]] LookAhead LookAheadFrom(const PackedDate& today, const std::function<int(const PackedDate&)>& classify);

// "Next menstruation: d.m.y, n days left" and the like from a key with three
// date numbers and a count; an empty date shows as 0.0.0.
[[nodiscard]] std::u16string DateCountLine(const LocaleManager& locale, std::u16string_view key,
                                           const PackedDate& date, int days);
// "Date of the birth and the gender: d.m.y."
[[nodiscard]] std::u16string BirthLine(const LocaleManager& locale, const PackedDate& birth);

// The entries of a list of lengths first..last, each "%d".
[[nodiscard]] std::vector<std::u16string> LengthEntries(int first, int last);
// The list index of a length, kept inside the list when the stored value is not.
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
