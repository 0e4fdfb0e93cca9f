// What every window says of her days, over small histories: no claim where
// her days say nothing, a late period told wherever the next period is,
// what a prediction stands on, the range for irregular cycles and the
// cautious window. Texts are the built-in English ones.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "env/locale_manager.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"
#include "ui/calendar/day_balloon_text.h"
#include "ui/frame/frame_texts.h"
#include "ui/panes/pane_texts.h"
#include "ui/reports/cycle_report.h"
#include "ui/reminders/reminders.h"
#include "support/dates.h"

namespace {

using testsupport::D;

constexpr const char16_t *kLowFertile = u"Low fertiltity";
constexpr const char16_t *kNotFertileToday =
    u"Your are not fertile today. Your chances of becoming pregnant are very "
    u"low";
constexpr const char16_t *kRange =
    u"Next menstruation: 3.1.2027 (between 29.12.2026 and 8.1.2027)";

// One user's calendar, its settings and a clock.
struct HonestTexts {
  HonestTexts()
      : options(store, SystemLocaleInfo{}, nullptr, u""),
        locale(dir.path(), codec), clock(D(10, 12)),
        model(std::make_unique<DatabaseManager>(dir / "db.dat",
                                                [] { return uint16_t{0}; }),
              options, locale, clock) {}

  void Start(PackedDate d) {
    Day day(d, true, false, false, false, false, false, 0.0);
    EXPECT_EQ(model.StoreDay(day), SaveResult::kDone) << FormatDate(d);
  }
  // Three cycles of 26, 31 and 36 days; the last start on 3 December.
  void Irregular() {
    for (PackedDate d : {D(1, 9), D(27, 9), D(28, 10), D(3, 12)})
      Start(d);
  }
  // Two cycles of 31 days; the next start is expected on 3 December.
  void Regular31() {
    for (PackedDate d : {D(1, 9), D(2, 10), D(2, 11)})
      Start(d);
  }

  testsupport::TempDir dir;
  MemorySettingsStore store;
  OptionsManager options;
  Latin1Codec codec;
  LocaleManager locale;
  FixedClock clock;
  MenstualManager model;
};

TEST(HonestTexts, TodayOverSmallHistories) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  const struct Case {
    const char *name;
    std::function<void(HonestTexts &)> history;
    PackedDate today;
    TodayWords words;
  } cases[] = {
      {"no period",
       [](HonestTexts &) {},
       D(10, 12),
       {u"Today is 10.12.2026", u"No period marked yet", u"", u"", u"", u""}},
      {"one start",
       [](HonestTexts &t) { t.Start(D(1, 11)); },
       D(10, 11),
       {u"Today is 10.11.2026 (day 10 of period)", kLowFertile,
        u"Based on the default 28-day cycle", u"", kNotFertileToday, u""}},
      {"two starts",
       [](HonestTexts &t) {
         t.Start(D(1, 10));
         t.Start(D(31, 10));
       },
       D(10, 11),
       {u"Today is 10.11.2026 (day 11 of period)", kLowFertile,
        u"Based on 1 recorded cycle", u"", kNotFertileToday, u""}},
      {"cycles of 26, 31 and 36 days",
       [](HonestTexts &t) { t.Irregular(); },
       D(10, 12),
       {u"Today is 10.12.2026 (day 8 of period)", kLowFertile, u"", kRange,
        kNotFertileToday, u""}},
      {"1 day late",
       [](HonestTexts &t) { t.Regular31(); },
       D(4, 12),
       {u"Today is 4.12.2026 (your period is 1 day late)",
        u"Your period is 1 day late", u"Based on 2 recorded cycles", u"", u"",
        u""}},
      {"9 days late: day 41 of a 31-day cycle",
       [](HonestTexts &t) { t.Regular31(); },
       D(12, 12),
       {u"Today is 12.12.2026 (your period is 9 days late)",
        u"Your period is 9 days late", u"Based on 2 recorded cycles", u"", u"",
        u""}},
      {"10 days late",
       [](HonestTexts &t) { t.Regular31(); },
       D(13, 12),
       {u"Today is 13.12.2026 (your period is 10 days late)",
        u"Your period is 10 days late", u"Based on 2 recorded cycles", u"", u"",
        u"A pregnancy test can now tell whether you are pregnant."}},
      {"the late start marked",
       [](HonestTexts &t) {
         t.Regular31();
         t.Start(D(12, 12));
       },
       D(12, 12),
       {u"Today is 12.12.2026 (day 1 of period)", u"Menstrual flow", u"",
        u"Next menstruation: 15.1.2027 (between 12.1.2027 and 21.1.2027)",
        u"You are not fertile while menstruating. However, we recommend that "
        u"you abstain from intercourse during "
        u"this time due to increased chances of infection.",
        u""}},
  };
  for (const Case &c : cases) {
    HonestTexts t;
    c.history(t);
    t.clock.Set(c.today);
    const TodayWords words = TodayWordsFrom(t.model, c.today);
    EXPECT_EQ(words.today, c.words.today) << c.name;
    EXPECT_EQ(words.label, c.words.label) << c.name;
    EXPECT_EQ(words.basis, c.words.basis) << c.name;
    EXPECT_EQ(words.range, c.words.range) << c.name;
    EXPECT_EQ(words.tip, c.words.tip) << c.name;
    EXPECT_EQ(words.test, c.words.test) << c.name;
  }
}

