#include "ui/calendar/day_cell_look.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "model/day.h"
#include "model/day_class.h"
#include "resources/image_ids.h"

namespace {

constexpr int kSmall = 60;  // a cell of a usual window

class DayCellLookTest : public ::testing::Test {
 protected:
  static Day Marks(bool sex, bool pill, bool good, bool bad, std::optional<std::u16string> note = std::nullopt) {
    return Day(PackedDate(1, 5, 2024), false, false, sex, pill, good, bad, 0.0, std::move(note));
  }
  void AllShowsOff() {
    o_.showFlow = o_.showPrognoze = o_.showNFertile = o_.showFertile = o_.showLFertile = o_.showOvulation = false;
    o_.showGirl = o_.showBoy = o_.showPain = o_.showSex = o_.showNote =
        o_.showPill = o_.showMood = o_.showDisturbed = false;
  }

  MemorySettingsStore store_;
  OptionsManager o_{store_, SystemLocaleInfo{}, nullptr, u"C:\\Tamarel\\tamarel.exe"};
};

TEST_F(DayCellLookTest, EachClassFillsWithItsDefaultColour) {
  const struct {
    int dayClass;
    ColorRef fill;
  } cases[] = {
      {FlowFirstDay, MakeColor(255, 50, 50)},
      {FlowSecondDay, MakeColor(255, 50, 50)},
      {Flow, MakeColor(255, 50, 50)},
      {PrognosisFirstDay, MakeColor(255, 50, 255)},
      {PrognosisSecondDay, MakeColor(255, 100, 255)},
      {Prognosis, MakeColor(255, 151, 255)},
      {LowFertile, MakeColor(255, 255, 255)},
      {NonFertileAfterFlow, MakeColor(128, 128, 255)},
      {NonFertileBeforeFlow, MakeColor(128, 128, 255)},
      {BoyDay, MakeColor(255, 232, 170)},
      {GirlDay, MakeColor(255, 232, 170)},
      {Ovulation, MakeColor(255, 255, 100)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dayClass);
    const DayCellLook look = DecideDayCellLook(c.dayClass, nullptr, o_, kSmall, false);
    ASSERT_TRUE(look.fill.has_value());
    EXPECT_EQ(*look.fill, c.fill);
  }
  EXPECT_FALSE(DecideDayCellLook(-1, nullptr, o_, kSmall, false).fill);
  EXPECT_FALSE(DecideDayCellLook(12, nullptr, o_, kSmall, false).fill);
}

TEST_F(DayCellLookTest, HoveredFillLosesBlue) {
  EXPECT_EQ(DecideDayCellLook(LowFertile, nullptr, o_, kSmall, true).fill, MakeColor(255, 255, 235));
  EXPECT_EQ(DecideDayCellLook(PrognosisFirstDay, nullptr, o_, kSmall, true).fill, MakeColor(255, 50, 235));
  o_.colors[0] = MakeColor(200, 0, 15);  // flow blue in 11-20 loses 10
  EXPECT_EQ(DecideDayCellLook(Flow, nullptr, o_, kSmall, true).fill, MakeColor(200, 0, 5));
}

TEST_F(DayCellLookTest, EachShowSettingHidesItsClasses) {
  const struct {
    bool OptionsManager::*setting;
    int classes[3];
  } cases[] = {
      {&OptionsManager::showFlow, {FlowFirstDay, FlowSecondDay, Flow}},
      {&OptionsManager::showPrognoze, {PrognosisFirstDay, PrognosisSecondDay, Prognosis}},
      {&OptionsManager::showLFertile, {LowFertile, LowFertile, LowFertile}},
      {&OptionsManager::showNFertile, {NonFertileAfterFlow, NonFertileBeforeFlow, NonFertileBeforeFlow}},
      {&OptionsManager::showFertile, {BoyDay, GirlDay, GirlDay}},
      {&OptionsManager::showOvulation, {Ovulation, Ovulation, Ovulation}},
  };
  for (const auto& c : cases) {
    o_.*c.setting = false;
    for (int dayClass : c.classes) {
      SCOPED_TRACE(dayClass);
      EXPECT_FALSE(DecideDayCellLook(dayClass, nullptr, o_, kSmall, false).fill);
    }
    o_.*c.setting = true;
    EXPECT_TRUE(DecideDayCellLook(c.classes[0], nullptr, o_, kSmall, false).fill);
  }
}

TEST_F(DayCellLookTest, EverythingOffLeavesNoFillAndNoMarks) {
  AllShowsOff();
  const Day all = Marks(true, true, true, false, u"note");
  for (int dayClass = 0; dayClass < 12; ++dayClass) {
    SCOPED_TRACE(dayClass);
    const DayCellLook look = DecideDayCellLook(dayClass, &all, o_, kSmall, true);
    EXPECT_FALSE(look.fill);
    EXPECT_EQ(look.icon, 0);
    EXPECT_FALSE(look.note);
    EXPECT_EQ(look.sex, MarkStyle::None);
    EXPECT_EQ(look.pill, MarkStyle::None);
    EXPECT_EQ(look.mood, 0);
  }
}

TEST_F(DayCellLookTest, BadFeelingMarksFlowDaysEvenWithoutTheirFill) {
  o_.showPain = true;
  o_.showFlow = o_.showPrognoze = o_.showNFertile = false;
  const Day pill = Marks(false, true, false, false);
  for (int dayClass :
       {FlowFirstDay, FlowSecondDay, Flow, PrognosisFirstDay, PrognosisSecondDay, Prognosis, NonFertileBeforeFlow}) {
    SCOPED_TRACE(dayClass);
    EXPECT_EQ(DecideDayCellLook(dayClass, nullptr, o_, kSmall, false).icon, IDB_BAD_FEELING);
    EXPECT_EQ(DecideDayCellLook(dayClass, &pill, o_, kSmall, false).icon,
              IDB_BAD_FEELING);  // pill does not matter
  }
  for (int dayClass : {int{LowFertile}, int{NonFertileAfterFlow}, int{Ovulation}, -1}) {
    EXPECT_EQ(DecideDayCellLook(dayClass, nullptr, o_, kSmall, false).icon, 0);
  }
  o_.showPain = false;
  EXPECT_EQ(DecideDayCellLook(Flow, nullptr, o_, kSmall, false).icon, 0);
}

TEST_F(DayCellLookTest, GoalDecidesBetweenGenderIconsAndPillMarks) {
  o_.showBoy = o_.showGirl = true;
  const Day pill = Marks(false, true, false, false);
  const Day plain = Marks(true, false, false, false);

  o_.goal = 0;  // avoid pregnancy: pill marks, never boy or girl
  EXPECT_EQ(DecideDayCellLook(BoyDay, &plain, o_, kSmall, false).icon, 0);
  EXPECT_EQ(DecideDayCellLook(GirlDay, nullptr, o_, kSmall, false).icon, 0);
  EXPECT_EQ(DecideDayCellLook(BoyDay, &pill, o_, kSmall, false).pill, MarkStyle::Picture);

  for (int goal : {1, 2, 3}) {
    SCOPED_TRACE(goal);
    o_.goal = goal;
    EXPECT_EQ(DecideDayCellLook(BoyDay, &plain, o_, kSmall, false).icon, IDB_BOY_DAY);
    EXPECT_EQ(DecideDayCellLook(GirlDay, nullptr, o_, kSmall, false).icon, IDB_GIRL_DAY);
    const DayCellLook onPill = DecideDayCellLook(BoyDay, &pill, o_, kSmall, false);
    EXPECT_EQ(onPill.icon, 0);
    EXPECT_EQ(onPill.pill, MarkStyle::None);
  }
  o_.goal = 1;
  o_.showBoy = false;
  EXPECT_EQ(DecideDayCellLook(BoyDay, nullptr, o_, kSmall, false).icon, 0);
  EXPECT_EQ(DecideDayCellLook(GirlDay, nullptr, o_, kSmall, false).icon, IDB_GIRL_DAY);
}

TEST_F(DayCellLookTest, WideCellsTradeIconsForLetters) {
  o_.showPain = true;
  o_.goal = 0;
  const Day all = Marks(true, true, true, true, u"a note");
  const struct {
    int width;
    int icon;
    bool note;
    MarkStyle sexAndPill;
    int mood;
  } cases[] = {
      {179, IDB_BAD_FEELING, true, MarkStyle::Picture, IDB_GOOD_MOOD},
      {180, 0, false, MarkStyle::Picture, 0},
      {181, 0, false, MarkStyle::Letter, 0},
      {400, 0, false, MarkStyle::Letter, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    const DayCellLook look = DecideDayCellLook(Flow, &all, o_, c.width, false);
    EXPECT_EQ(look.icon, c.icon);
    EXPECT_EQ(look.note, c.note);
    EXPECT_EQ(look.sex, c.sexAndPill);
    EXPECT_EQ(look.pill, c.sexAndPill);
    EXPECT_EQ(look.mood, c.mood);
  }
}

TEST_F(DayCellLookTest, MarksFollowTheRecordAndTheirSettings) {
  o_.goal = 0;
  EXPECT_EQ(DecideDayCellLook(Flow, nullptr, o_, kSmall, false).sex,
            MarkStyle::None);  // no record, no marks

  const Day bad = Marks(false, false, false, true);
  EXPECT_EQ(DecideDayCellLook(Flow, &bad, o_, kSmall, false).mood, IDB_BAD_MOOD);
  const Day both = Marks(false, false, true, true);
  EXPECT_EQ(DecideDayCellLook(Flow, &both, o_, kSmall, false).mood,
            IDB_GOOD_MOOD);  // good wins

  const Day emptyNote = Marks(false, false, false, false, u"");
  EXPECT_FALSE(DecideDayCellLook(Flow, &emptyNote, o_, kSmall, false).note);

  // The disturbed mark on any class and any cell width, while its setting is
  // on.
  Day disturbed = Marks(false, false, false, false);
  disturbed.disturbed = true;
  EXPECT_TRUE(
      DecideDayCellLook(Ovulation, &disturbed, o_, kSmall, false).disturbed);
  EXPECT_TRUE(
      DecideDayCellLook(-1, &disturbed, o_, kLetterCellWidth + 20, false)
          .disturbed);
  EXPECT_FALSE(DecideDayCellLook(Flow, &bad, o_, kSmall, false).disturbed);

  Day all = Marks(true, true, true, false, u"n");
  all.disturbed = true;
  o_.showSex = o_.showPill = o_.showMood = o_.showNote = o_.showDisturbed =
      false;
  const DayCellLook hidden = DecideDayCellLook(Flow, &all, o_, kSmall, false);
  EXPECT_EQ(hidden.sex, MarkStyle::None);
  EXPECT_EQ(hidden.pill, MarkStyle::None);
  EXPECT_EQ(hidden.mood, 0);
  EXPECT_FALSE(hidden.note);
  EXPECT_FALSE(hidden.disturbed);
}

}  // namespace

namespace {

TEST(DayNumberColor, StaysReadableOnAnyClassColour) {
  constexpr ColorRef kBlack = MakeColor(0, 0, 0), kWhite = MakeColor(255, 255, 255), kBlue = MakeColor(0, 0, 255);
  struct Case {
    ColorRef fill;
    bool today;
    ColorRef expected;
  };
  const Case cases[] = {
      {MakeColor(255, 255, 255), false, kBlack},  // low fertility, white
      {MakeColor(255, 50, 50), false, kBlack},    // the default flow red
      {MakeColor(128, 128, 255), false, kBlack},  // non-fertile
      {MakeColor(0, 0, 128), false, kWhite},      // a navy she picked
      {MakeColor(40, 40, 40), false, kWhite},
      {MakeColor(255, 255, 100), true, kBlue},    // today on ovulation yellow: blue reads
      {MakeColor(255, 50, 50), true, kBlack},     // blue on red does not: black does
      {MakeColor(0, 0, 128), true, kWhite},       // nor on navy
  };
  for (const Case& c : cases) {
    const ColorRef got = DayNumberColor(c.fill, c.today);
    EXPECT_EQ(got, c.expected) << std::hex << c.fill << " today " << c.today;
    EXPECT_GE(ContrastRatio(got, c.fill), 3.0) << std::hex << c.fill;
  }
  EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(kBlue, kBlue), 1.0);
}

}  // namespace

