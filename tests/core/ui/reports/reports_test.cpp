// The cycles list, the Statistic figures and the temperature chart's month.

#include <gtest/gtest.h>

#include "env/locale_manager.h"
#include "model/day_class.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"
#include "ui/reports/cycle_report.h"
#include "ui/reports/temperature_month.h"
#include "ui/days/temperature_units.h"
#include "support/dates.h"

namespace {

using testsupport::D;

TEST(CycleRows,
     EveryStartIsARowAndEveryPairHasItsLengthAndTheOvulationOfItsCycle) {
  // The ovulation is asked of the model with the cycle's start.
  const OvulationOf ovulationOf =
      [](const PackedDate &start) -> std::optional<PackedDate> {
    if (start == D(29, 1))
      return std::nullopt;
    return AddDays(start, 14);
  };
  const std::vector<CycleRow> rows =
      CycleRows({D(1, 1), D(29, 1), D(28, 2)}, ovulationOf);
  const std::vector<CycleRow> expected = {{u"01.01.2026", u"28", u"15.01.2026"},
                                          {u"29.01.2026", u"30", u""},
                                          {u"28.02.2026", u"", u""}};
  EXPECT_EQ(rows, expected) << "the latest start's row stays empty";
  EXPECT_TRUE(CycleRows({}, ovulationOf).empty());
  EXPECT_EQ(CycleRows({D(31, 12, 2025)}, ovulationOf),
            (std::vector<CycleRow>{{u"31.12.2025", u"", u""}}));
}

class ReportsModelTest : public ::testing::Test {
protected:
  ReportsModelTest()
      : options(store, SystemLocaleInfo{}, nullptr, u""),
        locale(dir.path(), codec), clock(D(31, 12)),
        model(std::make_unique<DatabaseManager>(dir / "db.dat",
                                                [] { return uint16_t{0}; }),
              options, locale, clock) {}

  void Start(PackedDate d) {
    ASSERT_EQ(model.SetStart(d), SaveResult::kDone) << FormatDate(d);
  }
  void Store(const Day &day) {
    ASSERT_EQ(model.StoreDay(day), SaveResult::kDone);
  }
  static Day Temperature(PackedDate d, double t, bool sex = false) {
    return Day(d, false, false, sex, false, false, false, t);
  }

  testsupport::TempDir dir;
  MemorySettingsStore store;
  OptionsManager options;
  Latin1Codec codec;
  LocaleManager locale;
  FixedClock clock;
  MenstualManager model;
};

// Every pair shows its length, also one the statistics skip; its ovulation
// is the day the calendar paints as ovulation, when it paints one.
TEST_F(ReportsModelTest,
       PairsTheStatisticsSkipShowTheirLengthAndThePaintedOvulation) {
  options.autoPeriodCalculation = false;
  options.periodLen = 28;
  options.luteralLen = 14; // O = 14
  Store(Day(D(1, 1), true, false, false, false, false, false, 0.0));
  Store(Day(D(15, 2), true, false, false, false, false, false, 0.0)); // 45 days
  Store(Day(D(20, 2), true, false, false, false, false, false, 0.0)); // 5 days
  Store(Day(D(2, 3), true, false, false, false, false, false, 0.0));  // 10 days
  const std::vector<CycleRow> rows = CycleRows(model);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (CycleRow{u"01.01.2026", u"45", u"15.01.2026"}));
  EXPECT_EQ(model.GetDayClass(D(15, 1)), Ovulation);
  EXPECT_EQ(rows[1], (CycleRow{u"15.02.2026", u"5", u""}));
  EXPECT_EQ(rows[2], (CycleRow{u"20.02.2026", u"10", u""}))
      << "day 14 lies beyond a 10-day cycle";
}

TEST_F(ReportsModelTest, FiguresCountCyclesOfTenToFortyDays) {
  Start(D(1, 1));
  Start(D(28, 1)); // 27
  Start(D(26, 2)); // 29
  Start(D(28, 3)); // 30
  EXPECT_EQ(FreshStatisticFigures(model), (StatisticFigures{30, 27, 28, 3}));
  const std::array<std::u16string, 4> texts =
      FigureTexts(locale, FreshStatisticFigures(model));
  EXPECT_EQ(texts[0], u"Maximum cycle lenght: 30");
  EXPECT_EQ(texts[1], u"Minimum cycle lenght: 27");
  EXPECT_EQ(texts[2], u"Average cycle lenght: 28");
  EXPECT_EQ(texts[3], u"Total number of cycles: 3");
}

TEST_F(ReportsModelTest, WithoutACountedCycleTheFiguresFallBack) {
  options.periodLen = 31;
  EXPECT_EQ(FreshStatisticFigures(model), (StatisticFigures{40, 10, 31, 0}));
  // Two starts 5 days apart, as a hand-made file may hold them.
  Store(Day(D(1, 3), true, false, false, false, false, false, 0));
  Store(Day(D(6, 3), true, false, false, false, false, false, 0));
  EXPECT_EQ(FreshStatisticFigures(model), (StatisticFigures{40, 10, 31, 2}));
}

