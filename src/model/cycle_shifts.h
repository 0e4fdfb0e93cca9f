#pragma once

// The temperature shift of each of her cycles: a cycle runs from a recorded
// start to the day before the next one, the last (current) one up to today.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "env/packed_date.h"
#include "model/day.h"
#include "model/temperature_shift.h"

class MenstualManager;

struct CycleShift {
  ShiftCycle cycle;
  TemperatureShift shift;
};

// The cycles of the sorted starts up to today, each with its shift over the
// days given (any order). A start after today begins no cycle yet.
[[nodiscard]] std::vector<CycleShift>
CycleShifts(std::span<const Day> days, std::span<const PackedDate> starts,
            const PackedDate &today);

// The same over the current user's stored days.
[[nodiscard]] std::vector<CycleShift> CycleShifts(MenstualManager &model,
                                                  const PackedDate &today);

// The cycle that holds d, or none (before the first start, after today).
[[nodiscard]] std::optional<CycleShift>
CycleShiftOn(std::span<const CycleShift> cycles, const PackedDate &d);

// The cycle of hers that begins on start, or none.
[[nodiscard]] const CycleShift *
CycleStartingOn(std::span<const CycleShift> cycles, const PackedDate &start);

// Hundredths of a degree as text with two decimals: 3645 -> "36.45".
[[nodiscard]] std::string FormatHundredths(int hundredths);

// What a cycle's shift adds to a table of cycles: the temperature-confirmed
// ovulation (DD.MM.YYYY) and the cover line in Celsius with two decimals;
// both empty when the shift is not confirmed (or there is no such cycle).
struct ShiftFields {
  std::string ovulation;
  std::string coverLine;
  friend bool operator==(const ShiftFields &, const ShiftFields &) = default;
};
[[nodiscard]] ShiftFields ShiftFieldsOf(const CycleShift *cycle);