// A 40 x 36 cell at (100, 200) whose number takes (120, 201)-(139, 221).
TEST(MarkPlaceTest, AMarkOverTheNumberMovesLeftOfItElseBelowItElseToTheCellsLeftEdge) {
  const Rect cell{100, 200, 140, 236};
  const Rect number{120, 201, 139, 221};
  struct Case {
    const char* what;
    Point wanted;
    int width, height;
    Rect numberBox;
    Point expected;
  };
  const Case cases[] = {
      {"clear of the number: stays", {100, 203}, 15, 15, number, {100, 203}},
      {"bottom-left icon: stays", {100, 217}, 16, 16, number, {100, 217}},
      {"mood over the number: left of it", {114, 205}, 10, 10, number, {110, 205}},
      {"note touching the number's bottom: left of it", {114, 218}, 15, 15, number, {105, 218}},
      {"no room on the left: below", {114, 205}, 10, 10, Rect{105, 201, 139, 221}, {114, 221}},
      {"room nowhere: the left edge", {114, 205}, 10, 10, Rect{105, 201, 139, 230}, {100, 205}},
      {"touching edges do not overlap", {110, 205}, 10, 10, number, {110, 205}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Point at = MarkPlace(c.wanted, c.width, c.height, c.numberBox, cell);
    EXPECT_EQ(at.x, c.expected.x);
    EXPECT_EQ(at.y, c.expected.y);
  }
}
