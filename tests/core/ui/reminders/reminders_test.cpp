// The reminder check: texts, popups, slide times, sound, and how often each
// reminder comes per day and per user.

#include "ui/reminders/reminders.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"

namespace reminders_test {

constexpr PackedDate kToday{14, 5, 2026};

bool IsFlowClass(int c) { return c >= 0 && c <= 5; }
const std::u16string kTip = u"Your chances of becoming pregnant are good";

// Days whose classes a test writes down; the rest have no class.
struct FakeDays {
  std::map<int, int> classByOffset; // days from kToday -> class
  std::u16string tip = kTip;
  bool pillTaken = false;
  int classQuestions = 0;

  ReminderDays Days() {
    ReminderDays d;
    d.dayClass = [this](const PackedDate &date) {
      ++classQuestions;
      const auto it = classByOffset.find(DaysBetween(kToday, date));
      return it == classByOffset.end() ? -1 : it->second;
    };
    d.tip = [this] { return tip; };
    d.pillTaken = [this] { return pillTaken; };
    return d;
  }
};

class Reminders : public ::testing::Test {
protected:
  Reminders() : locale(dir.path(), codec) {}

  std::optional<ReminderMessage> Check(bool forced, const ReminderSettings &s,
                                       int nowMinute = 9 * 60,
                                       PackedDate today = kToday,
                                       int user = 0) {
    return CheckReminders(forced, s, today, nowMinute, days.Days(), user, log,
                          locale);
  }

  testsupport::TempDir dir;
  Latin1Codec codec;
  LocaleManager locale;
  FakeDays days;
  ReminderLog log;
};

ReminderSettings Settings(bool menstruation, int window, bool other,
                          bool pill = false, int pillMinute = 600) {
  return ReminderSettings{menstruation, window, pill, pillMinute, other};
}

TEST_F(Reminders, MenstruationTextLooksAtTheWindowFromToday) {
  struct Case {
    const char *name;
    std::map<int, int> classes;
    ReminderSettings settings;
    bool forced;
    std::u16string text;
  };
  const Case cases[] = {
      {"predicted flow the day after tomorrow, window 3",
       {{2, 3}, {3, 4}},
       Settings(true, 3, false),
       false,
       u"2 days left before menstruation"},
      {"predicted flow in three days, window 3",
       {{3, 3}},
       Settings(true, 3, false),
       false,
       u""},
      // She has marked it: nothing to remind her of.
      {"flow recorded today",
       {{0, 0}, {1, 1}},
       Settings(true, 3, false),
       false,
       u""},
      {"predicted flow today",
       {{0, 3}},
       Settings(true, 1, false),
       false,
       u"Your period is expected today"},
      {"predicted flow continuing today",
       {{0, 5}},
       Settings(true, 1, false),
       false,
       u"Your period is expected today"},
      {"the first flow day of the window counts",
       {{1, 2}, {2, 0}},
       Settings(true, 10, false),
       false,
       u"Your period is expected tomorrow"},
      {"ovulation and fertile days are no flow",
       {{0, 11}, {1, 9}, {2, 10}, {3, 6}, {4, 7}, {5, 8}},
       Settings(true, 10, false),
       false,
       u""},
      {"menstruation reminder off, tip on: the tip alone",
       {{1, 3}},
       Settings(false, 3, true),
       false,
       kTip},
      {"both on: days, a line break, the heading and the tip",
       {{2, 3}},
       Settings(true, 3, true),
       false,
       u"2 days left before menstruation\nDay tip: " + kTip},
      {"both off", {{0, 0}}, Settings(false, 3, false), false, u""},
      {"forced: as if both were on",
       {{2, 3}},
       Settings(false, 3, false),
       true,
       u"2 days left before menstruation\nDay tip: " + kTip},
      {"forced keeps the window",
       {{3, 3}},
       Settings(false, 3, false),
       true,
       kTip},
      {"a window of 0 days looks at nothing",
       {{0, 0}},
       Settings(true, 0, false),
       false,
       u""},
  };
  for (const Case &c : cases) {
    days.classByOffset = c.classes;
    EXPECT_EQ(
        MenstruationText(c.forced, c.settings, kToday, days.Days(), locale),
        c.text)
        << c.name;
  }
}

TEST_F(Reminders, TextLongerThan115CharactersTakesTheLargePopup) {
  days.classByOffset = {{2, 3}};
  const std::u16string head = u"2 days left before menstruation\nDay tip: ";
  struct Case {
    size_t length;
    ReminderPopup popup;
  };
  for (const Case c :
       {Case{114, ReminderPopup::kSmall}, Case{115, ReminderPopup::kSmall},
        Case{116, ReminderPopup::kLarge}, Case{300, ReminderPopup::kLarge}}) {
    days.tip = std::u16string(c.length - head.size(), u'x');
    const auto m = Check(true, Settings(true, 3, true));
    ASSERT_TRUE(m) << c.length;
    EXPECT_EQ(m->text.size(), c.length);
    EXPECT_EQ(m->popup, c.popup) << c.length;
  }
}

TEST_F(Reminders, AutomaticMessageSoundsAndSlidesFastForcedOneIsSilent) {
  days.classByOffset = {{2, 3}};
  const auto automatic = Check(false, Settings(true, 3, false));
  ASSERT_TRUE(automatic);
  EXPECT_EQ(*automatic,
            (ReminderMessage{u"2 days left before menstruation",
                             ReminderPopup::kSmall, 0, 3000, 0, true}));
  const auto hover = Check(true, Settings(true, 3, false));
  ASSERT_TRUE(hover);
  EXPECT_FALSE(hover->sound);
  EXPECT_EQ(hover->stayMs, 3000);
}

TEST_F(Reminders, MenstruationReminderComesOncePerDayHoverShowsItAgain) {
  days.classByOffset = {{2, 3}};
  const ReminderSettings s = Settings(true, 3, true);
  ASSERT_TRUE(Check(false, s));
  // Later ticks of the same day: nothing (the pill is off).
  EXPECT_FALSE(Check(false, s));
  EXPECT_FALSE(Check(false, s, 23 * 60 + 59));
  // Hovering shows it again, silently.
  const auto hover = Check(true, s);
  ASSERT_TRUE(hover);
  EXPECT_FALSE(hover->sound);
  // The next day brings it again, with the day counted down.
  days.classByOffset = {{1, 3}};
  const auto tomorrow = Check(false, s, 9 * 60, AddDays(kToday, 1));
  ASSERT_TRUE(tomorrow);
  EXPECT_EQ(tomorrow->text.substr(0, 29), u"Your period is expected today");
  EXPECT_TRUE(tomorrow->sound);
}

TEST_F(Reminders, HoverBeforeTheFirstAutomaticReminderCountsAsShown) {
  days.classByOffset = {{2, 3}};
  ASSERT_TRUE(Check(true, Settings(true, 3, false)));
  EXPECT_FALSE(Check(false, Settings(true, 3, false)));
}

TEST_F(Reminders, EachUserHasHerOwnRemindersOfTheDay) {
  days.classByOffset = {{2, 3}};
  const ReminderSettings s = Settings(true, 3, false);
  ASSERT_TRUE(Check(false, s, 600, kToday, 1));
  EXPECT_FALSE(Check(false, s, 600, kToday, 1));
  ASSERT_TRUE(Check(false, s, 600, kToday, 2));
  // Back to the first user the same day: already reminded.
  EXPECT_FALSE(Check(false, s, 600, kToday, 1));
}

TEST_F(Reminders, WithoutFlowInTheWindowTheCheckWaitsForIt) {
  const ReminderSettings s = Settings(true, 3, false);
  days.classByOffset = {{3, 3}};
  EXPECT_FALSE(Check(false, s));
  EXPECT_FALSE(Check(false, s));
  // The predicted start comes into the window: the next tick reminds.
  days.classByOffset = {{2, 3}};
  const auto m = Check(false, s);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, u"2 days left before menstruation");
}

