#include "ui/reports/temperature_month.h"

#include <algorithm>
#include <cmath>

#include "model/day_class.h"
#include "model/menstual_manager.h"
#include "ui/days/temperature_units.h"

TemperatureScale ChartScale(bool fahrenheit) {
  if (fahrenheit) return {97.2, 98.7, 97.5, 97.8, 97.2};
  return {35.0, 39.0, 36.38, 37.0, 34.0};
}

double ChartTemperature(double stored, bool fahrenheit) {
  constexpr double kUnitThreshold = 45;
  if (fahrenheit && stored < kUnitThreshold) return ToFahrenheit(stored);
  if (!fahrenheit && stored > kUnitThreshold) return ToCelsius(stored);
  return stored;
}

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
      if (day->temperature != 0) out.temperatures.push_back({double(d), ChartTemperature(day->temperature, fahrenheit)});
    }
  }
  if (out.ovulationDay != 0) out.prognosis = PrognosisCurve(out.ovulationDay, scale);
  return out;
}
