// The day menu as the real frame builds it for a right click on a day, and
// each day command's effect on db.dat.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "resources/resource.h"
#include "support/full_database.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace day_menu_test {

using DayMenuTest = FrameTest;

constexpr PackedDate kDay{10, 6, 2024};

TEST_F(DayMenuTest, ADayWithoutRecordOffersTheMarksAndThePillOnlyToAvoidPregnancy) {
  struct Case {
    int goal;
    std::vector<UINT> ids;
    std::vector<std::wstring> texts;
  };
  const Case cases[] = {
      {0,
       {0, ID_DAY_SET_START, ID_DAY_SEX, ID_DAY_PILL, ID_DAY_TEMPERATURE,
        ID_DAY_DISTURBED, ID_DAY_GOOD_MOOD, ID_DAY_BAD_MOOD, ID_DAY_NOTE},
       {L"Edit day", L"", L"&Set menstrual", L"Was se&x", L"Took &Pill",
        L"Set &Temperature",
        L"Temperature disturbed (&illness, short night, alcohol)",
        L"&Good Mood", L"&Bad Mood", L"Add &note"}},
      {2,
       {0, ID_DAY_SET_START, ID_DAY_SEX, ID_DAY_TEMPERATURE, ID_DAY_DISTURBED,
        ID_DAY_GOOD_MOOD, ID_DAY_BAD_MOOD, ID_DAY_NOTE},
       {L"Edit day", L"", L"&Set menstrual", L"Was se&x", L"Set &Temperature",
        L"Temperature disturbed (&illness, short night, alcohol)",
        L"&Good Mood", L"&Bad Mood", L"Add &note"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    options_.goal = c.goal;
    OpenFrame();
    const std::vector<MenuEntry> menu = RightClickDay(kDay);
    ASSERT_EQ(menu.size(), c.texts.size());
    EXPECT_TRUE(menu[0].disabled);
    EXPECT_TRUE(menu[1].separator);
    std::vector<std::wstring> texts;
    for (const MenuEntry& e : menu) texts.push_back(e.text);
    EXPECT_EQ(texts, c.texts);
    std::vector<UINT> ids = Ids(menu);
    EXPECT_EQ(ids, c.ids);
    // Every command here has its picture (the end and "was not" items have none).
    for (size_t i = 2; i < menu.size(); ++i) EXPECT_TRUE(menu[i].picture) << i;
    // Opened at the cell's bottom-left corner, the right button tracking too.
    EXPECT_TRUE(menuFlags_.back() & TPM_RIGHTBUTTON);
  }
}

TEST_F(DayMenuTest, AMarkedDayOffersToUnmarkAndHidesTheMoodItHas) {
  ASSERT_EQ(model_->StoreDay(Day(kDay, true, false, true, true, true, false, 36.6, u"hello")), SaveResult::kDone);
  options_.goal = 0;
  OpenFrame();
  const std::vector<MenuEntry> menu = RightClickDay(kDay);
  std::vector<std::wstring> texts;
  for (const MenuEntry& e : menu) texts.push_back(e.text);
  // The start is there already, so it cannot be set again, and within 6
  // days after it the end could be set, but not on the start itself.
  EXPECT_EQ(texts,
            (std::vector<std::wstring>{
                L"Edit day", L"", L"&Unset menstrual", L"Was not se&x",
                L"No &Pill", L"Set &Temperature",
                L"Temperature disturbed (&illness, short night, alcohol)",
                L"&Bad Mood", L"Edit &note"}));
  EXPECT_FALSE(menu[3].picture);  // "Was not sex" has no picture
}

TEST_F(DayMenuTest, TheEndIsOfferedAfterAStartAndTheStartNotInTheFuture) {
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(8, 6, 2024), true, false, false, false, false, false, 0)), SaveResult::kDone);
  OpenFrame();
  EXPECT_EQ(
      Ids(RightClickDay(PackedDate(11, 6, 2024))),
      (std::vector<UINT>{0, ID_DAY_SET_END, ID_DAY_SEX, ID_DAY_TEMPERATURE,
                         ID_DAY_DISTURBED, ID_DAY_GOOD_MOOD, ID_DAY_BAD_MOOD,
                         ID_DAY_NOTE}));
  EXPECT_EQ(
      Ids(RightClickDay(PackedDate(20, 6, 2024))),
      (std::vector<UINT>{0, ID_DAY_SEX, ID_DAY_TEMPERATURE, ID_DAY_DISTURBED,
                         ID_DAY_GOOD_MOOD, ID_DAY_BAD_MOOD, ID_DAY_NOTE}));
}

