#pragma once

#include <optional>
#include <string>

#include "env/packed_date.h"

// One calendar day of one user: six marks, a temperature, whether that
// temperature was disturbed (illness, a short night, alcohol) and an optional
// note.
class Day {
 public:
  Day() = default;
  Day(PackedDate date, bool menstruationStart, bool menstruationEnd, bool sex, bool pill, bool goodMood,
      bool badMood, double temperature, std::optional<std::u16string> note = std::nullopt)
      : menstruationStart(menstruationStart),
        menstruationEnd(menstruationEnd),
        sex(sex),
        pill(pill),
        goodMood(goodMood),
        badMood(badMood),
        temperature(temperature),
        date(date),
        note(std::move(note)) {}
  virtual ~Day() = default;
  Day(const Day&) = default;
  Day& operator=(const Day&) = default;
  Day(Day&&) = default;
  Day& operator=(Day&&) = default;

  // No marks, no temperature and no (or an empty) note: such a day is never stored.
  [[nodiscard]] bool IsEmpty() const {
    return !menstruationStart && !menstruationEnd && !sex && !pill &&
           !goodMood && !badMood && !disturbed && temperature == 0 &&
           (!note || note->empty());
  }

  bool menstruationStart = false;
  bool menstruationEnd = false;
  bool sex = false;
  bool pill = false;
  bool goodMood = false;
  bool badMood = false;
  double temperature = 0;  // 0 = none; below 50 Celsius, otherwise Fahrenheit
  // The day's temperature does not count for the temperature shift. Bit 6
  // of the record's flags: copies of the program that write it as 0 still
  // read the rest of the day.
  bool disturbed = false;
  PackedDate date;
  std::optional<std::u16string> note;
};
