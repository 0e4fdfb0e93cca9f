// The side panes' texts and the today dialog's look ahead, without windows.

#include "ui/panes/pane_texts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "model/day_class.h"
#include "support/temp_dir.h"

namespace {

constexpr PackedDate kToday{15, 6, 2024};

class PaneTexts : public ::testing::Test {
 protected:
  testsupport::TempDir dir_;
  Latin1Codec codec_;
  LocaleManager locale_{dir_.path(), codec_};
};

TEST_F(PaneTexts, TodayLineCountsTheDaysOfThePeriodFromItsFirstDay) {
  const PackedDate fiveDaysAgo{10, 6, 2024};
  EXPECT_EQ(TodayLine(locale_, kToday, nullptr), u"Today is 15.6.2024");
  // The start day is day 1, as every cycle calendar counts.
  EXPECT_EQ(TodayLine(locale_, kToday, &kToday), u"Today is 15.6.2024 (day 1 of period)");
  EXPECT_EQ(TodayLine(locale_, kToday, &fiveDaysAgo), u"Today is 15.6.2024 (day 6 of period)");
  const PackedDate lastYear{20, 12, 2023};
  EXPECT_EQ(TodayLine(locale_, kToday, &lastYear), u"Today is 15.6.2024 (day 179 of period)");
  const PackedDate ahead{18, 6, 2024};
  EXPECT_EQ(TodayLine(locale_, kToday, &ahead), u"Today is 15.6.2024") << "no negative day of a period";
}

TEST(FormatOneDecimal, RoundsLikePrintfAndKeepsAPoint) {
  const struct {
    double value;
    const char16_t* text;
  } cases[] = {
      {36.6, u"36.6"}, {97.9, u"97.9"},   {5, u"5.0"},       {0.04, u"0.0"},
      {0.25, u"0.2"},  {98.25, u"98.2"},  {99.95, u"100.0"}, {-1.5, u"-1.5"},
      {149.96, u"150.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatOneDecimal(c.value), c.text) << c.value;
}

TEST_F(PaneTexts, TemperatureButtonShowsTheSettingsUnitOrAsksForATemperature) {
  const auto with = [](double t) { return Day(kToday, false, false, false, false, false, false, t); };
  const struct {
    const char* name;
    std::optional<Day> day;
    bool fahrenheit;
    const char16_t* text;
  } cases[] = {
      {"no record", std::nullopt, true, u"Set Temperature"},
      {"record without temperature", with(0), false, u"Set Temperature"},
      {"celsius shown as entered", with(36.6), false, u"36.6 C"},
      {"fahrenheit shown as entered", with(97.9), true, u"97.9 F"},
      {"celsius in fahrenheit", with(36.8), true, u"98.2 F"},
      {"fahrenheit in celsius", with(98.6), false, u"37.0 C"},
      {"just below 50 was entered in celsius", with(49.99), false, u"50.0 C"},
      {"50 was entered in fahrenheit", with(50), false, u"10.0 C"},
      // 36.65 as a double is just below the half, as a float just above it.
      {"reduced to single precision first", with(36.65), false, u"36.7 C"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TemperatureButtonText(locale_, c.day ? &*c.day : nullptr, c.fahrenheit), c.text) << c.name;
  }
}

TEST_F(PaneTexts, InfoTextPutsTheNoteBeforeTheTip) {
  const Day noted(kToday, false, false, false, false, false, false, 0, u"headache");
  const Day empty(kToday, false, false, true, false, false, false, 0, u"");
  const Day none(kToday, false, false, true, false, false, false, 0);
  EXPECT_EQ(InfoEditText(locale_, &noted, u"Tip."), u"Note: headache\r\nTip.");
  EXPECT_EQ(InfoEditText(locale_, &empty, u"Tip."), u"Tip.");
  EXPECT_EQ(InfoEditText(locale_, &none, u"Tip."), u"Tip.");
  EXPECT_EQ(InfoEditText(locale_, nullptr, u"Tip."), u"Tip.");
}

TEST_F(PaneTexts, ClassButtonShowsTheLegendLabelOfClassesZeroToEleven) {
  EXPECT_EQ(ClassButtonText(locale_, Flow), u"Menstrual flow");
  EXPECT_EQ(ClassButtonText(locale_, PrognosisFirstDay), u"Prognozed cycle");
  EXPECT_EQ(ClassButtonText(locale_, Ovulation), u"Ovulation");
  EXPECT_EQ(ClassButtonText(locale_, BoyDay), u"Good day to convince a boy");
  EXPECT_EQ(ClassButtonText(locale_, 12), u"");
  EXPECT_EQ(ClassButtonText(locale_, -1), u"");
}

// A classifier that answers from a table of day offsets (others: low
// fertility) and counts its calls.
struct Script {
  std::map<int, int> classes;
  int calls = 0;
  int last = -1;
  int operator()(const PackedDate& d) {
    ++calls;
    last = DaysBetween(kToday, d);
    const auto it = classes.find(last);
    return it == classes.end() ? LowFertile : it->second;
  }
};

TEST(LookAhead, FindsTheFirstFlowOvulationAndGenderDay) {
  Script script{{{3, GirlDay}, {5, BoyDay}, {12, Ovulation}, {20, PrognosisFirstDay}, {30, FlowFirstDay}}};
  const LookAhead found = LookAheadFrom(kToday, std::ref(script));
  EXPECT_EQ(found.menstruation, AddDays(kToday, 20));
  EXPECT_EQ(found.menstruationDays, 20);
  EXPECT_EQ(found.ovulation, AddDays(kToday, 12));
  EXPECT_EQ(found.ovulationDays, 12);
  EXPECT_EQ(found.genderDay, AddDays(kToday, 3));
  EXPECT_TRUE(found.girl);
  EXPECT_EQ(found.birth, AddDays(kToday, 273));
  EXPECT_EQ(script.last, 20) << "stops as soon as all three are found";
}

TEST(LookAhead, CountsTodayAsDayZeroAndRecordedFlowAsMenstruation) {
  Script script{{{0, FlowFirstDay}, {1, FlowSecondDay}, {9, BoyDay}, {14, Ovulation}}};
  const LookAhead found = LookAheadFrom(kToday, std::ref(script));
  EXPECT_EQ(found.menstruation, kToday);
  EXPECT_EQ(found.menstruationDays, 0);
  EXPECT_EQ(found.genderDay, AddDays(kToday, 9));
  EXPECT_FALSE(found.girl);
  EXPECT_EQ(found.birth, AddDays(kToday, 279));
}

TEST(LookAhead, LooksAtExactlyOneHundredDays) {
  Script script{{{99, Ovulation}, {100, FlowFirstDay}}};
  const LookAhead found = LookAheadFrom(kToday, std::ref(script));
  EXPECT_EQ(script.calls, 100);
  EXPECT_EQ(found.ovulation, AddDays(kToday, 99));
  EXPECT_TRUE(found.menstruation.IsEmpty()) << "day 100 is beyond the look ahead";
  EXPECT_EQ(found.menstruationDays, 0);
  EXPECT_TRUE(found.genderDay.IsEmpty());
  EXPECT_FALSE(found.girl) << "no gender day shows the boy";
  EXPECT_EQ(found.birth, AddDays(kToday, 270)) << "birth counted from today";
}

TEST_F(PaneTexts, DateLinesShowAMissingDateAsZeros) {
  EXPECT_EQ(DateCountLine(locale_, u"NEXT_MENSTRUAL", PackedDate{3, 7, 2024}, 18),
            u"Next menstruation: 3.7.2024, 18 days left");
  EXPECT_EQ(DateCountLine(locale_, u"NEXT_OVULATION", PackedDate{}, 0), u"Next ovulation: 0.0.0, 0 days left");
  EXPECT_EQ(BirthLine(locale_, PackedDate{12, 3, 2025}), u"Date of the birth and the gender: 12.3.2025");
}

TEST(LengthLists, HoldEveryLengthAndKeepTheSelectionInside) {
  const std::vector<std::u16string> cycle = LengthEntries(10, 40);
  ASSERT_EQ(cycle.size(), 31u);
  EXPECT_EQ(cycle.front(), u"10");
  EXPECT_EQ(cycle[18], u"28");
  EXPECT_EQ(cycle.back(), u"40");
  EXPECT_EQ(LengthIndex(28, 10, 40), 18);
  EXPECT_EQ(LengthIndex(14, 10, 21), 4);
  EXPECT_EQ(LengthIndex(3, 10, 40), 0);
  EXPECT_EQ(LengthIndex(99, 10, 21), 11);
}

}  // namespace

namespace {

TEST(SelectedDayLine, NamesTheWeekdayInFullAndTheDate) {
  testsupport::TempDir dir;
  Latin1Codec codec;
  LocaleManager locale{dir.path(), codec};
  EXPECT_EQ(SelectedDayLine(locale, PackedDate(10, 12, 2026)), u"Thursday, 10.12.2026");
  EXPECT_EQ(SelectedDayLine(locale, PackedDate(15, 6, 2024)), u"Saturday, 15.06.2024");
  EXPECT_EQ(SelectedDayLine(locale, PackedDate(16, 6, 2024)), u"Sunday, 16.06.2024");
  EXPECT_EQ(SelectedDayLine(locale, PackedDate(29, 2, 2000)), u"Tuesday, 29.02.2000");
}

}  // namespace

namespace {

TEST_F(PaneTexts, TemperatureLinesSayWhatTheShiftFoundAndNothingWithoutIt) {
  TemperatureShift shift;
  EXPECT_EQ(TemperatureShiftLine(locale_, shift), u"");
  shift.state = ShiftState::kRising;
  shift.firstHigh = PackedDate(11, 3, 2026);
  EXPECT_EQ(TemperatureShiftLine(locale_, shift),
            u"Temperature rising since 11.3.2026: not yet confirmed");
  shift.state = ShiftState::kConfirmed;
  shift.confirmedOn = PackedDate(13, 3, 2026);
  shift.ovulation = PackedDate(10, 3, 2026);
  EXPECT_EQ(
      TemperatureShiftLine(locale_, shift),
      u"Temperature shift confirmed on 13.3.2026: ovulation about 10.3.2026");

  Day day(kToday, false, false, false, false, false, false, 38.2);
  EXPECT_EQ(DisturbedLine(locale_, nullptr), u"");
  EXPECT_EQ(DisturbedLine(locale_, &day), u"");
  day.disturbed = true;
  EXPECT_EQ(DisturbedLine(locale_, &day), u"Disturbed temperature");
}

} // namespace
