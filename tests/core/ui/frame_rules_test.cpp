// The main frame's window-free rules: what the day menu offers, how the day
// commands change a record, the band's geometry and the frame's texts.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "model/day.h"
#include "resources/image_ids.h"
#include "resources/resource.h"
#include "support/temp_dir.h"
#include "ui/days/day_edits.h"
#include "ui/frame/band_layout.h"
#include "ui/frame/day_menu_items.h"
#include "ui/frame/frame_texts.h"

namespace {

constexpr PackedDate kDate{10, 6, 2024};

std::vector<std::u16string> Keys(const std::vector<DayMenuItem> &items) {
  std::vector<std::u16string> keys;
  for (const DayMenuItem &i : items)
    keys.emplace_back(i.key);
  return keys;
}

Day Marked(bool start, bool end, bool sex, bool pill, bool good, bool bad,
           std::optional<std::u16string> note = {}) {
  return Day(kDate, start, end, sex, pill, good, bad, 0, std::move(note));
}

TEST(DayMenuItems, OfferWhatTheRecordAndTheRulesAllow) {
  struct Case {
    const char *name;
    std::optional<Day> record;
    bool canStart, canEnd;
    int goal;
    std::vector<std::u16string> keys;
  };
  const std::vector<Case> cases = {
      {"no record, avoid pregnancy",
       std::nullopt,
       true,
       false,
       0,
       {u"SET_MENSTRUAL", u"WAS_SEX", u"TOOK_PILL", u"SET_TEMPERATURE",
        u"TEMP_DISTURBED", u"GOOD_MOOD", u"BAD_MOOD", u"ADD_NOTE"}},
      {"no record, conceive, nothing allowed",
       std::nullopt,
       false,
       false,
       1,
       {u"WAS_SEX", u"SET_TEMPERATURE", u"TEMP_DISTURBED", u"GOOD_MOOD",
        u"BAD_MOOD", u"ADD_NOTE"}},
      {"end allowed",
       std::nullopt,
       false,
       true,
       3,
       {u"SET_ENDOFMENSTRUAL", u"WAS_SEX", u"SET_TEMPERATURE",
        u"TEMP_DISTURBED", u"GOOD_MOOD", u"BAD_MOOD", u"ADD_NOTE"}},
      {"everything marked",
       Marked(true, true, true, true, true, false, u"n"),
       false,
       false,
       0,
       {u"DEL_MENSTRUAL", u"DEL_ENDOFMENSTRUAL", u"WASNT_SEX", u"NO_PILL",
        u"SET_TEMPERATURE", u"TEMP_DISTURBED", u"BAD_MOOD", u"EDIT_NOTE"}},
      {"bad mood, empty note, pill under a conception goal",
       Marked(false, false, false, true, false, true, u""),
       false,
       false,
       2,
       {u"WAS_SEX", u"SET_TEMPERATURE", u"TEMP_DISTURBED", u"GOOD_MOOD",
        u"ADD_NOTE"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Keys(DayMenuItems(c.record ? &*c.record : nullptr, c.canStart,
                                c.canEnd, c.goal)),
              c.keys);
  }
}

TEST(DayMenuItems, CarryTheirCommandIdsAndIcons) {
  const Day record = Marked(true, true, true, true, false, false);
  const std::vector<DayMenuItem> marked = DayMenuItems(&record, true, true, 0);
  const std::vector<DayMenuItem> expected = {
      {ID_DAY_SET_START, u"SET_MENSTRUAL", IDB_MENU_MENSTRUAL},
      {ID_DAY_SET_END, u"SET_ENDOFMENSTRUAL", 0},
      {ID_DAY_UNSET_START, u"DEL_MENSTRUAL", IDB_MENU_MENSTRUAL},
      {ID_DAY_UNSET_END, u"DEL_ENDOFMENSTRUAL", IDB_MENU_MENSTRUAL},
      {ID_DAY_SEX, u"WASNT_SEX", 0},
      {ID_DAY_PILL, u"NO_PILL", 0},
      {ID_DAY_TEMPERATURE, u"SET_TEMPERATURE", IDB_MENU_TEMPERATURE},
      {ID_DAY_DISTURBED, u"TEMP_DISTURBED", IDB_MENU_DISTURBED},
      {ID_DAY_GOOD_MOOD, u"GOOD_MOOD", IDB_MENU_GOOD_MOOD},
      {ID_DAY_BAD_MOOD, u"BAD_MOOD", IDB_MENU_BAD_MOOD},
      {ID_DAY_NOTE, u"ADD_NOTE", IDB_MENU_NOTE},
  };
  ASSERT_EQ(marked.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(marked[i].id, expected[i].id) << i;
    EXPECT_EQ(std::u16string(marked[i].key), std::u16string(expected[i].key))
        << i;
    EXPECT_EQ(marked[i].icon, expected[i].icon) << i;
  }
  const std::vector<DayMenuItem> fresh = DayMenuItems(nullptr, false, false, 0);
  EXPECT_EQ(fresh[0].icon, IDB_MENU_SEX);
  EXPECT_EQ(fresh[1].icon, IDB_MENU_PILL);
}

TEST(DayEdits, MarksToggleOnACopyAndNewRecordsCarryOnlyTheMark) {
  // Without a record: a new one for the date with just the mark.
  const auto sex = ApplyMarkCommand(ID_DAY_SEX, nullptr, kDate);
  ASSERT_TRUE(sex);
  EXPECT_EQ(sex->date, kDate);
  EXPECT_TRUE(sex->sex);
  EXPECT_FALSE(sex->pill || sex->goodMood || sex->menstruationStart ||
               sex->note);
  // Toggling back gives an empty record (the manager removes it).
  EXPECT_TRUE(ApplyMarkCommand(ID_DAY_SEX, &*sex, kDate)->IsEmpty());

  const Day good = Marked(false, false, false, true, true, false, u"keep");
  const auto bad = ApplyMarkCommand(ID_DAY_BAD_MOOD, &good, kDate);
  ASSERT_TRUE(bad);
  EXPECT_TRUE(bad->badMood);
  EXPECT_FALSE(bad->goodMood);
  EXPECT_TRUE(bad->pill);
  EXPECT_EQ(bad->note, std::optional<std::u16string>(u"keep"));
  EXPECT_FALSE(ApplyMarkCommand(ID_DAY_PILL, &good, kDate)->pill);

  // Unsetting needs a record; the other mark stays.
  EXPECT_FALSE(ApplyMarkCommand(ID_DAY_UNSET_START, nullptr, kDate));
  const Day both = Marked(true, true, false, false, false, false);
  const auto unset = ApplyMarkCommand(ID_DAY_UNSET_START, &both, kDate);
  ASSERT_TRUE(unset);
  EXPECT_FALSE(unset->menstruationStart);
  EXPECT_TRUE(unset->menstruationEnd);
  EXPECT_FALSE(
      ApplyMarkCommand(ID_DAY_UNSET_END, &both, kDate)->menstruationEnd);
  EXPECT_FALSE(ApplyMarkCommand(ID_DAY_TEMPERATURE, &both, kDate));

  // The disturbed mark toggles and keeps the reading; alone it is a day of its
  // own.
  Day fever = Marked(false, false, true, false, false, false);
  fever.temperature = 38.4;
  const auto marked = ApplyMarkCommand(ID_DAY_DISTURBED, &fever, kDate);
  ASSERT_TRUE(marked);
  EXPECT_TRUE(marked->disturbed && marked->sex);
  EXPECT_EQ(marked->temperature, 38.4);
  EXPECT_FALSE(ApplyMarkCommand(ID_DAY_DISTURBED, &*marked, kDate)->disturbed);
  const auto alone = ApplyMarkCommand(ID_DAY_DISTURBED, nullptr, kDate);
  ASSERT_TRUE(alone);
  EXPECT_FALSE(alone->IsEmpty());
  EXPECT_TRUE(ApplyMarkCommand(ID_DAY_DISTURBED, &*alone, kDate)->IsEmpty());
}

TEST(DayEdits, TemperatureAndNoteReplaceOnlyTheirField) {
  const Day day = Marked(false, true, true, false, false, false, u"old");
  const Day warm = WithTemperature(&day, kDate, 36.7);
  EXPECT_DOUBLE_EQ(warm.temperature, 36.7);
  EXPECT_TRUE(warm.sex && warm.menstruationEnd);
  EXPECT_EQ(warm.note, std::optional<std::u16string>(u"old"));
  const Day cleared = WithNote(&day, kDate, u"");
  EXPECT_EQ(cleared.note, std::optional<std::u16string>(u""));
  EXPECT_TRUE(cleared.sex);
  const Day fresh = WithTemperature(nullptr, kDate, 97.88);
  EXPECT_EQ(fresh.date, kDate);
  EXPECT_FALSE(fresh.sex || fresh.note);
}

TEST(BandLayout, HeaderIsRightAlignedAndTheFillerCoversTheLeftOfAWideWindow) {
  struct Case {
    int window, header;
    HeaderPlacement expected;
  };
  const Case cases[] = {
      {1200, 878, {322, 0, 322}},
      {878, 878, {0, 0, 0}},
      {700, 878, {0, 178, 0}},
  };
  for (const Case &c : cases) {
    const HeaderPlacement p = PlaceHeader(c.window, c.header);
    EXPECT_EQ(p.destX, c.expected.destX) << c.window;
    EXPECT_EQ(p.sourceX, c.expected.sourceX) << c.window;
    EXPECT_EQ(p.fillerEnd, c.expected.fillerEnd) << c.window;
  }
}

TEST(BandLayout, TitlesFollowEachOtherFromTheBandWidthAndAreFoundByPoint) {
  const BandTitles t = LayoutBandTitles(1000, {20, 50, 45, 25}, 13, 8);
  EXPECT_EQ(t.width, 140 + 32 + 56);
  EXPECT_EQ(t.left, 1000 - 228);
  EXPECT_EQ(t.rects[0], (BandRect{772, 4, 772 + 38, 17}));
  EXPECT_EQ(t.rects[1], (BandRect{810, 4, 810 + 68, 17}));
  EXPECT_EQ(t.rects[3].right, 1000 - 16);
  EXPECT_EQ(BandTitleAt(t, 772, 4), 0);
  EXPECT_EQ(BandTitleAt(t, 809, 16), 0);
  EXPECT_EQ(BandTitleAt(t, 810, 10), 1);
  EXPECT_EQ(BandTitleAt(t, 800, 17), -1); // below the titles
  EXPECT_EQ(BandTitleAt(t, 771, 10), -1);
  EXPECT_EQ(BandTitleAt(t, 984, 10), -1);
  EXPECT_EQ(HoverFrame(t.rects[1]), (BandRect{806, 2, 875, 21}));
  EXPECT_EQ(t.HoverArea(1000), (BandRect{772, 0, 1000, 30}));
}

class FrameTexts : public ::testing::Test {
protected:
  Latin1Codec codec_;
  LocaleManager locale_{std::filesystem::temp_directory_path() /
                            "tamarel-frame-texts-none",
                        codec_};
};

TEST_F(FrameTexts,
       TrayTooltipNamesTheProgramTodayTheLabelAndTheNextPeriodAndIsCut) {
  EXPECT_EQ(TrayTooltip(locale_, PackedDate(5, 3, 2024),
                        TrayWords{u"Ovulation", u"", false}),
            u"Tamarel 0.0.0.3\nToday is 5.3.2024\nOvulation\n");
  EXPECT_EQ(
      TrayTooltip(locale_, PackedDate(5, 3, 2024),
                  TrayWords{u"Menstrual flow", u"Next: 9.3.2024", false}),
      u"Tamarel 0.0.0.3\nToday is 5.3.2024\nMenstrual flow\nNext: 9.3.2024\n");
  EXPECT_EQ(TrayTooltip(locale_, PackedDate(5, 3, 2024),
                        TrayWords{u"ignored", u"ignored", true}),
            u"Tamarel \u2013 no period marked yet\nToday is 5.3.2024");

  // Too long: the version goes first, then the rest is cut at 127
  // characters, the shell's limit.
  const std::u16string longNext(100, u'x');
  const std::u16string tip =
      TrayTooltip(locale_, PackedDate(5, 3, 2024),
                  TrayWords{u"Ovulation", longNext, false});
  EXPECT_EQ(tip.size(), kTrayTipMax);
  EXPECT_EQ(tip.substr(0, 37), u"Tamarel\nToday is 5.3.2024\nOvulation\nx");

  testsupport::TempDir dir;
  std::u16string lan = u"\uFEFF"
                       u"APP_NAME=" +
                       std::u16string(120, u'N') + u"\r\n";
  std::string bytes;
  for (char16_t c : lan) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  testsupport::WriteBytes(dir / "long.lan",
                          std::vector<uint8_t>(bytes.begin(), bytes.end()));
  LocaleManager locale(dir.path(), codec_);
  locale.SetLanguageName("long");
  const std::u16string named = TrayTooltip(locale, PackedDate(5, 3, 2024),
                                           TrayWords{u"Ovulation", u"", false});
  EXPECT_EQ(named.size(), kTrayTipMax);
  EXPECT_EQ(named.substr(0, 121), std::u16string(120, u'N') + u"\n");
}

TEST_F(FrameTexts, MenusAndAddresses) {
  EXPECT_EQ(std::u16string(MenuItemKey(ID_NAVIGATE_PREV)),
            u"MENU_NAVIGATE_PREV");
  EXPECT_EQ(MenuItemKey(0), nullptr);
  for (unsigned id : {ID_REPORTS_BIRTH, ID_REPORTS_CHINA_CAL}) {
    EXPECT_TRUE(HiddenForGoal(id, 0));
    EXPECT_FALSE(HiddenForGoal(id, 1));
  }
  EXPECT_FALSE(HiddenForGoal(ID_REPORTS_STATISTIC, 0));
  EXPECT_EQ(ShowWindowText(locale_), u"&Show Tamarel");
  EXPECT_EQ(SitePage(u"http://a.example/", u"ru", u"about"),
            u"http://a.example/ru/about");
  EXPECT_EQ(SitePage(u"http://a.example", u"en", u"support"),
            u"http://a.example/en/support");
  EXPECT_EQ(FeedbackAddress(u"s@a.example", u"Tamarel"),
            u"mailto:s@a.example?Subject=\"Tamarel - support request\"");
}

} // namespace