TEST_F(ReportsModelTest, FiguresIncludeAStartWrittenAfterTheyWereCached) {
  Start(D(1, 1));
  Start(D(29, 1));
  EXPECT_EQ(FreshStatisticFigures(model), (StatisticFigures{28, 28, 28, 1}));
  // Written behind the cycle manager's back: its cached figures are stale
  // until the dialog asks afresh.
  ASSERT_EQ(model.Database().SaveDay(
                Day(D(1, 3), true, false, false, false, false, false, 0)),
            SaveResult::kDone);
  EXPECT_EQ(FreshStatisticFigures(model), (StatisticFigures{31, 28, 29, 2}));
}

TEST(TemperatureChart, ScalesOfBothUnits) {
  const TemperatureScale c = ChartScale(false), f = ChartScale(true);
  EXPECT_EQ(c.axisMin, 35.0);
  EXPECT_EQ(c.axisMax, 39.0);
  EXPECT_EQ(c.cover, 36.38);
  EXPECT_EQ(f.axisMin, 97.2);
  EXPECT_EQ(f.axisMax, 98.7);
  EXPECT_EQ(f.cover, 97.5);
}

TEST(TemperatureChart, ThePrognosisCurvePeaksOnTheOvulationDay) {
  const std::vector<ChartPoint> c = PrognosisCurve(2, ChartScale(false));
  ASSERT_EQ(c.size(), 21u);
  EXPECT_EQ(c.front().x, -3); // left of the axis: the chart clips it
  EXPECT_EQ(c.back().x, 7);
  EXPECT_EQ(c[kPrognosisCentre], (ChartPoint{2, 37}));
  EXPECT_EQ(c[8].y, 37);  // one day before
  EXPECT_EQ(c[12].y, 37); // one day after
  EXPECT_DOUBLE_EQ(c[7].y, 34 + 3 / 1.5);
  EXPECT_DOUBLE_EQ(c[6].y, 35.5);
  EXPECT_DOUBLE_EQ(c[0].y, 34.6);
  EXPECT_DOUBLE_EQ(c[20].y, 34.6);
  for (const ChartPoint &p : c)
    EXPECT_LE(p.y, 37);

  const std::vector<ChartPoint> f = PrognosisCurve(31, ChartScale(true));
  EXPECT_EQ(f[kPrognosisCentre], (ChartPoint{31, 97.8}));
  EXPECT_DOUBLE_EQ(f[6].y, 97.2 + 0.6 / 2);
}

TEST(TemperatureChart, MonthsPageAcrossTheYearsEnd) {
  EXPECT_EQ(NextMonth({12, 2025}), (ChartMonth{1, 2026}));
  EXPECT_EQ(PreviousMonth({1, 2026}), (ChartMonth{12, 2025}));
  EXPECT_EQ(NextMonth({6, 2026}), (ChartMonth{7, 2026}));
  EXPECT_EQ(PreviousMonth({6, 2026}), (ChartMonth{5, 2026}));
  ChartMonth m{3, 2026};
  for (int i = 0; i < 24; ++i)
    m = PreviousMonth(m);
  EXPECT_EQ(m, (ChartMonth{3, 2024}));
  for (int i = 0; i < 24; ++i)
    m = NextMonth(m);
  EXPECT_EQ(m, (ChartMonth{3, 2026}));
}

TEST_F(ReportsModelTest,
       TheMonthHoldsItsTemperaturesIntercourseAndLastOvulation) {
  Start(D(1, 3));
  Start(D(29, 3));
  Store(Temperature(D(5, 4), 36.6, true));
  Store(Temperature(D(6, 4), 97.9));
  Store(Day(D(7, 4), false, false, true, false, false, false,
            0));                     // sex, no temperature
  Store(Temperature(D(1, 5), 36.9)); // another month
  Day fever = Temperature(D(8, 4), 37.5);
  fever.disturbed = true;
  Store(fever);

  const TemperatureMonth c = BuildTemperatureMonth(model, {4, 2026}, false);
  // A disturbed reading is drawn apart from the others.
  EXPECT_EQ(c.disturbed, (std::vector<ChartPoint>{{8, 37.5}}));
  ASSERT_EQ(c.temperatures.size(), 2u);
  EXPECT_EQ(c.temperatures[0], (ChartPoint{5, 36.6}));
  EXPECT_DOUBLE_EQ(c.temperatures[1].y, ToCelsius(97.9));
  EXPECT_EQ(c.intercourse, (std::vector<ChartPoint>{{5, 36.38}, {7, 36.38}}));
  EXPECT_EQ(c.cover, (std::vector<ChartPoint>{{1, 36.38}, {31, 36.38}}));

  // The last ovulation day of the month carries the curve.
  int last = 0;
  for (int d = 1; d <= 30; ++d) {
    if (model.GetDayClass(D(d, 4)) == DayClass::Ovulation)
      last = d;
  }
  ASSERT_NE(last, 0) << "the cycle model predicts an ovulation in April";
  EXPECT_EQ(c.ovulationDay, last);
  ASSERT_EQ(c.prognosis.size(), 21u);
  EXPECT_EQ(c.prognosis[kPrognosisCentre].x, last);

  const TemperatureMonth f = BuildTemperatureMonth(model, {4, 2026}, true);
  EXPECT_DOUBLE_EQ(f.temperatures[0].y, ToFahrenheit(36.6));
  EXPECT_DOUBLE_EQ(f.temperatures[1].y, 97.9);
  EXPECT_EQ(f.intercourse.front().y, 97.5);

  // Long before the first start: no class, no curve; the cover line stays.
  const TemperatureMonth empty = BuildTemperatureMonth(model, {1, 2020}, false);
  EXPECT_EQ(empty.ovulationDay, 0);
  EXPECT_TRUE(empty.prognosis.empty());
  EXPECT_TRUE(empty.temperatures.empty());
  EXPECT_EQ(empty.cover.size(), 2u);
}

