#pragma once

// The month of the temperature chart, worked out without windows: the
// scale of each unit, the unit a stored value is drawn in, the bars, the
// cover line, the intercourse marks and the prognosis curve around the
// month's ovulation day, and paging between months.

#include <optional>
#include <vector>

#include "ui/widgets/chart_geometry.h"

class MenstualManager;

struct TemperatureScale {
  double axisMin = 0;
  double axisMax = 0;
  double cover = 0;      // the cover line
  double curveTop = 0;   // the prognosis curve's plateau
  double curveBase = 0;  // where its flanks head to
};
[[nodiscard]] TemperatureScale ChartScale(bool fahrenheit);

// A stored value in the chart's unit, by the same rule as every other place
// that shows a temperature (model/temperature_unit.h).
[[nodiscard]] double ChartTemperature(double stored, bool fahrenheit);

// 21 points, x from ovulationDay - 5 to + 5 in half days: the plateau within
// a day of the ovulation, falling off as 1/|distance| towards the base
// outside it. Points left of day 1 or right of day 31 are the chart's to clip.
[[nodiscard]] std::vector<ChartPoint> PrognosisCurve(int ovulationDay, const TemperatureScale& scale);
inline constexpr size_t kPrognosisCentre = 10;

struct ChartMonth {
  int month = 1;  // 1..12
  int year = 2000;
  friend bool operator==(const ChartMonth&, const ChartMonth&) = default;
};
[[nodiscard]] ChartMonth NextMonth(ChartMonth m);
[[nodiscard]] ChartMonth PreviousMonth(ChartMonth m);

// Her own cover line of one cycle with a confirmed shift, as far as it lies
// in the month: from the first of the six lows (or the 1st) to the cycle's
// last day (or the month's), at the cover level in the chart's unit; a point
// on the temperature-confirmed ovulation day carries the balloon.
struct CoverSegment {
  std::vector<ChartPoint> points;
  std::optional<size_t> ovulationPoint; // the point of the ovulation day, when
                                        // it lies in the month
};

// What the chart shows of one month. Only the days the month has are looked
// up (no 30 February).
struct TemperatureMonth {
  std::vector<ChartPoint> temperatures;  // (day, temperature in the chart's unit)
  std::vector<ChartPoint> disturbed;     // the same for readings marked disturbed
  std::vector<ChartPoint> cover;         // (1, cover) and (31, cover)
  std::vector<ChartPoint> intercourse;   // (day, cover) of days with sex
  int ovulationDay = 0;                  // the month's last ovulation day; 0: none
  std::vector<ChartPoint> prognosis;     // empty without an ovulation day
  std::vector<CoverSegment>
      ownCover; // her own cover lines of the confirmed shifts in this month
  std::vector<ChartPoint>
      highs; // (day, temperature) of the high readings that confirmed a shift
};
[[nodiscard]] TemperatureMonth BuildTemperatureMonth(MenstualManager& model, ChartMonth month, bool fahrenheit);
