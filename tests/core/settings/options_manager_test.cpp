#include "settings/options_manager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "settings/memory_settings_store.h"
#include "support/unique_name.h"

namespace {

constexpr SettingsKey kSettings = SettingsKey::kSettings;
constexpr SettingsKey kRun = SettingsKey::kRun;
const std::u16string kExe = u"C:\\Program Files\\Tamarel\\tamarel.exe";

std::vector<uint8_t> Le32(uint32_t v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
}

std::vector<uint8_t> Le64(int64_t value) {
  const auto v = static_cast<uint64_t>(value);
  std::vector<uint8_t> out;
  for (int i = 0; i < 8; ++i)
    out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}

std::vector<uint8_t> Utf16Bytes(std::u16string_view text) {
  std::vector<uint8_t> out;
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  return out;
}

uint32_t DwordOf(const StoredValue &v) {
  return uint32_t{v.data[0]} | (uint32_t{v.data[1]} << 8) |
         (uint32_t{v.data[2]} << 16) | (uint32_t{v.data[3]} << 24);
}

class OptionsManagerTest : public ::testing::Test {
protected:
  OptionsManager Make(LocaleManager *locale = nullptr) {
    return OptionsManager(store_, system_, locale, kExe);
  }
  void PutDword(std::u16string_view name, uint32_t v) {
    store_.Put(kSettings, name, ValueType::kDword, Le32(v));
  }