TEST_F(DayMenuTest, MarkCommandsToggleAndReplaceThroughTheStoredRecord) {
  options_.goal = 0;
  OpenFrame();
  RunDayCommand(kDay, ID_DAY_SEX);
  auto day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_TRUE(day->sex);
  RunDayCommand(kDay, ID_DAY_PILL);
  RunDayCommand(kDay, ID_DAY_GOOD_MOOD);
  day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_TRUE(day->sex && day->pill && day->goodMood && !day->badMood);

  RunDayCommand(kDay, ID_DAY_BAD_MOOD);
  day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_TRUE(day->badMood);
  EXPECT_FALSE(day->goodMood);
  // The menu now offers Good Mood again and no Bad Mood.
  const std::vector<UINT> ids = Ids(RightClickDay(kDay));
  EXPECT_NE(std::find(ids.begin(), ids.end(), UINT{ID_DAY_GOOD_MOOD}), ids.end());
  EXPECT_EQ(std::find(ids.begin(), ids.end(), UINT{ID_DAY_BAD_MOOD}), ids.end());

  // Unmarking everything leaves nothing to store.
  RunDayCommand(kDay, ID_DAY_SEX);
  RunDayCommand(kDay, ID_DAY_PILL);
  day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_FALSE(day->sex || day->pill);

  // The disturbed mark toggles from the menu, which then offers to take it
  // back.
  RunDayCommand(kDay, ID_DAY_DISTURBED);
  day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_TRUE(day->disturbed && day->badMood);
  std::vector<std::wstring> texts;
  for (const MenuEntry &e : RightClickDay(kDay))
    texts.push_back(e.text);
  EXPECT_NE(
      std::find(texts.begin(), texts.end(), L"Temperature not d&isturbed"),
      texts.end());
  RunDayCommand(kDay, ID_DAY_DISTURBED);
  EXPECT_FALSE(Stored(kDay)->disturbed);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(DayMenuTest, StartAndEndAreSetAndUnsetAndUnsetWithoutRecordDoesNothing) {
  OpenFrame();
  RunDayCommand(PackedDate(3, 6, 2024), ID_DAY_UNSET_START);
  EXPECT_FALSE(Stored(PackedDate(3, 6, 2024)));

  RunDayCommand(PackedDate(3, 6, 2024), ID_DAY_SET_START);
  RunDayCommand(PackedDate(7, 6, 2024), ID_DAY_SET_END);
  auto start = Stored(PackedDate(3, 6, 2024));
  auto end = Stored(PackedDate(7, 6, 2024));
  ASSERT_TRUE(start && end);
  EXPECT_TRUE(start->menstruationStart);
  EXPECT_TRUE(end->menstruationEnd);

  RunDayCommand(PackedDate(7, 6, 2024), ID_DAY_UNSET_END);
  RunDayCommand(PackedDate(3, 6, 2024), ID_DAY_UNSET_START);
  EXPECT_FALSE(Stored(PackedDate(3, 6, 2024)));
  EXPECT_FALSE(Stored(PackedDate(7, 6, 2024)));
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(DayMenuTest, ARefusedStartOrEndIsExplainedAndChangesNothing) {
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(1, 6, 2024), true, false, false, false, false, false, 0)), SaveResult::kDone);
  OpenFrame();
  RunDayCommand(PackedDate(6, 6, 2024), ID_DAY_SET_START);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            L"Can't save this day. The last menstruation must not be earlier than 10 days.\r\n"
            L"Please select the latter date.");
  EXPECT_EQ(boxes_[0].caption, L"Error");
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, UINT{MB_ICONINFORMATION});
  EXPECT_FALSE(Stored(PackedDate(6, 6, 2024)));

  // Ten days after the start the end is refused with the same box.
  RunDayCommand(PackedDate(11, 6, 2024), ID_DAY_SET_END);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, boxes_[0].text);
  EXPECT_FALSE(Stored(PackedDate(11, 6, 2024)));
}

TEST_F(DayMenuTest, AFullCalendarFileIsToldAsSuch) {
  const auto full = testsupport::WriteFullDatabase("frame-full");
  // Every slot is used by the days from December 2020 on; June 2020 has none.
  clock_.Set(PackedDate(15, 6, 2020));
  MakeModel(full);
  OpenFrame();
  RunDayCommand(PackedDate(10, 6, 2020), ID_DAY_SEX);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"The calendar file is full: no more days can be stored.");
  EXPECT_EQ(boxes_[0].caption, L"Error");
  EXPECT_FALSE(Stored(PackedDate(10, 6, 2020)));

  // Setting a start there fails for the same reason, not by the cycle rules.
  RunDayCommand(PackedDate(10, 6, 2020), ID_DAY_SET_START);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, boxes_[0].text);
  frame_.reset();
  model_.reset();
  std::filesystem::remove(full);
}

}  // namespace day_menu_test
}  // namespace frametest
