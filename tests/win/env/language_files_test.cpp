// The language files shipped beside the program: each parses, holds every key
// of the program with the English text's placeholders in the same order, and
// every text the main window shows in it fits its control at 96 DPI.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/wide_win32.h"
#include "win/frame/frame_fixture.h"

namespace {

// CMake gives the folder as a host path; under Wine the host root is drive Z:.
std::filesystem::path DistFolder() {
  std::wstring dir = TAMAREL_DIST_DIR;
  if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
  for (wchar_t& c : dir) {
    if (c == L'/') c = L'\\';
  }
  return dir;
}

const char* const kLanguages[] = {"en", "de", "fr", "ru"};

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::wstring> Placeholders(const std::u16string& text) {
  static const std::wregex conversion(LR"(%[-+ #0]*\d*(?:\.\d+)?[a-zA-Z])");
  const std::wstring wide = ToWide(text);
  std::vector<std::wstring> found;
  for (auto it = std::wsregex_iterator(wide.begin(), wide.end(), conversion); it != std::wsregex_iterator(); ++it) {
    found.push_back(it->str());
  }
  return found;
}

TEST(ShippedLanguageFiles, EachHoldsEveryKeyWithTheEnglishPlaceholdersInOrder) {
  const std::map<std::string, std::u16string> displayNames = {
      {"en", u"English"}, {"de", u"Deutsch"}, {"fr", u"Francais"}, {"ru", u"\u0420\u0443\u0441\u0441\u043a\u0438\u0439"}};
  for (const char* base : kLanguages) {
    SCOPED_TRACE(base);
    const std::string bytes = ReadAll(DistFolder() / (std::string(base) + ".lan"));
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xff\xfe", 2)) << "UTF-16 little-endian with its mark";
    const auto table = LocaleManager::ParseLanguageFile(bytes);
    EXPECT_EQ(table.at(u"APP_LANGUAGE"), displayNames.at(base));
    for (const auto& [key, english] : LocaleManager::BuiltInTable()) {
      const auto it = table.find(std::u16string(key));
      ASSERT_NE(it, table.end()) << "missing " << ToUtf8(key);
      EXPECT_FALSE(it->second.empty()) << ToUtf8(key);
      EXPECT_EQ(Placeholders(it->second), Placeholders(std::u16string(english))) << ToUtf8(key);
    }
  }
}

// The width a control needs for its text in its own font; check boxes and
// radio buttons also need their box.
struct Overflow {
  std::wstring text;
  int needed = 0;
  int available = 0;
};

void CollectOverflows(HWND parent, std::vector<Overflow>& out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    CollectOverflows(child, out);
    if (!IsWindowVisible(child)) continue;
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const bool button = lstrcmpiW(className, L"Button") == 0;
    const bool label = lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
    if (!button && !label) continue;
    const LONG kind = style & BS_TYPEMASK;
    if (button && kind == BS_GROUPBOX) continue;
    const int length = GetWindowTextLengthW(child);
    if (length == 0) continue;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(child, text.data(), length + 1)));
    RECT client{};
    GetClientRect(child, &client);
    HDC dc = GetDC(child);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    const bool wraps = label ? (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP : (style & BS_MULTILINE) != 0;
    int box = 0;
    if (button && (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                   kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE)) {
      box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    }
    RECT need{0, 0, client.right - box, 0};
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    if (need.right + box > client.right || (wraps && need.bottom > client.bottom)) {
      out.push_back({text, wraps ? static_cast<int>(need.bottom) : static_cast<int>(need.right + box),
                     wraps ? static_cast<int>(client.bottom) : static_cast<int>(client.right)});
    }
  }
}

class ShippedLanguageWindows : public frametest::FrameTest {};

TEST_F(ShippedLanguageWindows, EveryTextOfTheMainWindowFitsItsControlInEachLanguage) {
  for (const char* base : kLanguages) {
    std::filesystem::copy_file(DistFolder() / (std::string(base) + ".lan"), dir_.path() / (std::string(base) + ".lan"),
                               std::filesystem::copy_options::overwrite_existing);
  }
  for (const char* base : kLanguages) {
    SCOPED_TRACE(base);
    locale_.SetLanguageName(base);
    ASSERT_EQ(locale_.GetLanguageName(), base);
    OpenFrame();
    std::vector<Overflow> overflows;
    CollectOverflows(frame_->Hwnd(), overflows);
    for (const Overflow& o : overflows) {
      ADD_FAILURE() << base << ": \"" << ToUtf8(FromWide(o.text)) << "\" needs " << o.needed
                    << " pixels, has " << o.available;
    }
    frame_.reset();
  }
}

}  // namespace
