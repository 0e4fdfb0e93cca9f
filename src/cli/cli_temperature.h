#pragma once

// tamarel-cli's view of her temperatures: the readings of a range of days
// with what each was to the temperature shift, and the shift's fields of a
// row of the cycles table.

#include <span>
#include <string>

#include "env/packed_date.h"
#include "model/cycle_shifts.h"
#include "model/day.h"

// "low", "high", "disturbed" or "".
[[nodiscard]] const char *ReadingRoleName(ReadingRole role);

// One line per day from..to with a temperature: the date (DD.MM.YYYY), the
// reading in Celsius with two decimals and its role, separated by tabs. A
// reading outside every cycle has a role only when it is disturbed.
[[nodiscard]] std::string FormatShiftLines(std::span<const CycleShift> cycles,
                                           std::span<const Day> days,
                                           const PackedDate &from,
                                           const PackedDate &to);

// The two fields the cycles table gains per row, each after a tab: the
// temperature-confirmed ovulation and the cover line (both empty when the
// cycle starting on start has no confirmed shift).
[[nodiscard]] std::string CycleShiftColumns(std::span<const CycleShift> cycles,
                                            const PackedDate &start);
