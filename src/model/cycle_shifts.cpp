#include "model/cycle_shifts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "model/menstual_manager.h"

std::vector<CycleShift> CycleShifts(std::span<const Day> days,
                                    std::span<const PackedDate> starts,
                                    const PackedDate &today) {
  std::vector<TemperatureReading> readings;
  for (const Day &d : days) {
    if (d.temperature != 0)
      readings.push_back({d.date, d.temperature, d.disturbed});
  }
  std::vector<CycleShift> out;
  for (size_t i = 0; i < starts.size(); ++i) {
    ShiftCycle cycle{starts[i], today, true};
    if (i + 1 < starts.size() && AddDays(starts[i + 1], -1) < today) {
      cycle.last = AddDays(starts[i + 1], -1);
      cycle.open = false;
    }
    if (!IsValidDate(cycle.first) || cycle.last < cycle.first)
      continue;
    out.push_back({cycle, FindTemperatureShift(cycle, readings)});
  }
  return out;
}

std::vector<CycleShift> CycleShifts(MenstualManager &model,
                                    const PackedDate &today) {
  std::vector<Day> days;
  for (auto d = model.GetFirstDay(); d; d = model.GetNextDay()) {
    if (d->temperature != 0)
      days.push_back(std::move(*d));
  }
  const std::vector<PackedDate> starts = model.GetStartList();
  return CycleShifts(days, starts, today);
}

std::optional<CycleShift> CycleShiftOn(std::span<const CycleShift> cycles,
                                       const PackedDate &d) {
  for (const CycleShift &c : cycles) {
    if (c.cycle.first <= d && d <= c.cycle.last)
      return c;
  }
  return std::nullopt;
}

const CycleShift *CycleStartingOn(std::span<const CycleShift> cycles,
                                  const PackedDate &start) {
  for (const CycleShift &c : cycles) {
    if (c.cycle.first == start)
      return &c;
  }
  return nullptr;
}

std::string FormatHundredths(int hundredths) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%d.%02d", hundredths < 0 ? "-" : "",
                std::abs(hundredths) / 100, std::abs(hundredths) % 100);
  return text;
}

ShiftFields ShiftFieldsOf(const CycleShift *cycle) {
  if (!cycle || !cycle->shift.Confirmed())
    return {};
  return {FormatDate(cycle->shift.ovulation),
          FormatHundredths(cycle->shift.coverLine)};
}
