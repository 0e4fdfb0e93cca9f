#include "cli/cli_temperature.h"

const char *ReadingRoleName(ReadingRole role) {
  switch (role) {
  case ReadingRole::kLow:
    return "low";
  case ReadingRole::kHigh:
    return "high";
  case ReadingRole::kDisturbed:
    return "disturbed";
  case ReadingRole::kNone:
    break;
  }
  return "";
}

std::string FormatShiftLines(std::span<const CycleShift> cycles,
                             std::span<const Day> days, const PackedDate &from,
                             const PackedDate &to) {
  std::string out;
  for (const Day &d : days) {
    if (d.date < from || d.date > to)
      continue;
    const int hundredths = CelsiusHundredths(d.temperature);
    if (hundredths == 0)
      continue;
    ReadingRole role =
        d.disturbed ? ReadingRole::kDisturbed : ReadingRole::kNone;
    if (const auto cycle = CycleShiftOn(cycles, d.date)) {
      for (const RoledReading &r : cycle->shift.readings) {
        if (r.date == d.date)
          role = r.role;
      }
    }
    out += FormatDate(d.date) + '\t' + FormatHundredths(hundredths) + '\t' +
           ReadingRoleName(role) + '\n';
  }
  return out;
}

std::string CycleShiftColumns(std::span<const CycleShift> cycles,
                              const PackedDate &start) {
  const ShiftFields fields = ShiftFieldsOf(CycleStartingOn(cycles, start));
  return '\t' + fields.ovulation + '\t' + fields.coverLine;
}