TEST_F(Reminders, PillReminderFromThePillTimeEveryDayUntilMarked) {
  days.tip.clear(); // no menstruation text: the pill part is reached
  const ReminderSettings s = Settings(false, 3, false, true, 10 * 60 + 30);
  struct Case {
    const char *name;
    int nowMinute;
    int todayClass;
    bool pillTaken;
    bool pillOn;
    bool shown;
  };
  const Case cases[] = {
      {"an hour before", 9 * 60 + 45, 11, false, true, false},
      {"same hour, a minute before", 10 * 60 + 29, 11, false, true, false},
      {"at the minute", 10 * 60 + 30, 11, false, true, true},
      {"later hour, earlier minute", 11 * 60 + 5, 11, false, true, true},
      {"just before midnight", 23 * 60 + 59, 11, false, true, true},
      {"already marked with a pill", 12 * 60, 11, true, true, false},
      {"pill reminder off", 12 * 60, 11, false, false, false},
      // A contraceptive pill is taken every day, whatever the day's class.
      {"non-fertile day", 12 * 60, 7, false, true, true},
      {"flow day", 12 * 60, 0, false, true, true},
      {"boy day", 12 * 60, 9, false, true, true},
      {"no class", 12 * 60, -1, false, true, true},
  };
  for (const Case &c : cases) {
    ReminderLog fresh;
    days.classByOffset = {{0, c.todayClass}};
    days.pillTaken = c.pillTaken;
    ReminderSettings settings = s;
    settings.pill = c.pillOn;
    const auto m = CheckReminders(false, settings, kToday, c.nowMinute,
                                  days.Days(), 0, fresh, locale);
    EXPECT_EQ(m.has_value(), c.shown) << c.name;
    if (m) {
      EXPECT_EQ(*m,
                (ReminderMessage{u"Time to take a contraception pill",
                                 ReminderPopup::kSmall, 500, 7000, 500, true}))
          << c.name;
    }
  }
}

