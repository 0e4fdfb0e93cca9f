#include "model/temperature_shift.h"

#include <algorithm>
#include <cmath>

namespace {

struct Entry {
  int64_t day = 0;
  PackedDate date;
  int hundredths = 0;
  bool disturbed = false;
};

enum class Outcome { kConfirmed, kRising, kFailed };

// The confirming days after the first high day h: the next two calendar days
// above the cover line, the second of them at least the margin above it, or
// else a third day above the line. A day that is missing or disturbed fails
// the candidate, unless it lies at or past the end of an open cycle: then
// the shift is still rising.
Outcome Confirm(const std::vector<Entry> &all, const ShiftCycle &cycle,
                const Entry &h, int cover, std::vector<PackedDate> *highs) {
  const int64_t lastDay = DayNumber(cycle.last);
  for (int k = 1; k <= kShiftHighCount; ++k) {
    const int64_t day = h.day + k;
    const auto it =
        std::lower_bound(all.begin(), all.end(), day,
                         [](const Entry &e, int64_t d) { return e.day < d; });
    if (it == all.end() || it->day != day)
      return cycle.open && day >= lastDay ? Outcome::kRising : Outcome::kFailed;
    if (it->disturbed || it->hundredths <= cover)
      return Outcome::kFailed;
    highs->push_back(it->date);
    if (k == kShiftHighCount - 1 &&
        it->hundredths >= cover + kShiftThirdHighMargin)
      return Outcome::kConfirmed;
  }
  return Outcome::kConfirmed;
}

} // namespace

int CelsiusHundredths(double stored) {
  if (!std::isfinite(stored) || stored == 0)
    return 0;
  const double celsius =
      stored < kFahrenheitFrom ? stored : (stored - 32) / 1.8;
  // A damaged record may hold any number: keep it inside what an int holds.
  const double hundredths = std::clamp(std::round(celsius * 100), -1e7, 1e7);
  return static_cast<int>(hundredths);
}

TemperatureShift
FindTemperatureShift(const ShiftCycle &cycle,
                     std::span<const TemperatureReading> readings) {
  TemperatureShift shift;
  if (!IsValidDate(cycle.first) || !IsValidDate(cycle.last) ||
      cycle.last < cycle.first)
    return shift;
  std::vector<Entry> all;
  for (const TemperatureReading &r : readings) {
    if (!IsValidDate(r.date) || r.date < cycle.first || r.date > cycle.last)
      continue;
    const int hundredths = CelsiusHundredths(r.stored);
    if (hundredths == 0)
      continue;
    all.push_back({DayNumber(r.date), r.date, hundredths, r.disturbed});
  }
  std::stable_sort(all.begin(), all.end(), [](const Entry &a, const Entry &b) {
    return a.day < b.day;
  });
  all.erase(std::unique(
                all.begin(), all.end(),
                [](const Entry &a, const Entry &b) { return a.day == b.day; }),
            all.end());

  // The series the rule walks: undisturbed readings, so a disturbed or a
  // missing day among the lows is simply skipped.
  std::vector<size_t> series;
  for (size_t i = 0; i < all.size(); ++i) {
    if (!all[i].disturbed)
      series.push_back(i);
  }
  const int64_t firstLowDay = DayNumber(cycle.first) + kShiftSkippedDays;
  constexpr size_t kLows = kShiftLowCount;
  for (size_t i = kLows; i < series.size() && shift.state == ShiftState::kNone;
       ++i) {
    if (all[series[i - kLows]].day < firstLowDay)
      continue;
    int cover = all[series[i - kLows]].hundredths;
    for (size_t j = i - kLows; j < i; ++j)
      cover = std::max(cover, all[series[j]].hundredths);
    const Entry &h = all[series[i]];
    if (h.hundredths <= cover)
      continue;
    std::vector<PackedDate> highs{h.date};
    const Outcome outcome = Confirm(all, cycle, h, cover, &highs);
    if (outcome == Outcome::kFailed)
      continue;
    shift.state = outcome == Outcome::kConfirmed ? ShiftState::kConfirmed
                                                 : ShiftState::kRising;
    for (size_t j = i - kLows; j < i; ++j)
      shift.lows.push_back(all[series[j]].date);
    shift.highs = std::move(highs);
    shift.coverLine = cover;
    shift.firstHigh = h.date;
    if (shift.state == ShiftState::kConfirmed) {
      shift.confirmedOn = shift.highs.back();
      shift.ovulation = AddDays(h.date, -1);
    }
  }

  for (const Entry &e : all) {
    ReadingRole role = ReadingRole::kNone;
    if (e.disturbed) {
      role = ReadingRole::kDisturbed;
    } else if (std::find(shift.lows.begin(), shift.lows.end(), e.date) !=
               shift.lows.end()) {
      role = ReadingRole::kLow;
    } else if (std::find(shift.highs.begin(), shift.highs.end(), e.date) !=
               shift.highs.end()) {
      role = ReadingRole::kHigh;
    }
    shift.readings.push_back({e.date, e.hundredths, role});
  }
  return shift;
}