TEST(HonestTexts, BasisOnlyWithAutomaticLengths) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  w.Start(D(1, 11));
  options.autoPeriodCalculation = false;
  EXPECT_EQ(TodayWordsFrom(model, D(10, 11)).basis, u"");
  EXPECT_EQ(CyclesBasisLine(model), u"");
  options.autoPeriodCalculation = true;
  options.periodLen = 30;
  EXPECT_EQ(CyclesBasisLine(model), u"Based on the default 30-day cycle");
}

TEST(HonestTexts, CautiousWindowOnAndOffForEachGoal) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  w.Irregular(); // today, cycle day 8, is low fertility by the rules
  const char16_t *abstain = u"Please abstain from unprotected sexual "
                            u"intercourse to avoid an unwanted pregnancy.";
  for (int goal = 0; goal <= 3; ++goal) {
    for (bool cautious : {false, true}) {
      options.goal = goal;
      options.cautiousWindow = cautious;
      const TodayWords words = TodayWordsFrom(model, D(10, 12));
      const bool widened = cautious && goal == 0;
      EXPECT_EQ(words.label,
                widened ? u"Good day to convince a child" : kLowFertile)
          << goal << cautious;
      EXPECT_EQ(words.tip, widened ? abstain : kNotFertileToday)
          << goal << cautious;
      EXPECT_EQ(words.range, kRange);
    }
  }
}

TEST(HonestTexts, TipsOfOtherDaysDoNotSayToday) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  w.Start(D(1, 11)); // L 28, O 14: 15 November ovulation, 11 to 14 girl days,
                     // 24 November class 8
  options.goal = 3;
  EXPECT_EQ(model.GetTip(D(12, 11)),
            u"You have a good chance of conceiving a girl on this day.");
  EXPECT_EQ(model.GetTip(D(24, 11)),
            u"You are not fertile on this day. Your chances of becoming "
            u"pregnant are very low.");
  clock.Set(D(12, 11));
  EXPECT_EQ(model.GetTip(D(12, 11)),
            u"You have a good chances of conceive a girl today.");
  // Without a gender to aim for, boy and girl days are named as the legend
  // names them.
  options.goal = 1;
  EXPECT_EQ(model.DayLabel(D(12, 11)), u"Good day to convince a child");
  EXPECT_EQ(model.DayLabel(D(17, 11)), u"Good day to convince a child");
  options.goal = 2;
  EXPECT_EQ(model.DayLabel(D(12, 11)), u"Good day to convince a girl");
}

TEST(HonestTexts, BalloonsClaimNothingWithoutDataAndTellALatePeriod) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  DayBalloon balloon = DayBalloonFor(model, locale, D(16, 3));
  EXPECT_EQ(balloon.title, u"No period marked yet");
  EXPECT_EQ(balloon.text, WrapDayTip(u"Monday, 16.03.2026"));

  w.Regular31();
  balloon = DayBalloonFor(model, locale, D(16, 3));
  EXPECT_EQ(balloon.title, u"Before your first recorded period");
  EXPECT_EQ(balloon.text, WrapDayTip(u"Monday, 16.03.2026"));

  clock.Set(D(12, 12));
  for (PackedDate d : {D(4, 12), D(12, 12), D(29, 12)}) {
    balloon = DayBalloonFor(model, locale, d);
    EXPECT_EQ(balloon.title, u"Your period is 9 days late") << FormatDate(d);
    EXPECT_EQ(balloon.text.find(u"not fertile"), std::u16string::npos)
        << FormatDate(d);
  }
  // Before the expected start her recorded cycle still speaks.
  balloon = DayBalloonFor(model, locale, D(1, 12));
  EXPECT_EQ(balloon.title, u"Non-feritle days");
}

