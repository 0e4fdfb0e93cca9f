#pragma once

// What the My cycles list and the figures of the Statistic dialog show,
// worked out without windows.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "env/packed_date.h"

class LocaleManager;
class MenstualManager;
class OptionsManager;

// One row of the cycles list: the start's date, the days to the next start
// and the expected ovulation of that cycle. The latest start has no next
// start and leaves the last two empty.
struct CycleRow {
  std::u16string begin;
  std::u16string length;
  std::u16string ovulation;
  friend bool operator==(const CycleRow &, const CycleRow &) = default;
};

// starts: ascending. Every pair shows its length, also one outside 10..40
// days. The ovulation of a cycle is the one the model owns (the day the
// calendar paints as ovulation), asked of ovulationOf with the cycle's start;
// none when the calendar paints none in that cycle.
using OvulationOf =
    std::function<std::optional<PackedDate>(const PackedDate &cycleStart)>;
[[nodiscard]] std::vector<CycleRow>
CycleRows(const std::vector<PackedDate> &starts,
          const OvulationOf &ovulationOf);
// The rows of her recorded starts, each cycle's ovulation from the model.
[[nodiscard]] std::vector<CycleRow> CycleRows(MenstualManager &model);
// What My cycles says above its list: the basis of the prediction while it
// stands on little (automatic lengths, fewer than three counted cycles).
[[nodiscard]] std::u16string CyclesBasisLine(MenstualManager &model);

// The four figures of the Statistic dialog.
struct StatisticFigures {
  int longest = 0;
  int shortest = 0;
  int average = 0;
  int count = 0;
  friend bool operator==(const StatisticFigures &,
                         const StatisticFigures &) = default;
};
// Drops the cached figures and caches first, so a start marked a moment ago
// counts, then reads longest, shortest, average and count.
[[nodiscard]] StatisticFigures FreshStatisticFigures(MenstualManager &model);
// The four labels: "Maximum cycle lenght: 30" and so on, in the order
// longest, shortest, average, count.
[[nodiscard]] std::array<std::u16string, 4>
FigureTexts(const LocaleManager &locale, const StatisticFigures &figures);
