// What her days say beyond a day's class: whether a day is reached by them,
// a late period, the range of the next start, one ovulation per cycle and
// the cautious window.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "env/locale_manager.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"
#include "ui/reports/cycle_report.h"
#include "support/dates.h"

namespace {

using testsupport::D;

class Outlook : public ::testing::Test {
protected:
  Outlook()
      : options(store, SystemLocaleInfo{}, nullptr, u""),
        locale(dir.path(), codec), clock(D(10, 12)),
        model(std::make_unique<DatabaseManager>(dir / "db.dat",
                                                [] { return uint16_t{0}; }),
              options, locale, clock) {}

  // Stored directly: a history may hold starts the day menu would refuse.
  void Start(PackedDate d) {
    Day day(d, false, false, false, false, false, false, 0.0);
    day.menstruationStart = true;
    ASSERT_EQ(model.StoreDay(day), SaveResult::kDone) << FormatDate(d);
  }
  std::string Classes(PackedDate from, int days) {
    std::string out;
    for (int i = 0; i < days; ++i) {
      if (!out.empty())
        out += ' ';
      out += std::to_string(model.GetDayClass(AddDays(from, i)));
    }
    return out;
  }

  testsupport::TempDir dir;
  MemorySettingsStore store;
  OptionsManager options;
  Latin1Codec codec;
  LocaleManager locale;
  FixedClock clock;
  MenstualManager model;
};

TEST_F(
    Outlook,
    ADayIsReachedOnlyFromARecordedStartOnOrBeforeItOrByTheCountBackFromTheFirst) {
  EXPECT_EQ(model.Standing(D(10, 12)), DayStanding::kNoPeriod);
  EXPECT_EQ(model.GetDayClass(D(10, 12)), LowFertile)
      << "painting stays as it was";

  Start(D(1, 11)); // auto, no counted cycle: L 28, luteal 14
  EXPECT_EQ(model.Standing(D(1, 11)), DayStanding::kCounted);
  EXPECT_EQ(model.Standing(D(31, 12, 2027)), DayStanding::kCounted);
  // Counted back from 1 November: ovulation on 18 October, the girl days up
  // to 14 October; the day before that no rule reaches.
  EXPECT_EQ(model.GetDayClass(D(18, 10)), Ovulation);
  EXPECT_EQ(model.Standing(D(14, 10)), DayStanding::kCounted);
  EXPECT_EQ(model.GetDayClass(D(13, 10)), LowFertile);
  EXPECT_EQ(model.Standing(D(13, 10)), DayStanding::kBeforeFirstPeriod);
  EXPECT_EQ(model.Standing(D(1, 1)), DayStanding::kBeforeFirstPeriod);
}

TEST_F(Outlook, LateFromTheDayAfterTheExpectedStartUntilAStartIsMarked) {
  Start(D(1, 9));
  Start(D(2, 10));
  Start(D(2, 11)); // two cycles of 31 days: expected 3 December
  EXPECT_EQ(model.ExpectedStart(), D(3, 12));
  const struct {
    PackedDate today;
    int late;
  } cases[] = {{D(2, 11), 0},      {D(2, 12), 0},  {D(3, 12), 0},
               {D(4, 12), 1},      {D(12, 12), 9}, {D(13, 12), 10},
               {D(3, 1, 2027), 31}};
  for (const auto &c : cases) {
    clock.Set(c.today);
    EXPECT_EQ(model.DaysLate(), c.late) << FormatDate(c.today);
  }

  clock.Set(D(12, 12));
  // The predicted classes keep their colours; only what is said changes.
  EXPECT_EQ(model.GetDayClass(D(4, 12)), PrognosisSecondDay);
  EXPECT_TRUE(model.LateAnswers(D(4, 12), PrognosisSecondDay));
  EXPECT_TRUE(model.LateAnswers(D(12, 12), model.GetDayClass(D(12, 12))));
  EXPECT_FALSE(model.LateAnswers(D(2, 12), NonFertileBeforeFlow))
      << "before the expected start";
  EXPECT_FALSE(model.LateAnswers(D(20, 12), Ovulation))
      << "a fertile day is no infertility claim";

  // A start recorded ahead of today: her period is known, not late.
  Start(D(14, 12));
  EXPECT_EQ(model.DaysLate(), 0);
  // Marking the start ends it.
  clock.Set(D(20, 12));
  EXPECT_EQ(model.DaysLate(), 0);
}

TEST_F(Outlook, RangeFromThreeCountedCyclesThatDifferByThreeDays) {
  EXPECT_EQ(model.NextStartRange(), std::nullopt);
  Start(D(1, 9));
  Start(D(27, 9));  // 26
  Start(D(28, 10)); // 31
  EXPECT_EQ(model.CountedCycles(), 2);
  EXPECT_EQ(model.NextStartRange(), std::nullopt)
      << "two cycles are not enough";
  Start(D(3, 12)); // 36
  EXPECT_EQ(model.CountedCycles(), 3);
  EXPECT_EQ(model.ExpectedStart(), D(3, 1, 2027));
  EXPECT_EQ(model.NextStartRange(), (StartRange{D(29, 12), D(8, 1, 2027)}));

  // Only the last six counted cycles speak: an old short cycle drops out.
  for (int i = 1; i <= 5; ++i)
    Start(AddDays(D(3, 12), 30 * i));
  const RecentCycles recent = model.Recent();
  EXPECT_EQ(recent.cycles, 6);
  EXPECT_EQ(recent.shortest, 30);
  EXPECT_EQ(recent.longest, 36);
}

TEST_F(Outlook, RegularCyclesGetNoRange) {
  Start(D(1, 8));
  Start(D(29, 8));  // 28
  Start(D(27, 9));  // 29
  Start(D(25, 10)); // 28
  EXPECT_EQ(model.NextStartRange(), std::nullopt) << "1 day apart is regular";
}

TEST_F(Outlook, OvulationOfEachCycleIsTheDayTheCalendarPaintsAsOvulation) {
  Start(D(1, 9));
  Start(D(27, 9));  // 26
  Start(D(28, 10)); // 31
  Start(D(3, 12));  // 36; L 31, O 17
  EXPECT_EQ(model.OvulationOfCycle(D(1, 9)), D(18, 9));
  EXPECT_EQ(model.OvulationOfCycle(D(27, 9)), D(14, 10));
  EXPECT_EQ(model.OvulationOfCycle(D(28, 10)), D(14, 11));
  EXPECT_EQ(model.OvulationOfCycle(D(3, 12)), D(20, 12));
  EXPECT_EQ(model.OvulationOfCycle(D(3, 1, 2027)), D(20, 1, 2027))
      << "a predicted cycle";
  // A pair 12 days apart: the rules paint no ovulation in it.
  Start(D(15, 12));
  EXPECT_EQ(model.OvulationOfCycle(D(3, 12)), std::nullopt);
}

// For any history, My cycles' ovulation column names exactly the day of each
// cycle that the calendar paints as ovulation, and no other.
TEST_F(Outlook,
       MyCyclesOvulationColumnEqualsTheCalendarsOvulationDayForARandomHistory) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 6; ++round) {
    MenstualManager model(std::make_unique<DatabaseManager>(
                              dir / ("round" + std::to_string(round) + ".dat"),
                              [] { return uint16_t{0}; }),
                          options, locale, clock);
    const bool manual = round % 2 == 1;
    options.autoPeriodCalculation = !manual;
    options.periodLen = std::uniform_int_distribution<int>(10, 40)(random);
    options.luteralLen = std::uniform_int_distribution<int>(10, 21)(random);
    PackedDate d = D(1, 1, 2020);
    std::vector<PackedDate> starts;
    for (int i = 0; i < 25; ++i) {
      starts.push_back(d);
      Day start(d, true, false, false, false, false, false, 0.0);
      ASSERT_EQ(model.StoreDay(start), SaveResult::kDone);
      if (random() % 3 == 0) {
        Day end(AddDays(d, 1 + static_cast<int>(random() % 6)), false, true,
                false, false, false, false, 0.0);
        ASSERT_EQ(model.StoreDay(end), SaveResult::kDone);
      }
      d = AddDays(d, std::uniform_int_distribution<int>(8, 50)(random));
    }
    model.Reload();
    const std::vector<CycleRow> rows = CycleRows(model);
    ASSERT_EQ(rows.size(), starts.size());
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
      std::u16string painted;
      for (PackedDate day = starts[i]; day < starts[i + 1];
           day = AddDays(day, 1)) {
        if (model.GetDayClass(day) != Ovulation)
          continue;
        EXPECT_TRUE(painted.empty())
            << "two ovulation days in one cycle, round " << round;
        painted = FormatDateU16(day);
      }
      EXPECT_EQ(rows[i].ovulation, painted)
          << "round " << round << ", cycle of " << FormatDate(starts[i])
          << (manual ? " manual" : " auto");
    }
    EXPECT_EQ(rows.back().ovulation, u"");
  }
}