TEST(HonestTexts, TrayTooltip) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  EXPECT_EQ(TrayTooltip(locale, model, D(10, 12)),
            u"Tamarel \u2013 no period marked yet\nToday is 10.12.2026");
  w.Irregular();
  EXPECT_EQ(TrayTooltip(locale, model, D(10, 12)),
            u"Tamarel 0.0.0.3\nToday is 10.12.2026\nLow fertiltity\n" +
                std::u16string(kRange) + u"\n");
  HonestTexts late;
  late.Regular31();
  late.clock.Set(D(12, 12));
  EXPECT_EQ(
      TrayTooltip(locale, late.model, D(12, 12)),
      u"Tamarel 0.0.0.3\nToday is 12.12.2026\nYour period is 9 days late\n");
}

TEST(HonestTexts, TodayDialog) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  TodayDialogWords words = TodayDialogWordsFrom(model, D(10, 12));
  EXPECT_EQ(words.menstruation, u"Next menstruation: not known yet");
  EXPECT_EQ(words.ovulation, u"Next ovulation: not known yet");
  EXPECT_EQ(words.birth, u"") << "no birth date made up from nothing";
  EXPECT_EQ(words.tip, u"No period marked yet");

  w.Regular31();
  clock.Set(D(12, 12));
  words = TodayDialogWordsFrom(model, D(12, 12));
  EXPECT_EQ(words.today, u"Today is 12.12.2026 (your period is 9 days late)");
  EXPECT_EQ(words.menstruation,
            u"Next menstruation: 9 days late (expected 3.12.2026)");
  EXPECT_EQ(words.basis, u"Based on 2 recorded cycles");
  EXPECT_EQ(words.tip, u"Your period is 9 days late");

  HonestTexts irregular;
  irregular.Irregular();
  words = TodayDialogWordsFrom(irregular.model, D(10, 12));
  EXPECT_EQ(words.menstruation, kRange);
  EXPECT_EQ(words.ovulation, u"Next ovulation: 20.12.2026, 10 days left");
}

TEST(HonestTexts, PeriodReminder) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  ReminderSettings settings;
  settings.days = 3;
  settings.other = false;
  ReminderLog log;
  // Nothing marked: no reminder at all, not even the tip.
  settings.other = true;
  EXPECT_FALSE(CheckReminders(false, settings, D(10, 12), 600,
                              ReminderDaysFrom(model, D(10, 12)), 0, log,
                              locale));
  settings.other = false;

  w.Regular31();
  clock.Set(D(3, 12));
  auto message =
      CheckReminders(false, settings, D(3, 12), 600,
                     ReminderDaysFrom(model, D(3, 12)), 0, log, locale);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, u"Your period is expected today");

  clock.Set(D(12, 12));
  message = CheckReminders(false, settings, D(12, 12), 600,
                           ReminderDaysFrom(model, D(12, 12)), 0, log, locale);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text,
            u"Next menstruation: 9 days late (expected 3.12.2026)");
  EXPECT_FALSE(CheckReminders(false, settings, D(12, 12), 601,
                              ReminderDaysFrom(model, D(12, 12)), 0, log,
                              locale))
      << "once a day";

  HonestTexts irregular;
  irregular.Irregular();
  irregular.clock.Set(D(1, 1, 2027));
  message = CheckReminders(false, settings, D(1, 1, 2027), 600,
                           ReminderDaysFrom(irregular.model, D(1, 1, 2027)), 0,
                           log, locale);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text,
            u"2 days left before menstruation\n" + std::u16string(kRange));
}

TEST(HonestTexts, CycleRowsNameTheModelsOvulation) {
  HonestTexts w;
  [[maybe_unused]] auto &[dir, store, options, codec, locale, clock, model] = w;
  w.Irregular();
  const std::vector<CycleRow> rows = CycleRows(model);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (CycleRow{u"01.09.2026", u"26", u"18.09.2026"}));
  EXPECT_EQ(rows[1], (CycleRow{u"27.09.2026", u"31", u"14.10.2026"}));
  EXPECT_EQ(rows[2], (CycleRow{u"28.10.2026", u"36", u"14.11.2026"}));
  EXPECT_EQ(rows[3], (CycleRow{u"03.12.2026", u"", u""}));
}

} // namespace
