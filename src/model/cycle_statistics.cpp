#include "model/cycle_statistics.h"

#include <cstdint>

CycleStatistics ComputeCycleStatistics(const std::vector<PackedDate> &starts,
                                       int minLength, int maxLength) {
  CycleStatistics stats;
  int counted = 0;
  int64_t sum = 0;
  for (size_t i = 0; i < starts.size(); ++i) {
    ++stats.count;
    if (i == 0)
      continue;
    const int n = DaysBetween(starts[i - 1], starts[i]);
    if (n < minLength || n > maxLength)
      continue;
    if (stats.shortest == 0 || n < stats.shortest)
      stats.shortest = n;
    if (stats.longest == 0 || n > stats.longest)
      stats.longest = n;
    sum += n;
    ++counted;
  }
  if (counted > 0) {
    stats.average = static_cast<int>(sum / counted);
    stats.count = counted;
  }
  return stats;
}

RecentCycles ComputeRecentCycles(const std::vector<PackedDate> &starts,
                                 int minLength, int maxLength, int recent) {
  RecentCycles span;
  // Walked from the latest start back, so the first `recent` counted pairs are
  // the latest.
  for (size_t i = starts.size(); i > 1 && span.cycles < recent; --i) {
    const int n = DaysBetween(starts[i - 2], starts[i - 1]);
    if (n < minLength || n > maxLength)
      continue;
    if (span.cycles == 0 || n < span.shortest)
      span.shortest = n;
    if (span.cycles == 0 || n > span.longest)
      span.longest = n;
    ++span.cycles;
  }
  return span;
}