TEST_F(Reminders, PillReminderOncePerDayAndAgainTomorrow) {
  days.tip.clear();
  const ReminderSettings s = Settings(false, 3, false, true, 10 * 60);
  ASSERT_TRUE(Check(false, s, 10 * 60));
  EXPECT_FALSE(Check(false, s, 10 * 60 + 1));
  EXPECT_FALSE(
      Check(true, s, 15 * 60)); // hover too: the pill part keeps its daily flag
  const PackedDate tomorrow = AddDays(kToday, 1);
  EXPECT_FALSE(Check(false, s, 9 * 60 + 59, tomorrow));
  EXPECT_TRUE(Check(false, s, 10 * 60, tomorrow));
}

TEST_F(Reminders, PillWaitsForALaterTickWhenTheMenstruationReminderWasShown) {
  days.classByOffset = {{1, 3}};
  const ReminderSettings s = Settings(true, 3, true, true, 8 * 60);
  const auto first = Check(false, s, 12 * 60);
  ASSERT_TRUE(first);
  EXPECT_NE(first->text, u"Time to take a contraception pill");
  const auto second = Check(false, s, 12 * 60);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->text, u"Time to take a contraception pill");
  EXPECT_FALSE(Check(false, s, 12 * 60));
}

TEST_F(Reminders, ForcedCheckWithAnEmptyTextGoesOnToThePillSilently) {
  days.tip.clear();
  const auto m = Check(true, Settings(false, 3, false, true, 8 * 60), 12 * 60);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->text, u"Time to take a contraception pill");
  EXPECT_FALSE(m->sound);
}

TEST_F(Reminders, WindowLooksNoFurtherThanItsFirstFlowDay) {
  days.classByOffset = {{1, 3}};
  ASSERT_TRUE(Check(false, Settings(true, 10, false)));
  EXPECT_EQ(days.classQuestions, 2);
}

// The whole path through the cycle model: predicted flow from the marked
// periods, today's tip by the goal, today's pill mark.
class RemindersWithModel : public ::testing::Test {
protected:
  RemindersWithModel()
      : options(store, SystemLocaleInfo{}, nullptr, u""),
        locale(dir.path(), codec), clock(kToday),
        model(std::make_unique<DatabaseManager>(dir / "db.dat",
                                                [] { return uint16_t{0}; }),
              options, locale, clock) {
    options.autoPeriodCalculation = false;
    options.periodLen = 28;
    options.goal = 0;
  }
  testsupport::TempDir dir;
  MemorySettingsStore store;
  OptionsManager options;
  Latin1Codec codec;
  LocaleManager locale;
  FixedClock clock;
  MenstualManager model;
  ReminderLog log;
};

TEST_F(RemindersWithModel, PredictedPeriodTwoDaysAheadAndThePillMark) {
  // A period 26 days ago: with 28-day cycles the next is predicted for the
  // day after tomorrow.
  ASSERT_EQ(model.SetStart(AddDays(kToday, -26)), SaveResult::kDone);
  ASSERT_TRUE(IsFlowClass(model.GetDayClass(AddDays(kToday, 2))));
  ASSERT_FALSE(IsFlowClass(model.GetDayClass(AddDays(kToday, 1))));

  options.rmenstruation = true;
  options.rsinse = 3;
  options.rother = false;
  options.rpill = true;
  const ReminderSettings s =
      ReminderSettingsFrom(options, [](int64_t) { return 10 * 60; });
  EXPECT_EQ(s.pillMinuteOfDay, 600);
  const auto first =
      CheckReminders(false, s, kToday, 11 * 60, ReminderDaysFrom(model, kToday),
                     0, log, locale);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->text, u"2 days left before menstruation");

  Day pill(kToday, false, false, false, true, false, false, 0.0);
  ASSERT_EQ(model.StoreDay(pill), SaveResult::kDone);
  EXPECT_FALSE(CheckReminders(false, s, kToday, 11 * 60,
                              ReminderDaysFrom(model, kToday), 0, log, locale));

  // The hover text with the tip of today's class for this goal.
  const auto hover =
      CheckReminders(true, s, kToday, 11 * 60, ReminderDaysFrom(model, kToday),
                     0, log, locale);
  ASSERT_TRUE(hover);
  EXPECT_EQ(hover->text, u"2 days left before menstruation\nDay tip: " +
                             model.GetTip(kToday));
}

} // namespace

namespace {

TEST(ReminderDays, TheWindowIsAWholeNumberFromOneToTen) {
  struct Case {
    std::u16string text;
    std::optional<int> value;
  };
  const Case cases[] = {{u"1", 1},
                        {u"10", 10},
                        {u" 3 ", 3},
                        {u"03", 3},
                        {u"+7", 7},
                        {u"0", std::nullopt},
                        {u"11", std::nullopt},
                        {u"-1", std::nullopt},
                        {u"", std::nullopt},
                        {u"3.5", std::nullopt},
                        {u"2x", std::nullopt},
                        {u"-", std::nullopt},
                        {u"99999999999", std::nullopt}};
  for (const Case &c : cases)
    EXPECT_EQ(ParseReminderDays(c.text), c.value) << ToUtf8(c.text);
}

}  // namespace reminders_test
