// What her recorded days say beyond a day's class: whether a date is reached
// by them at all, whether her period is late, what the prediction stands on,
// the range of the next start and the ovulation of each cycle.
#include <algorithm>

#include "model/menstual_manager.h"
#include "settings/options_manager.h"

namespace {

// Her last six counted cycles speak for how much her cycles vary.
constexpr int kRecentCycles = 6;
// A range is given from three counted cycles on, when they differ by this much.
constexpr int kRangeFromCycles = 3;
constexpr int kRangeFromDays = 3;

} // namespace

// A day before every recorded start is reached only by the count back from
// the first start: its ovulation and the fertile days around it, the
// luteal phase and the days before the flow (as ClassifyDay counts them).
DayStanding MenstualManager::Standing(const PackedDate &d) {
  if (!db_->GetStartBefore(d).IsEmpty())
    return DayStanding::kCounted;
  const PackedDate s = db_->GetStartAfter(d);
  if (s.IsEmpty())
    return DayStanding::kNoPeriod;
  const int L = GetPeriodLength();
  const int e = L - (L - GetLutealLength());
  return DaysBetween(d, s) <= e + 4 ? DayStanding::kCounted
                                    : DayStanding::kBeforeFirstPeriod;
}

PackedDate MenstualManager::ExpectedStart() {
  const auto last = db_->GetLastStart();
  if (!last)
    return {};
  return AddDays(last->date, GetPeriodLength());
}

// A start recorded after today (an entry made ahead) means her period is
// known, not late.
int MenstualManager::DaysLate() {
  const auto last = db_->GetLastStart();
  const PackedDate today = clock_.Today();
  if (!last || last->date > today)
    return 0;
  return std::max(0,
                  DaysBetween(AddDays(last->date, GetPeriodLength()), today));
}

bool MenstualManager::LateAnswers(const PackedDate &d, int dayClass) {
  if (dayClass < PrognosisFirstDay || dayClass > NonFertileBeforeFlow)
    return false;
  if (DaysLate() == 0)
    return false;
  return !(d < ExpectedStart());
}

int MenstualManager::CountedCycles() {
  const CycleStatistics &stats = Statistics();
  return stats.average != 0 ? stats.count : 0;
}

RecentCycles MenstualManager::Recent() {
  FollowDatabase();
  if (!recent_) {
    recent_ =
        ComputeRecentCycles(db_->GetStartList(), OptionsManager::minPeriodLen,
                            OptionsManager::maxPeriodLen, kRecentCycles);
  }
  return *recent_;
}

std::optional<StartRange> MenstualManager::NextStartRange() {
  if (CountedCycles() < kRangeFromCycles)
    return std::nullopt;
  const RecentCycles recent = Recent();
  if (recent.longest - recent.shortest < kRangeFromDays)
    return std::nullopt;
  const auto last = db_->GetLastStart();
  if (!last)
    return std::nullopt;
  return StartRange{AddDays(last->date, recent.shortest),
                    AddDays(last->date, recent.longest)};
}

// Only day O of a cycle can be painted as ovulation (both counts of the
// rules land on it), so that day is asked for its class and nothing else.
std::optional<PackedDate>
MenstualManager::OvulationOfCycle(const PackedDate &cycleStart) {
  if (cycleStart.IsEmpty())
    return std::nullopt;
  const PackedDate next = db_->GetStartAfter(AddDays(cycleStart, 1));
  const PackedDate end =
      next.IsEmpty() ? AddDays(cycleStart, GetPeriodLength()) : next;
  const int offset = GetPeriodLength() - GetLutealLength();
  if (offset < 1)
    return std::nullopt;
  const PackedDate candidate = AddDays(cycleStart, offset);
  if (!(candidate < end))
    return std::nullopt;
  if (GetDayClass(candidate) != Ovulation)
    return std::nullopt;
  return candidate;
}