TEST_F(Outlook, CautiousWindowWidensOnlyUnderAvoidPregnancyAndNeverNarrows) {
  Start(D(1, 9));
  Start(D(27, 9));                  // 26
  Start(D(28, 10));                 // 31
  Start(D(3, 12));                  // 36; L 31, O 17: window cycle days 8 to 25
  const PackedDate day6 = D(8, 12); // cycle day 6
  const std::string rules = "6 6 6 6 6 6 6 6 10 10 10 10 11 9 9 9 9 6 6 6 6";
  const std::string widened =
      "6 6 10 10 10 10 10 10 10 10 10 10 11 9 9 9 9 9 9 9 6";
  for (int goal = 0; goal <= 3; ++goal) {
    options.goal = goal;
    options.cautiousWindow = false;
    EXPECT_EQ(Classes(day6, 21), rules) << "off, goal " << goal;
    options.cautiousWindow = true;
    EXPECT_EQ(Classes(day6, 21), goal == 0 ? widened : rules)
        << "on, goal " << goal;
    // The predicted cycle after it alike.
    EXPECT_EQ(Classes(AddDays(D(3, 1, 2027), 5), 21),
              goal == 0 ? widened : rules)
        << "predicted, goal " << goal;
  }
  // Past cycles stay as the rules paint them.
  options.goal = 0;
  const std::string pastOn = Classes(D(28, 10), 36);
  options.cautiousWindow = false;
  EXPECT_EQ(Classes(D(28, 10), 36), pastOn);

  // Over a whole year no day is less fertile with the window than without.
  auto fertile = [](int c) { return c >= BoyDay && c <= Ovulation; };
  for (PackedDate d = D(1, 9); d < D(1, 9, 2027); d = AddDays(d, 1)) {
    options.cautiousWindow = false;
    const int off = model.GetDayClass(d);
    options.cautiousWindow = true;
    const int on = model.GetDayClass(d);
    if (fertile(off) || off <= Prognosis)
      EXPECT_EQ(on, off) << FormatDate(d);
  }
}

TEST_F(Outlook, CautiousWindowNeedsACountedCycle) {
  options.goal = 0;
  options.cautiousWindow = true;
  Start(D(1, 11));
  EXPECT_EQ(model.GetDayClass(D(8, 11)), LowFertile)
      << "nothing known of how her cycles vary";
}

} // namespace
