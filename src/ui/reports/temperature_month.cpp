#include "ui/reports/temperature_month.h"

#include <algorithm>
#include <cmath>

#include "model/cycle_shifts.h"
#include "model/day_class.h"
#include "model/menstual_manager.h"
#include "model/temperature_unit.h"
#include "ui/days/temperature_units.h"

TemperatureScale ChartScale(bool fahrenheit) {
  if (fahrenheit) return {97.2, 98.7, 97.5, 97.8, 97.2};
  return {35.0, 39.0, 36.38, 37.0, 34.0};
}

double ChartTemperature(double stored, bool fahrenheit) { return TemperatureInUnit(stored, fahrenheit); }

std::vector<ChartPoint> PrognosisCurve(int ovulationDay, const TemperatureScale& scale) {
  std::vector<ChartPoint> points;
  for (int i = -10; i <= 10; ++i) {
    const double k = i / 2.0;
    const double distance = std::fabs(k);
    const double y =
        distance <= 1 ? scale.curveTop
                      : std::min(scale.curveTop, scale.curveBase + (scale.curveTop - scale.curveBase) / distance);
    points.push_back({ovulationDay + k, y});
  }
  return points;
}

ChartMonth NextMonth(ChartMonth m) { return m.month >= 12 ? ChartMonth{1, m.year + 1} : ChartMonth{m.month + 1, m.year}; }

ChartMonth PreviousMonth(ChartMonth m) {
  return m.month <= 1 ? ChartMonth{12, m.year - 1} : ChartMonth{m.month - 1, m.year};
}

namespace {
void AddTemperatureShifts(MenstualManager &model, ChartMonth month,
                          bool fahrenheit, TemperatureMonth &out);
} // namespace

TemperatureMonth BuildTemperatureMonth(MenstualManager& model, ChartMonth month, bool fahrenheit) {
  const TemperatureScale scale = ChartScale(fahrenheit);
  TemperatureMonth out;
  out.cover = {{1, scale.cover}, {31, scale.cover}};
  const int days = DaysInMonth(month.year, month.month);
  for (int d = 1; d <= days; ++d) {
    const PackedDate date(d, month.month, month.year);
    if (model.GetDayClass(date) == static_cast<int>(DayClass::Ovulation)) out.ovulationDay = d;
    if (const Day* day = model.GetCachedDay(date)) {
      if (day->sex) out.intercourse.push_back({double(d), scale.cover});
      if (day->temperature != 0) {
        (day->disturbed ? out.disturbed : out.temperatures)
            .push_back({double(d), ChartTemperature(day->temperature, fahrenheit)});
      }
    }
  }
  if (out.ovulationDay != 0) out.prognosis = PrognosisCurve(out.ovulationDay, scale);
  AddTemperatureShifts(model, month, fahrenheit, out);
  return out;
}

namespace {

// Her own cover lines and the outlined high readings of the cycles whose
// shift is confirmed; the rule looks at whole cycles, also across months.
void AddTemperatureShifts(MenstualManager &model, ChartMonth month,
                          bool fahrenheit, TemperatureMonth &out) {
  const PackedDate first(1, month.month, month.year);
  const PackedDate last(DaysInMonth(month.year, month.month), month.month,
                        month.year);
  for (const CycleShift &c : CycleShifts(model, model.Clock().Today())) {
    if (!c.shift.Confirmed())
      continue;
    for (const PackedDate &high : c.shift.highs) {
      if (high < first || high > last)
        continue;
      if (const Day *day = model.GetCachedDay(high)) {
        out.highs.push_back(
            {double(high.day), ChartTemperature(day->temperature, fahrenheit)});
      }
    }
    const PackedDate from = std::max(c.shift.lows.front(), first);
    const PackedDate to = std::min(c.cycle.last, last);
    if (to <= from)
      continue;
    const double celsius = c.shift.coverLine / 100.0;
    const double level = fahrenheit ? ToFahrenheit(celsius) : celsius;
    CoverSegment segment;
    segment.points.push_back({double(from.day), level});
    const PackedDate ovulation = c.shift.ovulation;
    if (ovulation == from) {
      segment.ovulationPoint = 0;
    } else if (from < ovulation && ovulation < to) {
      segment.ovulationPoint = 1;
      segment.points.push_back({double(ovulation.day), level});
    }
    segment.points.push_back({double(to.day), level});
    out.ownCover.push_back(std::move(segment));
  }
}

} // namespace
