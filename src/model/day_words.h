#pragma once

// Words that count days or cycles, in the current language: one day takes
// its own text (KEY_ONE), every other count the text of the key itself.

#include <string>
#include <string_view>

#include "env/packed_date.h"

class LocaleManager;
struct StartRange;

// KEY_ONE for a count of one, KEY otherwise.
[[nodiscard]] std::u16string CountKey(std::u16string_view key, long long count);

// "Your period is N days late".
[[nodiscard]] std::u16string LateLine(const LocaleManager &locale,
                                      int daysLate);

// The three numbers of a date as a text's %d.%d.%d.
[[nodiscard]] std::u16string FormatDayMonthYear(std::u16string_view format,
                                                const PackedDate &date);

// "Next menstruation: d.m.y (between d.m.y and d.m.y)".
[[nodiscard]] std::u16string RangeLine(const LocaleManager &locale,
                                       const PackedDate &expected,
                                       const StartRange &range);
// "Next menstruation: N days late (expected d.m.y)".
[[nodiscard]] std::u16string NextLateLine(const LocaleManager &locale,
                                          int daysLate,
                                          const PackedDate &expected);
// What a prediction stands on, while it stands on little: with automatic
// lengths and fewer than three counted cycles, "Based on N recorded cycles"
// (none: "Based on the default 28-day cycle" with periodLen); else empty.
[[nodiscard]] std::u16string BasisLine(const LocaleManager &locale,
                                       bool automatic, int countedCycles,
                                       int periodLen);