TEST_F(ReportsModelTest, DaysPastTheEndOfTheMonthAreNotLookedUp) {
  Store(Temperature(D(28, 2), 36.5));
  // A hand-made file may hold a 30 February; it is not a day of February.
  if (model.Database().SaveDay(Temperature(D(30, 2), 36.9)) !=
      SaveResult::kDone)
    GTEST_SKIP() << "the file refuses the date";
  model.Reload();
  const TemperatureMonth m = BuildTemperatureMonth(model, {2, 2026}, false);
  EXPECT_EQ(m.temperatures, (std::vector<ChartPoint>{{28, 36.5}}));
}

}  // namespace

namespace {

// A shift confirmed late in March (lows 20-25 March, highs 26-28, the third
// 0.25 above 36.45) in a cycle that runs into April, to the day before the
// next start on 10 April.
TEST_F(ReportsModelTest,
       HerCoverLineRunsFromTheFirstLowToTheCyclesEndAcrossMonths) {
  Start(D(16, 3));
  Start(D(10, 4));
  const double lows[] = {36.30, 36.35, 36.40, 36.45, 36.35, 36.30};
  for (int i = 0; i < 6; ++i)
    Store(Temperature(D(20 + i, 3), lows[i]));
  Store(Temperature(D(26, 3), 36.60));
  Store(Temperature(D(27, 3), 36.62));
  Store(Temperature(D(28, 3),
                    98.06)); // 36.70 C in Fahrenheit: 0.25 above the line

  const TemperatureMonth march = BuildTemperatureMonth(model, {3, 2026}, false);
  ASSERT_EQ(march.ownCover.size(), 1u);
  EXPECT_EQ(march.ownCover[0].points,
            (std::vector<ChartPoint>{{20, 36.45}, {25, 36.45}, {31, 36.45}}));
  EXPECT_EQ(march.ownCover[0].ovulationPoint, std::optional<size_t>(1));
  ASSERT_EQ(march.highs.size(), 3u);
  EXPECT_EQ(march.highs[0], (ChartPoint{26, 36.60}));
  EXPECT_DOUBLE_EQ(march.highs[2].y, ToCelsius(98.06));

  // April: the line goes on to the 9th; neither the ovulation nor the highs lie
  // there.
  const TemperatureMonth april = BuildTemperatureMonth(model, {4, 2026}, true);
  ASSERT_EQ(april.ownCover.size(), 1u);
  ASSERT_EQ(april.ownCover[0].points.size(), 2u);
  EXPECT_EQ(april.ownCover[0].points[0].x, 1);
  EXPECT_EQ(april.ownCover[0].points[1].x, 9);
  EXPECT_DOUBLE_EQ(april.ownCover[0].points[0].y, ToFahrenheit(36.45));
  EXPECT_FALSE(april.ownCover[0].ovulationPoint);
  EXPECT_TRUE(april.highs.empty());

  // Marked disturbed, the third high no longer confirms: no line, nothing
  // outlined.
  Day fever = Temperature(D(28, 3), 98.06);
  fever.disturbed = true;
  Store(fever);
  const TemperatureMonth unconfirmed =
      BuildTemperatureMonth(model, {3, 2026}, false);
  EXPECT_TRUE(unconfirmed.ownCover.empty());
  EXPECT_TRUE(unconfirmed.highs.empty());
  EXPECT_EQ(unconfirmed.temperatures.size(), 8u);
  EXPECT_EQ(unconfirmed.disturbed, (std::vector<ChartPoint>{{28, ToCelsius(98.06)}}))
      << "the reading stays on the chart, drawn as disturbed";
}

} // namespace
