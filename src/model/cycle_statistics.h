#pragma once

#include <vector>

#include "env/packed_date.h"

// The figures of her recorded cycles: pairs of starts 10 to 40 days apart are
// cycles; other pairs are skipped but still end and begin cycles.
struct CycleStatistics {
  int average = 0;  // 0: no cycle counted
  int shortest = 0; // 0: no cycle counted
  int longest = 0;  // 0: no cycle counted
  int count = 0;    // counted cycles, or the number of starts when none counted

  friend bool operator==(const CycleStatistics &,
                         const CycleStatistics &) = default;
};

// starts: the dates of the recorded starts, ascending.
[[nodiscard]] CycleStatistics
ComputeCycleStatistics(const std::vector<PackedDate> &starts, int minLength,
                       int maxLength);

// The shortest and longest of her most recent counted cycles (at most
// `recent` of them, the latest last); the number looked at is `cycles`, 0
// when no pair of starts counts.
struct RecentCycles {
  int cycles = 0;
  int shortest = 0;
  int longest = 0;

  friend bool operator==(const RecentCycles &, const RecentCycles &) = default;
};
[[nodiscard]] RecentCycles
ComputeRecentCycles(const std::vector<PackedDate> &starts, int minLength,
                    int maxLength, int recent);
