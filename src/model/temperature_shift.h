#pragma once

// The temperature shift of one cycle ("three over six"): the first reading
// higher than each of the six undisturbed readings before it, confirmed by
// the next two calendar days above the highest of those six (her cover line),
// the third at least 0.2 °C above it, or a fourth day above it when the third
// stays closer. A pure rule over the readings; the thresholds are below.

#include <span>
#include <vector>

#include "env/packed_date.h"
#include "model/temperature_unit.h"

// How many readings the cover line is taken over.
inline constexpr int kShiftLowCount = 6;
// The cycle's first days, whose readings never count as lows.
inline constexpr int kShiftSkippedDays = 4;
// The first high day and the two calendar days after it.
inline constexpr int kShiftHighCount = 3;
// How far above the cover line the third high must be, in hundredths of a
// degree Celsius.
inline constexpr int kShiftThirdHighMargin = 20;

// A stored temperature in hundredths of a degree Celsius, rounded to the
// nearest hundredth; 0 for no temperature.
[[nodiscard]] int CelsiusHundredths(double stored);

struct TemperatureReading {
  PackedDate date;
  double stored =
      0; // as the day record holds it: Celsius below 50, else Fahrenheit
  bool disturbed = false;
};

// What a reading was to the rule.
enum class ReadingRole { kNone, kLow, kHigh, kDisturbed };

struct RoledReading {
  PackedDate date;
  int hundredths = 0; // °C x 100
  ReadingRole role = ReadingRole::kNone;
  friend bool operator==(const RoledReading &, const RoledReading &) = default;
};

// A cycle: its first day up to its last (the day before the next start, or
// today for the current cycle). An open cycle is the current one: its last
// day and any day after it may still get a reading, so a high day waiting for
// them is rising, not failed.
struct ShiftCycle {
  PackedDate first;
  PackedDate last;
  bool open = false;
};

enum class ShiftState {
  kNone,      // no shift (yet) in this cycle
  kRising,    // a first high day whose confirming days have not come yet
  kConfirmed, // the shift is confirmed
};

struct TemperatureShift {
  ShiftState state = ShiftState::kNone;
  std::vector<PackedDate>
      lows; // the six lows, in date order (kRising, kConfirmed)
  std::vector<PackedDate>
      highs;            // the first high day and the days after it used so far
  int coverLine = 0;    // the highest low, °C x 100
  PackedDate firstHigh; // h
  PackedDate confirmedOn; // the last high day used (kConfirmed)
  PackedDate ovulation;   // the day before h (kConfirmed)
  std::vector<RoledReading>
      readings; // every reading of the cycle, in date order, with its role

  [[nodiscard]] bool Confirmed() const {
    return state == ShiftState::kConfirmed;
  }
};

// The rule over the readings of one cycle; readings outside the cycle, days
// without a temperature and a second reading of a date are left out.
[[nodiscard]] TemperatureShift
FindTemperatureShift(const ShiftCycle &cycle,
                     std::span<const TemperatureReading> readings);
