#include "model/menstual_manager.h"

#include <gtest/gtest.h>

#include "env/locale_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"
#include "support/dates.h"

namespace {

using testsupport::D;

class CycleTest : public ::testing::Test {
protected:
  CycleTest()
      : options(store, SystemLocaleInfo{}, nullptr, u""),
        locale(dir.path(), codec), clock(D(31, 12)),
        manager(std::make_unique<DatabaseManager>(dir / "db.dat",
                                                  [] { return uint16_t{0}; }),
                options, locale, clock) {}

  void Manual(int period, int luteal) {
    options.autoPeriodCalculation = false;
    options.periodLen = period;
    options.luteralLen = luteal;
    manager.Reload();
  }
  void Start(PackedDate d) {
    ASSERT_EQ(manager.SetStart(d), SaveResult::kDone) << FormatDate(d);
  }
  void End(PackedDate d) {
    auto day = manager.GetDay(d);
    Day record =
        day ? *day : Day(d, false, false, false, false, false, false, 0.0);
    record.menstruationEnd = true;
    ASSERT_EQ(manager.StoreDay(record), SaveResult::kDone);
  }
  std::string Classes(PackedDate from, PackedDate to) {
    std::string out;
    for (PackedDate d = from; d <= to; d = AddDays(d, 1)) {
      if (!out.empty())
        out += ' ';
      out += std::to_string(manager.GetDayClass(d));
    }
    return out;
  }

