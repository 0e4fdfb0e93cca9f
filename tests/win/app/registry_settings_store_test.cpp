#include "settings/registry_settings_store_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/options_manager.h"
#include "win/support/registry_win32.h"

namespace {

const std::u16string kExe = u"C:\\Programs\\Tamarel\\tamarel.exe";

class RegistrySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TAMAREL_REQUIRE_OWN_WINE_PREFIX();
    testreg::Reset();
  }
  void TearDown() override {
    if (!IsSkipped()) testreg::Reset();
  }

  RegistrySettingsStore store_;
  SystemLocaleInfo system_;
};

TEST_F(RegistrySettingsTest, SaveGivesEveryValueItsRegistryTypeAndSize) {
  OptionsManager o(store_, system_, nullptr, kExe);
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_EQ(o.LastSaveFailures(), 0);

  struct Expect {
    const wchar_t* name;
    DWORD type;
    size_t size;
  };
  const Expect dwords[] = {
      {L"autoPeriodCalculation", REG_DWORD, 4}, {L"periodLen", REG_DWORD, 4},   {L"luteralLen", REG_DWORD, 4},
      {L"showFlow", REG_DWORD, 4},              {L"showMood", REG_DWORD, 4},    {L"userLogins", REG_DWORD, 4},
      {L"autoLoad", REG_DWORD, 4},              {L"disableUpdates", REG_DWORD, 4}, {L"x1", REG_DWORD, 4},
      {L"y2", REG_DWORD, 4},                    {L"desk_scale", REG_DWORD, 4},  {L"goal", REG_DWORD, 4},
      {L"rmenstruation", REG_DWORD, 4},         {L"rsinse", REG_DWORD, 4},      {L"rpill", REG_DWORD, 4},
      {L"rpill_time", REG_DWORD, 8},            {L"rother", REG_DWORD, 4},      {L"farinheit", REG_DWORD, 4},
      {L"Locale", REG_SZ, 16},  // "English" and its terminator
      {L"colors", REG_BINARY, 24},              {L"theme", REG_BINARY, 24},     {L"lastUpdate", REG_BINARY, 8},
  };
  for (const Expect& e : dwords) {
    const auto v = testreg::Setting(e.name);
    ASSERT_TRUE(v) << e.name;
    EXPECT_EQ(v->type, e.type) << e.name;
    EXPECT_EQ(v->data.size(), e.size) << e.name;
  }
  const auto locale = testreg::Setting(L"Locale");
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(locale->data.data())), L"English");
}

TEST_F(RegistrySettingsTest, RunValueIsWrittenWithoutTerminatorAndDeletedUnderItsName) {
  OptionsManager o(store_, system_, nullptr, kExe);
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  const auto run = testreg::Query(RegistrySettingsStore::kRunPath, L"Tamarel");
  ASSERT_TRUE(run);
  EXPECT_EQ(run->type, static_cast<DWORD>(REG_SZ));
  const std::wstring expected = L"\"C:\\Programs\\Tamarel\\tamarel.exe\" -m";
  ASSERT_EQ(run->data.size(), expected.size() * 2);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(run->data.data()), expected.size()), expected);

  o.autoLoad = false;
  EXPECT_EQ(o.Save(), SettingsSaveResult::kDone);
  EXPECT_FALSE(testreg::Query(RegistrySettingsStore::kRunPath, L"Tamarel"));
  EXPECT_EQ(o.LastSaveFailures(), 0);
}

TEST_F(RegistrySettingsTest, ValuesWrittenByOthersAreReadAsTheProgramMeansThem) {
  ASSERT_TRUE(testreg::PutDword(L"showFlow", 2));
  ASSERT_TRUE(testreg::PutDword(L"userLogins", 1));
  ASSERT_TRUE(testreg::PutDword(L"x1", static_cast<DWORD>(-8)));
  ASSERT_TRUE(testreg::PutDword(L"y1", static_cast<DWORD>(-8)));
  ASSERT_TRUE(testreg::PutDword(L"x2", 1288));
  ASSERT_TRUE(testreg::PutDword(L"y2", 1008));
  // A REG_SZ stored without its terminator.
  const wchar_t deutsch[] = L"Deutsch";
  ASSERT_TRUE(testreg::Put(L"Locale", REG_SZ, deutsch, 14));
  OptionsManager o(store_, system_, nullptr, kExe);
  o.Load();
  EXPECT_FALSE(o.showFlow);
  EXPECT_TRUE(o.userLogins);
  EXPECT_EQ(o.x1, 100);
  EXPECT_EQ(o.y1, 100);
  EXPECT_EQ(o.x2, 980);
  EXPECT_EQ(o.y2, 795);
  EXPECT_EQ(o.Locale, u"Deutsch");
}

TEST_F(RegistrySettingsTest, PillTimeAndLastUpdateSurviveSaveAndLoad) {
  OptionsManager a(store_, system_, nullptr, kExe);
  a.rpill_time = static_cast<int64_t>(0x8123456789ABCDEFULL);  // every byte differs, sign bit set
  a.lastUpdate = 0x0123456789ABCDEFLL;
  a.theme = DeriveTheme(MakeColor(255, 243, 112));
  EXPECT_EQ(a.Save(), SettingsSaveResult::kDone);
  ASSERT_EQ(a.LastSaveFailures(), 0);

  RegistrySettingsStore other;
  OptionsManager b(other, system_, nullptr, kExe);
  b.Load();
  EXPECT_EQ(b.rpill_time, a.rpill_time);
  EXPECT_EQ(b.lastUpdate, a.lastUpdate);
  EXPECT_EQ(b.theme, a.theme);
}

TEST_F(RegistrySettingsTest, StoreOpensWithoutCreatingAndRefusesOversizedReads) {
  EXPECT_FALSE(store_.Open(SettingsKey::kSettings, false));
  EXPECT_FALSE(testreg::Setting(L"x1"));
  HKEY probe;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, RegistrySettingsStore::kSettingsPath, 0, KEY_READ, &probe),
            ERROR_SUCCESS);

  ASSERT_TRUE(store_.Open(SettingsKey::kSettings, true));
  ASSERT_TRUE(store_.Write(SettingsKey::kSettings, u"blob", ValueType::kBinary, {1, 2, 3, 4, 5}));
  EXPECT_FALSE(store_.Read(SettingsKey::kSettings, u"blob", 4));
  const auto whole = store_.Read(SettingsKey::kSettings, u"blob", 8);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->type, ValueType::kBinary);
  EXPECT_EQ(whole->data, (std::vector<uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_FALSE(store_.Read(SettingsKey::kSettings, u"missing", 8));
  EXPECT_TRUE(store_.Delete(SettingsKey::kSettings, u"blob"));
  EXPECT_FALSE(store_.Delete(SettingsKey::kSettings, u"blob"));

  store_.Close(SettingsKey::kSettings);
  EXPECT_FALSE(store_.Read(SettingsKey::kSettings, u"anything", 8));
  EXPECT_FALSE(store_.Write(SettingsKey::kSettings, u"anything", ValueType::kDword, {0, 0, 0, 0}));
}

}  // namespace