  MemorySettingsStore store_;
  SystemLocaleInfo system_;
};

TEST_F(OptionsManagerTest, EmptyStoreGivesDefaultsAndCreatesTheKey) {
  system_.pillTimeDefault = 946717200; // 10:00 in a zone one hour east of UTC
  OptionsManager o = Make();
  o.Load();
  EXPECT_TRUE(store_.KeyExists(kSettings));

  EXPECT_TRUE(o.autoPeriodCalculation);
  EXPECT_EQ(o.periodLen, 28);
  EXPECT_EQ(o.luteralLen, 14);
  EXPECT_TRUE(o.showOvulation && o.showFlow && o.showPrognoze &&
              o.showNFertile && o.showFertile && o.showLFertile);
  EXPECT_FALSE(o.userLogins);
  EXPECT_TRUE(o.autoLoad);
  EXPECT_FALSE(o.disableUpdates);
  EXPECT_EQ(std::vector<int>({o.x1, o.y1, o.x2, o.y2}),
            std::vector<int>({100, 100, 980, 795}));
  EXPECT_TRUE(o.rmenstruation);
  EXPECT_EQ(o.rsinse, 3);
  EXPECT_FALSE(o.rpill);
  EXPECT_EQ(o.rpill_time, 946717200);
  EXPECT_TRUE(o.rother);
  EXPECT_EQ(std::vector<int>({o.desk_x, o.desk_y, o.desk_trans, o.desk_scale}), std::vector<int>({0, 0, 230, 40}));
  EXPECT_EQ(o.goal, 1);
  EXPECT_TRUE(o.farinheit);
  EXPECT_FALSE(o.showDesctop || o.showGirl || o.showBoy || o.showPain);
  EXPECT_TRUE(o.showSex && o.showNote && o.showPill && o.showMood &&
              o.showDisturbed);
  EXPECT_EQ(o.Locale, u"English");
  EXPECT_EQ(o.colors, (std::array<ColorRef, 6>{0x3232FF, 0xFF32FF, 0xFF8080,
                                               0xAAE8FF, 0xFFFFFF, 0x64FFFF}));
  // Pink: (254,154,205) -> light (255,174,225), dark and second dark
  // (180,26,97), pale (255,199,255).
  EXPECT_EQ(o.theme.useSystemColors, 0);
  EXPECT_EQ(o.theme.base, 0xCD9AFEu);
  EXPECT_EQ(o.theme.light, 0xE1AEFFu);
  EXPECT_EQ(o.theme.dark, 0x611AB4u);
  EXPECT_EQ(o.theme.pale, 0xFFC7FFu);
  EXPECT_EQ(o.theme.secondDark, 0x611AB4u);
  EXPECT_EQ(o.lastUpdate, 0);
  EXPECT_FALSE(o.trayNoticeShown);
  EXPECT_FALSE(o.cautiousWindow);
}

TEST_F(OptionsManagerTest, SystemDecidesLocaleAndTemperatureUnit) {
  struct Case {
    uint16_t systemLang, userLang;
    std::u16string country;
    bool metric;
    std::u16string locale;
    bool farinheit;
  };
  const Case cases[] = {
      {0x409, 0x409, u"", false, u"English", true},
      {0x409, 0x409, u"US", true, u"English", false},
      {0x419, 0x409, u"", true, u"Русский", false},   // system language alone
      {0x409, 0x419, u"", false, u"Русский", true},   // user language alone
      {0x409, 0x409, u"RU", false, u"Русский", true}, // country alone
      {0x407, 0x409, u"RU", false, u"Русский",
       true}, // Russian wins over German
      {0x807, 0x409, u"", false, u"Deutsch",
       true}, // Swiss German: only the primary language counts
      {0x409, 0x409, u"DE", false, u"Deutsch", true},
      {0x40C, 0x407, u"", false, u"Deutsch", true},  // German wins over French
      {0x409, 0xC0C, u"", false, u"Francais", true}, // Canadian French
      {0x409, 0x409, u"FR", false, u"Francais", true},
      {0x409, 0x409, u"fr", false, u"English",
       true}, // the country code is upper case
      {0x119, 0x409, u"", false, u"English",
       true}, // the primary language is 10 bits, not 8
  };
  for (const Case &c : cases) {
    system_.systemLanguageId = c.systemLang;
    system_.userLanguageId = c.userLang;
    system_.country = c.country;
    system_.metric = c.metric;
    OptionsManager o = Make();
    EXPECT_EQ(o.Locale, c.locale) << std::hex << c.systemLang << " "
                                  << c.userLang << " " << ToUtf8(c.country);
    EXPECT_EQ(o.farinheit, c.farinheit) << std::hex << c.systemLang;
  }
}

TEST_F(OptionsManagerTest, DwordValuesAreReadByKind) {
  struct Case {
    uint32_t stored;
    bool plain;     // showFlow, userLogins: only 1 is true
    bool lowByte;   // rmenstruation, rpill: any non-zero low byte is true
    uint16_t low16; // rsinse
    int asInt;      // periodLen
  };
  const Case cases[] = {
      {0, false, false, 0, 0},
      {1, true, true, 1, 1},
      {2, false, true, 2, 2},
      {0x100, false, false, 0x100, 0x100},
      {0x101, false, true, 0x101, 0x101},
      {0x10005, false, true, 5, 0x10005},
      {0xFFFFFFFF, false, true, 0xFFFF, -1},
  };
  for (const Case &c : cases) {
    for (auto name : {u"showFlow", u"userLogins", u"rmenstruation", u"rpill",
                      u"rsinse", u"periodLen"}) {
      PutDword(name, c.stored);
    }
    OptionsManager o = Make();
    o.Load();
    EXPECT_EQ(o.showFlow, c.plain) << c.stored;
    EXPECT_EQ(o.userLogins, c.plain) << c.stored;
    EXPECT_EQ(o.rmenstruation, c.lowByte) << c.stored;
    EXPECT_EQ(o.rpill, c.lowByte) << c.stored;
    EXPECT_EQ(o.rsinse, c.low16) << c.stored;
    EXPECT_EQ(o.periodLen, c.asInt) << c.stored;
  }
}

TEST_F(OptionsManagerTest, RectangleWithANegativeCornerFallsBackToTheDefault) {
  struct Case {
    int x1, y1, x2, y2;
    std::vector<int> loaded;
  };
  const Case cases[] = {
      {-8, -8, 1288, 1008, {100, 100, 980, 795}}, // maximized
      {10, 20, 1000, -1, {100, 100, 980, 795}},
      {50, 60, 1000, 900, {50, 60, 1000, 900}},
      {0, 0, 900, 800, {0, 0, 900, 800}}, // zero is not negative
  };
  for (const Case &c : cases) {
    PutDword(u"x1", static_cast<uint32_t>(c.x1));
    PutDword(u"y1", static_cast<uint32_t>(c.y1));
    PutDword(u"x2", static_cast<uint32_t>(c.x2));
    PutDword(u"y2", static_cast<uint32_t>(c.y2));
    OptionsManager o = Make();
    o.Load();
    EXPECT_EQ(std::vector<int>({o.x1, o.y1, o.x2, o.y2}), c.loaded)
        << c.x1 << "," << c.y1;
  }
}

TEST_F(OptionsManagerTest, ValueOfWrongTypeOrWidthKeepsTheField) {
  store_.Put(kSettings, u"periodLen", ValueType::kDword, {30, 0}); // two bytes
  store_.Put(kSettings, u"luteralLen", ValueType::kBinary,
             Le32(12)); // right width, wrong type
  store_.Put(kSettings, u"goal", ValueType::kDword,
             {2, 0, 0, 0, 0, 0, 0, 0}); // eight bytes
  store_.Put(kSettings, u"rpill_time", ValueType::kDword,
             Le32(5)); // four of eight bytes
  store_.Put(kSettings, u"lastUpdate", ValueType::kDword,
             Le64(77)); // wrong type
  store_.Put(kSettings, u"colors", ValueType::kBinary,
             std::vector<uint8_t>(23, 1));
  store_.Put(kSettings, u"theme", ValueType::kBinary,
             std::vector<uint8_t>(25, 1));
  store_.Put(kSettings, u"showFlow", ValueType::kString, Utf16Bytes(u"0"));
  system_.pillTimeDefault = 1234;
  OptionsManager o = Make();
  const ThemeRecord theme = o.theme;
  const auto colors = o.colors;
  o.Load();
  EXPECT_EQ(o.periodLen, 28);
  EXPECT_EQ(o.luteralLen, 14);
  EXPECT_EQ(o.goal, 1);
  EXPECT_EQ(o.rpill_time, 1234);
  EXPECT_EQ(o.lastUpdate, 0);
  EXPECT_EQ(o.colors, colors);
  EXPECT_EQ(o.theme, theme);
  EXPECT_TRUE(o.showFlow);
}

TEST_F(OptionsManagerTest, LocaleIsReadAsWholeUnitsUpToTheFirstNull) {
  struct Case {
    ValueType type;
    std::vector<uint8_t> data;
    std::u16string expected;
  };
  auto withTail = [](std::u16string_view text, std::vector<uint8_t> tail) {
    auto bytes = Utf16Bytes(text);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
  };
  const std::u16string forty(40, u'x');
  const Case cases[] = {
      {ValueType::kString, withTail(u"Deutsch", {0, 0}), u"Deutsch"},
      {ValueType::kString, Utf16Bytes(u"Deutsch"), u"Deutsch"}, // no terminator
      {ValueType::kString, withTail(u"Deutsch", {0}),
       u"Deutsch"}, // odd count, half a terminator
      {ValueType::kString, withTail(u"Deutsch", {'X'}),
       u"Deutsch"}, // odd count, stray byte
      {ValueType::kString, withTail(u"Fr", {0, 0, 'X', 0}),
       u"Fr"}, // text after the terminator
      {ValueType::kString, Utf16Bytes(forty), forty}, // 80 bytes fit
      {ValueType::kString, withTail(forty, {0, 0}),
       u"English"},                             // 82 bytes do not
      {ValueType::kString, {0, 0}, u"English"}, // empty name
      {ValueType::kString, {}, u"English"},
      {ValueType::kBinary, withTail(u"Deutsch", {0, 0}),
       u"English"}, // not a string
  };
  for (const Case &c : cases) {
    store_.Put(kSettings, u"Locale", c.type, c.data);
    OptionsManager o = Make();
    o.Load();
    EXPECT_EQ(o.Locale, c.expected) << c.data.size();
  }
}

TEST_F(OptionsManagerTest, SaveWritesEveryValueInOrderWithItsTypeAndWidth) {
  store_.CreateKey(kRun);
  OptionsManager o = Make();
  o.periodLen = -3;
  o.rsinse = 0xFFFF;
  o.rpill_time = -2;
  o.lastUpdate = 0x0102030405060708;
  o.theme.useSystemColors = 0xAB;
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_EQ(o.LastSaveFailures(), 0);

  const std::vector<std::u16string> order = {u"autoPeriodCalculation",
                                             u"periodLen",
                                             u"luteralLen",
                                             u"showFlow",
                                             u"showPrognoze",
                                             u"showNFertile",
                                             u"showFertile",
                                             u"showLFertile",
                                             u"showOvulation",
                                             u"showGirl",
                                             u"showBoy",
                                             u"showPain",
                                             u"showSex",
                                             u"showNote",
                                             u"showPill",
                                             u"showMood",
                                             u"showDisturbed",
                                             u"userLogins",
                                             u"autoLoad",
                                             u"disableUpdates",
                                             u"x1",
                                             u"y1",
                                             u"x2",
                                             u"y2",
                                             u"desk_x",
                                             u"desk_y",
                                             u"desk_trans",
                                             u"desk_scale",
                                             u"showDesctop",
                                             u"goal",
                                             u"rmenstruation",
                                             u"rsinse",
                                             u"rpill",
                                             u"rpill_time",
                                             u"rother",
                                             u"farinheit",
                                             u"Locale",
                                             u"colors",
                                             u"theme",
                                             u"lastUpdate",
                                             u"trayNoticeShown",
                                             u"cautiousWindow",
                                             u"Tamarel"};
  EXPECT_EQ(store_.WriteOrder(), order);

  const std::set<std::u16string> notDwords = {u"Locale", u"colors", u"theme",
                                              u"lastUpdate", u"Tamarel"};
  for (size_t i = 0; i < order.size(); ++i) {
    if (notDwords.count(order[i]))
      continue;
    const StoredValue *v = store_.Get(kSettings, order[i]);
    ASSERT_NE(v, nullptr) << ToUtf8(order[i]);
    EXPECT_EQ(v->type, ValueType::kDword) << ToUtf8(order[i]);
    EXPECT_EQ(v->data.size(), order[i] == u"rpill_time" ? 8u : 4u)
        << ToUtf8(order[i]);
  }
  EXPECT_EQ(DwordOf(*store_.Get(kSettings, u"showFlow")), 1u);
  EXPECT_EQ(DwordOf(*store_.Get(kSettings, u"userLogins")), 0u);
  EXPECT_EQ(DwordOf(*store_.Get(kSettings, u"periodLen")), 0xFFFFFFFDu);
  EXPECT_EQ(DwordOf(*store_.Get(kSettings, u"rsinse")), 0x0000FFFFu);
  EXPECT_EQ(store_.Get(kSettings, u"rpill_time")->data, Le64(-2));

  const StoredValue *locale = store_.Get(kSettings, u"Locale");
  EXPECT_EQ(locale->type, ValueType::kString);
  EXPECT_EQ(locale->data, Utf16Bytes(std::u16string(u"English") + u'\0'));

  const StoredValue *colors = store_.Get(kSettings, u"colors");
  EXPECT_EQ(colors->type, ValueType::kBinary);
  std::vector<uint8_t> expectedColors;
  for (uint32_t c :
       {0x3232FF, 0xFF32FF, 0xFF8080, 0xAAE8FF, 0xFFFFFF, 0x64FFFF}) {
    auto b = Le32(c);
    expectedColors.insert(expectedColors.end(), b.begin(), b.end());
  }
  EXPECT_EQ(colors->data, expectedColors);

  const StoredValue *theme = store_.Get(kSettings, u"theme");
  EXPECT_EQ(theme->type, ValueType::kBinary);
  std::vector<uint8_t> expectedTheme = {0xAB, 0, 0, 0};
  for (uint32_t c : {0xCD9AFE, 0xE1AEFF, 0x611AB4, 0xFFC7FF, 0x611AB4}) {
    auto b = Le32(c);
    expectedTheme.insert(expectedTheme.end(), b.begin(), b.end());
  }
  EXPECT_EQ(theme->data, expectedTheme);

  const StoredValue *update = store_.Get(kSettings, u"lastUpdate");
  EXPECT_EQ(update->type, ValueType::kBinary);
  EXPECT_EQ(update->data, (std::vector<uint8_t>{8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST_F(OptionsManagerTest, SaveSkipsARectangleWithACornerAtOrBelowZero) {
  const std::vector<std::vector<int>> skipped = {
      {-8, -8, 1288, 1008},
      {0, 10, 900, 800},
      {-32000, -32000, -31840, -31972}};
  for (const auto &rect : skipped) {
    MemorySettingsStore store;
    store.Put(kSettings, u"x1", ValueType::kDword, Le32(50));
    OptionsManager o(store, system_, nullptr, kExe);
    o.x1 = rect[0], o.y1 = rect[1], o.x2 = rect[2], o.y2 = rect[3];
    (void)o.Save();  // no Run key here
    EXPECT_EQ(DwordOf(*store.Get(kSettings, u"x1")), 50u) << rect[0];
    EXPECT_EQ(store.Get(kSettings, u"y1"), nullptr) << rect[0];
  }
  OptionsManager o = Make();
  o.x1 = 1, o.y1 = 2, o.x2 = 903, o.y2 = 804;
  (void)o.Save();
  EXPECT_EQ(DwordOf(*store_.Get(kSettings, u"y2")), 804u);
}

TEST_F(OptionsManagerTest, EverySettingSurvivesSaveAndLoad) {
  store_.CreateKey(kRun);
  OptionsManager a = Make();
  a.autoPeriodCalculation = false;
  a.periodLen = 35;
  a.luteralLen = 11;
  a.showOvulation = a.showFlow = a.showPrognoze = a.showNFertile =
      a.showFertile = a.showLFertile = false;
  a.userLogins = true;
  a.autoLoad = false;
  a.disableUpdates = true;
  a.x1 = 5, a.y1 = 6, a.x2 = 1005, a.y2 = 906;
  a.rmenstruation = false;
  a.rsinse = 9;
  a.rpill = true;
  a.rpill_time = -1'000'000'000'000LL; // all 8 bytes matter
  a.rother = false;
  a.desk_x = -40, a.desk_y = 300, a.desk_trans = 255, a.desk_scale = 70;
  a.goal = 3;
  a.farinheit = false;
  a.showDesctop = a.showGirl = a.showBoy = a.showPain = true;
  a.showSex = a.showNote = a.showPill = a.showMood = a.showDisturbed = false;
  a.Locale = u"Русский";
  a.colors = {1, 2, 3, 4, 5, 0x00FFFFFF};
  a.theme = DeriveTheme(MakeColor(97, 195, 255));
  a.lastUpdate = 0x7FFFFFFF00000001LL;
  a.trayNoticeShown = true;
  a.cautiousWindow = true;
  EXPECT_EQ(a.Save(), SettingsSaveResult::kDone);
  ASSERT_EQ(a.LastSaveFailures(), 0);

  system_.pillTimeDefault = 0;
  OptionsManager b = Make();
  b.Load();
  EXPECT_EQ(b.autoPeriodCalculation, a.autoPeriodCalculation);
  EXPECT_EQ(b.periodLen, a.periodLen);
  EXPECT_EQ(b.luteralLen, a.luteralLen);
  EXPECT_FALSE(b.showOvulation || b.showFlow || b.showPrognoze ||
               b.showNFertile || b.showFertile || b.showLFertile);
  EXPECT_TRUE(b.userLogins);
  EXPECT_FALSE(b.autoLoad);
  EXPECT_TRUE(b.disableUpdates);
  EXPECT_EQ(std::vector<int>({b.x1, b.y1, b.x2, b.y2}),
            std::vector<int>({5, 6, 1005, 906}));
  EXPECT_FALSE(b.rmenstruation);
  EXPECT_EQ(b.rsinse, 9);
  EXPECT_TRUE(b.rpill);
  EXPECT_EQ(b.rpill_time, a.rpill_time);
  EXPECT_FALSE(b.rother);
  EXPECT_EQ(std::vector<int>({b.desk_x, b.desk_y, b.desk_trans, b.desk_scale}),
            std::vector<int>({-40, 300, 255, 70}));
  EXPECT_EQ(b.goal, 3);
  EXPECT_FALSE(b.farinheit);
  EXPECT_TRUE(b.showDesctop && b.showGirl && b.showBoy && b.showPain);
  EXPECT_FALSE(b.showSex || b.showNote || b.showPill || b.showMood ||
               b.showDisturbed);
  EXPECT_EQ(b.Locale, u"Русский");
  EXPECT_EQ(b.colors, a.colors);
  EXPECT_EQ(b.theme, a.theme);
  EXPECT_EQ(b.lastUpdate, a.lastUpdate);
  EXPECT_TRUE(b.trayNoticeShown);
  EXPECT_TRUE(b.cautiousWindow);
}

TEST_F(OptionsManagerTest, LongLocaleIsStoredCutToWhatLoadAccepts) {
  OptionsManager a = Make();
  a.Locale = std::u16string(45, u'L');
  (void)a.Save();
  EXPECT_EQ(store_.Get(kSettings, u"Locale")->data.size(), 80u);
  OptionsManager b = Make();
  b.Load();
  EXPECT_EQ(b.Locale, std::u16string(39, u'L'));
}

TEST_F(OptionsManagerTest, RunValueFollowsAutoLoad) {
  store_.CreateKey(kRun);
  OptionsManager o = Make();
  EXPECT_EQ(o.StartCommand(), u"\"C:\\Program Files\\Tamarel\\tamarel.exe\" -m");
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  const StoredValue* run = store_.Get(kRun, u"Tamarel");
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(run->type, ValueType::kString);
  EXPECT_EQ(run->data, Utf16Bytes(o.StartCommand())); // no terminator

  store_.Put(kRun, u"Other", ValueType::kString, Utf16Bytes(u"x"));
  o.autoLoad = false;
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_EQ(store_.Get(kRun, u"Tamarel"), nullptr);
  EXPECT_NE(store_.Get(kRun, u"Other"), nullptr);
  EXPECT_EQ(o.LastSaveFailures(), 0);  // nothing to delete is not a failure
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_EQ(o.LastSaveFailures(), 0);
}

TEST_F(OptionsManagerTest, MissingRunKeyIsNeitherCreatedNorWritten) {
  OptionsManager o = Make();
  EXPECT_EQ(o.Save(), SettingsSaveResult::kStartNotSaved);
  EXPECT_FALSE(store_.KeyExists(kRun));
  EXPECT_EQ(store_.Get(kRun, u"Tamarel"), nullptr);
  EXPECT_NE(store_.Get(kSettings, u"lastUpdate"), nullptr);
  EXPECT_EQ(o.LastSaveFailures(), 1);
}

TEST_F(OptionsManagerTest,
       UnreachableSettingsKeyRunsOnDefaultsAndStillMaintainsRun) {
  store_.FailOpen(kSettings);
  store_.CreateKey(kRun);
  OptionsManager o = Make();
  o.Load();
  EXPECT_EQ(o.periodLen, 28);
  o.periodLen = 30;
  EXPECT_EQ(o.Save(), SettingsSaveResult::kNotSaved);
  EXPECT_EQ(store_.Get(kSettings, u"periodLen"), nullptr);
  EXPECT_NE(store_.Get(kRun, u"Tamarel"), nullptr);
  EXPECT_EQ(o.LastSaveFailures(), 1);
}

TEST_F(OptionsManagerTest, FailedWritesAreCountedAndDoNotStopTheSave) {
  store_.CreateKey(kSettings);
  store_.CreateKey(kRun);
  store_.FailWrites(true);
  OptionsManager o = Make();
  EXPECT_EQ(o.Save(), SettingsSaveResult::kNotSaved);
  EXPECT_EQ(o.LastSaveFailures(), 43);  // 42 settings and the Run value
  store_.FailWrites(false);
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_EQ(o.LastSaveFailures(), 0);
}

// A program folder with two language files, for the tests that need a real
// LocaleManager.
class OptionsManagerLocaleTest : public OptionsManagerTest {
protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("tamarel-options-" +
         std::string(
             ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
         testsupport::UniqueSuffix());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    WriteLan("en", u"APP_LANGUAGE=English\r\n");
    WriteLan("de", u"APP_LANGUAGE=Deutsch\r\nAPP_NAME=Tamarel DE\r\n");
    WriteLan("ru", u"APP_LANGUAGE=Русский\r\nAPP_NAME=Тамарель\r\n");
    locale_ = std::make_unique<LocaleManager>(folder_, codec_);
  }
  void TearDown() override {
    locale_.reset();
    std::filesystem::remove_all(folder_);
  }
  void WriteLan(const std::string &base, std::u16string_view text) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    auto body = Utf16Bytes(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    std::ofstream(folder_ / (base + ".lan"), std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  std::filesystem::path folder_;
  Latin1Codec codec_;
  std::unique_ptr<LocaleManager> locale_;
};

TEST_F(OptionsManagerLocaleTest,
       LoadSelectsTheStoredLanguageAndSaveStoresItsName) {
  store_.CreateKey(kRun);
  store_.Put(kSettings, u"Locale", ValueType::kString,
             Utf16Bytes(std::u16string(u"Deutsch") + u'\0'));
  OptionsManager o = Make(locale_.get());
  o.Load();
  EXPECT_EQ(locale_->Translate(u"APP_NAME"), u"Tamarel DE");
  locale_->SetLanguage(u"Русский");
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_EQ(o.Locale, u"Русский");
  EXPECT_EQ(store_.Get(kSettings, u"Locale")->data,
            Utf16Bytes(std::u16string(u"Русский") + u'\0'));
  EXPECT_NE(store_.Get(kRun, u"Тамарель"), nullptr);
}

TEST_F(OptionsManagerLocaleTest, UnknownStoredLanguageKeepsEnglish) {
  store_.Put(kSettings, u"Locale", ValueType::kString, Utf16Bytes(u"Klingon"));
  OptionsManager o = Make(locale_.get());
  o.Load();
  EXPECT_EQ(locale_->Translate(u"APP_LANGUAGE"), u"English");
  (void)o.Save();
  EXPECT_EQ(o.Locale, u"English");
}

TEST_F(OptionsManagerLocaleTest, RunValueIsNamedByTheCurrentLanguage) {
  store_.CreateKey(kRun);
  OptionsManager o = Make(locale_.get());
  o.Load();
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  ASSERT_NE(store_.Get(kRun, u"Tamarel"), nullptr);

  // After a change of language the old name is no longer the program's: only
  // the value under the current name goes.
  locale_->SetLanguage(u"Deutsch");
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_NE(store_.Get(kRun, u"Tamarel DE"), nullptr);
  o.autoLoad = false;
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_EQ(store_.Get(kRun, u"Tamarel DE"), nullptr);
  EXPECT_NE(store_.Get(kRun, u"Tamarel"), nullptr);
}

} // namespace