  testsupport::TempDir dir;
  MemorySettingsStore store;
  OptionsManager options;
  Latin1Codec codec;
  LocaleManager locale;
  FixedClock clock;
  MenstualManager manager;
};

TEST_F(CycleTest, StatisticsCountCyclesOfTenToFortyDays) {
  EXPECT_EQ(manager.GetAveragePeriod(), 28); // periodLen without any start
  EXPECT_EQ(manager.GetMinPeriod(), 10);
  EXPECT_EQ(manager.GetMaxPeriod(), 40);
  EXPECT_EQ(manager.GetPeriodCount(), 0);

  Start(D(1, 3));
  Start(D(29, 3));
  Start(D(30, 4));
  EXPECT_EQ(manager.GetAveragePeriod(), 30);
  EXPECT_EQ(manager.GetMinPeriod(), 28);
  EXPECT_EQ(manager.GetMaxPeriod(), 32);
  EXPECT_EQ(manager.GetPeriodCount(), 2);
  EXPECT_EQ(manager.GetPeriodLength(), 30);
  EXPECT_EQ(manager.GetLutealLength(), 14);

  // A pair more than 40 days apart is skipped but still begins the next cycle.
  Start(D(15, 6)); // 46 days
  Start(D(12, 7)); // 27 days
  EXPECT_EQ(manager.GetAveragePeriod(), (28 + 32 + 27) / 3);
  EXPECT_EQ(manager.GetMinPeriod(), 27);
  EXPECT_EQ(manager.GetPeriodCount(), 3);
}

TEST_F(CycleTest, StatisticsWithoutCountedCyclesFallBackToPeriodLen) {
  options.periodLen = 31;
  // Starts 45 days apart, written directly (the marking rules allow it too).
  Start(D(1, 1));
  Start(D(15, 2));
  EXPECT_EQ(manager.GetAveragePeriod(), 31);
  EXPECT_EQ(manager.GetPeriodCount(), 2);
  EXPECT_EQ(manager.GetMinPeriod(), 10);
  EXPECT_EQ(manager.GetMaxPeriod(), 40);
  // Manual mode uses its own lengths; a damaged periodLen is held to 10..40.
  Manual(25, 12);
  EXPECT_EQ(manager.GetPeriodLength(), 25);
  EXPECT_EQ(manager.GetLutealLength(), 12);
  options.periodLen = 0;
  EXPECT_EQ(manager.GetPeriodLength(), 10);
  EXPECT_FALSE(manager.GetCycleStart(D(1, 6)).IsEmpty());
}

TEST_F(CycleTest, PredictedCyclesFollowTheLastStart) {
  Manual(28, 14);
  EXPECT_TRUE(manager.GetCycleStart(D(1, 1)).IsEmpty());
  Start(D(1, 1));
  const struct {
    PackedDate d, expected;
  } cases[] = {{D(1, 1), D(1, 1)},   {D(28, 1), D(1, 1)},
               {D(29, 1), D(29, 1)}, {D(25, 2), D(29, 1)},
               {D(26, 2), D(26, 2)}, {D(31, 12, 2025), PackedDate()}};
  for (const auto &c : cases)
    EXPECT_EQ(manager.GetCycleStart(c.d), c.expected) << FormatDate(c.d);
}

TEST_F(CycleTest, MarkingRulesKeepStartsTenDaysApartAndEndsWithinSixDays) {
  clock.Set(D(15, 4));
  Start(D(1, 3));
  EXPECT_FALSE(manager.CanSetStart(D(16, 4))); // tomorrow
  EXPECT_TRUE(manager.CanSetStart(D(15, 4)));
  EXPECT_FALSE(manager.CanSetStart(D(10, 3))); // 9 days after a start
  EXPECT_TRUE(manager.CanSetStart(D(11, 3)));  // exactly 10 after
  EXPECT_FALSE(manager.CanSetStart(D(20, 2))); // 9 days before
  EXPECT_TRUE(manager.CanSetStart(D(19, 2)));
  EXPECT_FALSE(manager.CanSetStart(D(1, 3))); // already a start
  EXPECT_EQ(manager.SetStart(D(5, 3)), SaveResult::kRefused);
  EXPECT_EQ(manager.SetStart(D(22, 2)), SaveResult::kRefused);
  EXPECT_EQ(manager.SetStart(D(16, 4)), SaveResult::kRefused); // tomorrow
  EXPECT_FALSE(manager.GetDay(D(5, 3)));

  EXPECT_FALSE(manager.CanSetEnd(D(1, 3)));
  for (int i = 1; i <= 6; ++i)
    EXPECT_TRUE(manager.CanSetEnd(AddDays(D(1, 3), i))) << i;
  EXPECT_FALSE(manager.CanSetEnd(D(8, 3)));
  EXPECT_FALSE(manager.CanSetEnd(D(28, 2))); // no start before
  ASSERT_EQ(manager.SetEnd(D(5, 3)), SaveResult::kDone);
  EXPECT_FALSE(manager.CanSetEnd(D(3, 3))); // an end is already marked
  EXPECT_EQ(manager.SetEnd(D(6, 3)), SaveResult::kRefused);
  EXPECT_TRUE(manager.GetDay(D(5, 3))->menstruationEnd);
}

TEST_F(CycleTest, SetStartKeepsTheDaysOtherMarks) {
  clock.Set(D(15, 4));
  Day day(D(2, 4), false, false, true, false, true, false, 36.7, u"note");
  ASSERT_EQ(manager.StoreDay(day), SaveResult::kDone);
  Start(D(2, 4));
  auto stored = manager.GetDay(D(2, 4));
  EXPECT_TRUE(stored->menstruationStart && stored->sex && stored->goodMood);
  EXPECT_EQ(stored->temperature, 36.7);
  EXPECT_EQ(stored->note, u"note");
}

// One recorded start on 1 March, manual 28/14 (ovulation on cycle day 15).
TEST_F(CycleTest, ClassesOfASingleRecordedCycleAndItsPrediction) {
  Manual(28, 14);
  Start(D(1, 3));
  const struct {
    PackedDate d;
    int cls;
  } cases[] = {{D(1, 3), 0},   {D(2, 3), 1},   {D(3, 3), 2},   {D(5, 3), 2},
               {D(6, 3), 6},   {D(10, 3), 6},  {D(11, 3), 10}, {D(14, 3), 10},
               {D(15, 3), 11}, {D(16, 3), 9},  {D(19, 3), 9},  {D(20, 3), 6},
               {D(23, 3), 6},  {D(24, 3), 8},  {D(28, 3), 8},  {D(29, 3), 3},
               {D(30, 3), 4},  {D(31, 3), 5},  {D(1, 4), 5},   {D(2, 4), 7},
               {D(3, 4), 6},   {D(8, 4), 10},  {D(12, 4), 11}, {D(13, 4), 9},
               {D(21, 4), 8},  {D(26, 4), 3},  {D(28, 2), 8},  {D(15, 2), 11},
               {D(10, 2), 6},  {D(11, 2), 10}, {D(16, 2), 9},  {D(19, 2), 9},
               {D(20, 2), 6},  {D(23, 2), 6},  {D(24, 2), 8}};
  for (const auto &c : cases)
    EXPECT_EQ(manager.GetDayClass(c.d), c.cls) << FormatDate(c.d);
}

TEST_F(CycleTest, EndMarksShortenOrLengthenTheFlow) {
  Manual(28, 14);
  Start(D(1, 3));
  End(D(2, 3));
  EXPECT_EQ(Classes(D(1, 3), D(6, 3)), "0 1 7 7 7 6");
  ASSERT_EQ(manager.StoreDay(
                Day(D(2, 3), false, false, false, false, false, false, 0.0)),
            SaveResult::kDone);
  End(D(7, 3)); // six days after the start
  EXPECT_EQ(Classes(D(1, 3), D(8, 3)), "0 1 2 2 2 2 2 6");
  ASSERT_EQ(manager.StoreDay(
                Day(D(7, 3), false, false, false, false, false, false, 0.0)),
            SaveResult::kDone);
  End(D(8, 3)); // seven days after: ignored
  EXPECT_EQ(Classes(D(1, 3), D(8, 3)), "0 1 2 2 2 6 6 6");
}

TEST_F(CycleTest, ANextRecordedStartDecidesTheDaysBeforeIt) {
  Manual(28, 14);
  Start(D(1, 3));
  Start(D(26, 3)); // C = 25
  EXPECT_EQ(Classes(D(15, 3), D(26, 3)), "11 9 9 9 9 6 8 8 8 8 8 0");
}

TEST_F(CycleTest, TheFiveDaysBeforeAStartWinOverFlowDays) {
  Manual(28, 14);
  Start(D(1, 3));
  End(D(6, 3));    // flow up to cycle day 6 ...
  Start(D(11, 3)); // ... but 6 March is five days before the next start
  EXPECT_EQ(Classes(D(1, 3), D(11, 3)), "0 1 2 2 2 8 8 8 8 8 0");
}

// Painted as low fertility, but nothing is said of a day her days do not reach.
TEST_F(CycleTest, WithoutAnyStartEveryDayIsPaintedLowFertilityAndHasNoTip) {
  EXPECT_EQ(Classes(D(1, 1), D(5, 1)), "6 6 6 6 6");
  EXPECT_EQ(manager.GetTip(D(1, 1)), u"");
  EXPECT_EQ(manager.GetTip(D(31, 12)), u"") << "today neither";
  EXPECT_EQ(manager.DayLabel(D(1, 1)), u"No period marked yet");
}

TEST_F(CycleTest, TipsFollowClassAndGoalFromTheFirstCall) {
  Manual(28, 14);
  Start(D(1, 3));
  // 15 March is not today (31 December): the tips that speak of today
  // speak of that day.
  const char16_t *ovulation[] = {u"TIP5", u"TIP1", u"TIP6_DAY", u"TIP7_DAY",
                                 u"TIP2_DAY"};
  for (int goal = 0; goal <= 4; ++goal) {
    options.goal = goal;
    EXPECT_EQ(manager.GetTip(D(15, 3)), locale.Translate(ovulation[goal]))
        << goal;
  }
  // class x goal table
  const struct {
    int cls;
    const char16_t *keys[5];
  } table[] = {{-1, {u"TIP3", u"TIP3", u"TIP3", u"TIP3", u"TIP3"}},
               {0, {u"TIP3", u"TIP3", u"TIP3", u"TIP3", u"TIP3"}},
               {5, {u"TIP3", u"TIP3", u"TIP3", u"TIP3", u"TIP3"}},
               {6, {u"TIP2", u"TIP2", u"TIP2", u"TIP2", u"TIP2"}},
               {8, {u"TIP2", u"TIP2", u"TIP2", u"TIP2", u"TIP2"}},
               {9, {u"TIP4", u"TIP1", u"TIP7", u"TIP7", u"TIP2"}},
               {10, {u"TIP4", u"TIP1", u"TIP6", u"TIP6", u"TIP2"}},
               {11, {u"TIP5", u"TIP1", u"TIP6", u"TIP7", u"TIP2"}},
               {12, {u"TIP3", u"TIP3", u"TIP3", u"TIP3", u"TIP3"}}};
  for (const auto &row : table)
    for (int goal = 0; goal <= 4; ++goal)
      EXPECT_EQ(std::u16string(MenstualManager::TipKey(row.cls, goal)),
                row.keys[goal])
          << row.cls << " " << goal;
  // Another day than today: the same tip without "today".
  for (const auto &[today, other] :
       {std::pair{u"TIP2", u"TIP2_DAY"}, std::pair{u"TIP6", u"TIP6_DAY"},
        std::pair{u"TIP7", u"TIP7_DAY"}, std::pair{u"TIP1", u"TIP1"}}) {
    for (const auto &row : table)
      for (int goal = 0; goal <= 4; ++goal)
        if (std::u16string_view(row.keys[goal]) == today)
          EXPECT_EQ(
              std::u16string(MenstualManager::TipKey(row.cls, goal, false)),
              other)
              << row.cls << " " << goal;
  }
}

TEST_F(CycleTest, EveryChangeIsSeenAtOnceByTheCachedAnswers) {
  Manual(28, 14);
  clock.Set(D(31, 3));
  EXPECT_EQ(manager.GetDayClass(D(1, 3)), 6);
  EXPECT_EQ(manager.GetCachedDay(D(1, 3)), nullptr);
  Start(D(1, 3));
  EXPECT_EQ(manager.GetDayClass(D(1, 3)), 0);
  ASSERT_NE(manager.GetCachedDay(D(1, 3)), nullptr);
  EXPECT_TRUE(manager.GetCachedDay(D(1, 3))->menstruationStart);
  // A settings change shows after Reload.
  EXPECT_EQ(manager.GetDayClass(D(31, 3)), 5);
  options.periodLen = 30;
  manager.Reload();
  EXPECT_EQ(manager.GetDayClass(D(31, 3)), 3);
}

} // namespace
