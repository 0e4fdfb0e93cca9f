// Every menu of the main window, built as the program builds it, in each
// shipped language and in the built-in English: each item has an access key,
// and no two items of one menu (nor two band titles) share one, so a letter
// always reaches exactly one item.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "env/access_key.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/wide_win32.h"
#include "model/day.h"
#include "ui/frame/band_menu_win32.h"
#include "ui/frame/day_menu_items.h"
#include "ui/frame/day_menu_win32.h"
#include "ui/frame/frame_texts.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

std::filesystem::path DistFolder() {
  std::wstring dir = TAMAREL_DIST_DIR;
  if (!dir.empty() && dir[0] == L'/')
    dir = L"Z:" + dir;
  for (wchar_t &c : dir) {
    if (c == L'/')
      c = L'\\';
  }
  return dir;
}

wchar_t Upper(wchar_t c) {
  CharUpperBuffW(&c, 1);
  return c;
}

// The texts of a menu's commands: no separators, no disabled title.
std::vector<std::wstring> CommandTexts(HMENU menu) {
  std::vector<std::wstring> texts;
  for (const MenuEntry &e : ReadMenu(menu)) {
    if (!e.separator && e.id != 0)
      texts.push_back(e.text);
  }
  return texts;
}

void ExpectOwnAccessKeys(const std::vector<std::wstring> &texts,
                         const std::string &what) {
  std::map<wchar_t, std::wstring> taken;
  for (const std::wstring &text : texts) {
    const char16_t key = AccessKeyOf(FromWide(text));
    if (key == 0) {
      ADD_FAILURE() << what << ": \"" << ToUtf8(FromWide(text))
                    << "\" has no access key";
      continue;
    }
    const auto [it, fresh] =
        taken.emplace(Upper(static_cast<wchar_t>(key)), text);
    if (!fresh) {
      ADD_FAILURE() << what << ": \"" << ToUtf8(FromWide(it->second))
                    << "\" and \"" << ToUtf8(FromWide(text))
                    << "\" share their access key";
    }
  }
}

// Every different day menu the rules can make: each mark set or not, each
// answer of the cycle model, each kind of goal.
std::set<std::vector<const char16_t *>> EveryDayMenu() {
  std::set<std::vector<const char16_t *>> menus;
  for (int bits = 0; bits < (1 << 11); ++bits) {
    const auto bit = [bits](int n) { return (bits >> n & 1) != 0; };
    Day day(PackedDate(10, 6, 2024), bit(0), bit(1), bit(2), bit(3), bit(4),
            bit(5), 0,
            bit(6) ? std::optional<std::u16string>(u"note") : std::nullopt);
    std::vector<const char16_t *> keys;
    for (const DayMenuItem &item : DayMenuItems(
             bit(10) ? &day : nullptr, bit(7), bit(8), bit(9) ? 2 : 0)) {
      keys.push_back(item.key);
    }
    menus.insert(keys);
  }
  return menus;
}

using AccessKeysTest = ModelTest;

TEST_F(AccessKeysTest, EveryMenuItemHasItsOwnLetterInEveryLanguage) {
  const std::filesystem::path shipped = dir_.path() / "shipped";
  std::filesystem::create_directories(shipped);
  const char *const languages[] = {"en", "de", "fr", "ru"};
  for (const char *base : languages) {
    std::filesystem::copy_file(DistFolder() / (std::string(base) + ".lan"),
                               shipped / (std::string(base) + ".lan"));
  }
  const std::set<std::vector<const char16_t *>> dayMenus = EveryDayMenu();
  ASSERT_GT(dayMenus.size(), 10u);

  LocaleManager builtIn(dir_.path() / "none",
                        codec_); // no language files: the built-in English
  LocaleManager file(shipped, codec_);
  std::vector<std::pair<std::string, const LocaleManager *>> locales = {
      {"built-in", &builtIn}};
  for (const char *base : languages)
    locales.emplace_back(base, &file);

  for (const auto &[name, localePointer] : locales) {
    if (name != "built-in") {
      file.SetLanguageName(name);
      ASSERT_EQ(file.GetLanguageName(), name);
    }
    const LocaleManager &locale = *localePointer;
    SCOPED_TRACE(name);

    std::vector<std::wstring> titles;
    for (const char16_t *key : kBandTitleKeys)
      titles.push_back(ToWide(locale.Translate(key)));
    ExpectOwnAccessKeys(titles, "band titles");

    for (int title = 0; title < static_cast<int>(kBandTitleKeys.size());
         ++title) {
      const BandMenu menu(ProgramResources(), title, locale,
                          1); // a goal that hides nothing
      ASSERT_NE(menu.Popup(), nullptr);
      ExpectOwnAccessKeys(CommandTexts(menu.Popup()),
                          "band menu " + std::to_string(title));
    }

    const UniqueMenu tray = BuildTrayMenu(locale);
    ASSERT_TRUE(tray);
    ExpectOwnAccessKeys(CommandTexts(tray.Get()), "tray menu");

    for (const std::vector<const char16_t *> &keys : dayMenus) {
      std::vector<DayMenuItem> items;
      for (const char16_t *key : keys)
        items.push_back({1, key, 0});
      const DayMenu menu(items, locale, ProgramResources());
      ASSERT_NE(menu.Handle(), nullptr);
      std::vector<std::wstring> texts;
      for (const MenuEntry &e : ReadMenu(menu.Handle())) {
        if (!e.separator && !e.disabled)
          texts.push_back(e.text);
      }
      ASSERT_EQ(texts.size(), keys.size());
      ExpectOwnAccessKeys(texts, "day menu");
    }
  }
}

} // namespace
} // namespace frametest
