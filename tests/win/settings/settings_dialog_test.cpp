// The settings window opened through the frame's Configure command: the page
// tree, themes, the desktop-calendar page, Cancel discarding the edits, a
// range error's focus, Escape swallowed, and a new language applied to the
// frame at once.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>

#include "resources/reminder_ids.h"
#include "resources/resource.h"
#include "resources/settings_ids.h"
#include "ui/settings/configure_dlg_win32.h"
#include "ui/settings/settings_choices.h"
#include "ui/settings/settings_dialog_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

class SettingsDialogTest : public FrameTest {
 protected:
  CSettingsDialog* Configure() {
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_CONFIGURE, 0), 0);
    CSettingsDialog* settings = frame_->SettingsWindow().Dialog();
    EXPECT_NE(settings, nullptr);
    return settings;
  }

  // Presses a button of the settings window and waits for the frame to
  // handle the closing notification.
  void Press(CSettingsDialog* settings, int id) {
    const HWND button = GetDlgItem(settings->Hwnd(), id);
    SendMessageW(settings->Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    if (id == IDOK) {
      EXPECT_TRUE(WaitUntil([&] { return frame_->SettingsWindow().Dialog() == nullptr; }, 5000));
    } else {
      EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(settings->Hwnd()); }, 5000));
    }
  }

  static HWND PageItem(CSettingsDialog* settings, size_t page, int id) {
    CSettingsPage* p = settings->Page(page);
    return p ? GetDlgItem(p->Hwnd(), id) : nullptr;
  }

  static std::vector<std::wstring> TreeTexts(HWND tree) {
    std::vector<std::wstring> texts;
    for (auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item;
         item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      wchar_t text[64] = {};
      TVITEMW tv{};
      tv.mask = TVIF_TEXT;
      tv.hItem = item;
      tv.pszText = text;
      tv.cchTextMax = 64;
      SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
      texts.emplace_back(text);
    }
    return texts;
  }

  static std::wstring Text(HWND hwnd) {
    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    return text;
  }
};

TEST_F(SettingsDialogTest, ConfigureOpensThePagesAndSkyWithOkRecoloursAndSaves) {
  OpenFrame();
  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  ASSERT_TRUE(IsWindowVisible(settings->Hwnd()));
  EXPECT_EQ(Text(settings->Hwnd()), L"Configure");
  EXPECT_EQ(TreeTexts(GetDlgItem(settings->Hwnd(), IDC_SETTINGS_TREE)),
            (std::vector<std::wstring>{L"General Settings", L"Desktop Calendar...", L"Reminders"}));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(settings->Hwnd(), IDC_SETTINGS_APPLY)));
  EXPECT_EQ(settings->CaptionBar().Text(), L"General Settings");
  // Only the shown page exists.
  EXPECT_NE(settings->Page(0), nullptr);
  EXPECT_EQ(settings->Page(1), nullptr);

  // The stored Pink is selected; the general page shows the stored switches.
  const HWND theme = PageItem(settings, 0, IDC_CONFIGURE_THEME);
  EXPECT_EQ(SendMessageW(theme, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(theme, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(IsDlgButtonChecked(settings->Page(0)->Hwnd(), IDC_CONFIGURE_NO_LOGINS), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(settings->Page(0)->Hwnd(), IDC_CONFIGURE_RUN_AT_START), BST_CHECKED);

  SendMessageW(theme, CB_SETCURSEL, 2, 0);
  CheckDlgButton(settings->Page(0)->Hwnd(), IDC_CONFIGURE_NO_UPDATES, BST_CHECKED);
  const int deskScale = options_.desk_scale;
  Press(settings, IDOK);

  EXPECT_EQ(options_.theme, DeriveTheme(MakeColor(97, 195, 255)));
  EXPECT_TRUE(options_.disableUpdates);
  EXPECT_EQ(options_.desk_scale, deskScale);  // the desktop page was never shown
  // Saved: the theme record's base colour at offset 4.
  ASSERT_TRUE(store_.Open(SettingsKey::kSettings, false));
  const std::optional<StoredValue> stored = store_.Read(SettingsKey::kSettings, u"theme", 24);
  ASSERT_TRUE(stored.has_value());
  ASSERT_EQ(stored->data.size(), 24u);
  EXPECT_EQ(stored->data[4], 97);
  EXPECT_EQ(stored->data[5], 195);
  EXPECT_EQ(stored->data[6], 255);
  EXPECT_EQ(stored->data[8], 117);  // light

  // Opening again with Sky stored shows Sky; OK keeps it.
  settings = Configure();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(SendMessageW(PageItem(settings, 0, IDC_CONFIGURE_THEME), CB_GETCURSEL, 0, 0), 2);
  Press(settings, IDOK);
  EXPECT_EQ(options_.theme.base, MakeColor(97, 195, 255));
}

TEST_F(SettingsDialogTest, UnknownStoredColourShowsPinkAndOkStoresPink) {
  options_.theme = DeriveTheme(MakeColor(10, 20, 30));
  OpenFrame();
  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(SendMessageW(PageItem(settings, 0, IDC_CONFIGURE_THEME), CB_GETCURSEL, 0, 0), 0);
  Press(settings, IDOK);
  EXPECT_EQ(options_.theme, ThemeForChoice(0));
}

TEST_F(SettingsDialogTest, DesktopPageEnablesItsControlsWithTheBoxAndMapsTheScale) {
  options_.desk_scale = 70;
  options_.desk_x = 15;
  options_.desk_trans = 200;
  OpenFrame();
  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  settings->ShowPage(1);
  ASSERT_NE(settings->Page(1), nullptr);
  EXPECT_EQ(settings->CaptionBar().Text(), L"Desktop Calendar...");
  EXPECT_FALSE(IsWindowVisible(settings->Page(0)->Hwnd()));
  const HWND page = settings->Page(1)->Hwnd();
  const HWND scale = GetDlgItem(page, IDC_DESKTOP_SCALE);
  EXPECT_EQ(SendMessageW(scale, CB_GETCOUNT, 0, 0), 6);
  EXPECT_EQ(SendMessageW(scale, CB_GETCURSEL, 0, 0), 5);
  EXPECT_EQ(Text(GetDlgItem(page, IDC_DESKTOP_X)), L"15");
  EXPECT_EQ(SendMessageW(GetDlgItem(page, IDC_DESKTOP_OPACITY), TBM_GETRANGEMAX, 0, 0), 255);
  // The "Transparency" slider shows how see-through the month is: far
  // right is the most transparent.
  EXPECT_EQ(SendMessageW(GetDlgItem(page, IDC_DESKTOP_OPACITY), TBM_GETPOS, 0, 0), 55);
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, IDC_DESKTOP_X), GWL_STYLE) & ES_NUMBER);

  // Off: everything but the box is disabled; a click on the box enables it.
  EXPECT_EQ(IsDlgButtonChecked(page, IDC_DESKTOP_SHOW), BST_UNCHECKED);
  for (int id : {IDC_DESKTOP_X, IDC_DESKTOP_Y, IDC_DESKTOP_SCALE, IDC_DESKTOP_OPACITY}) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id))) << id;
  }
  SendMessageW(GetDlgItem(page, IDC_DESKTOP_SHOW), BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(page, IDC_DESKTOP_SHOW), BST_CHECKED);
  for (int id : {IDC_DESKTOP_X, IDC_DESKTOP_Y, IDC_DESKTOP_SCALE, IDC_DESKTOP_OPACITY}) {
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, id))) << id;
  }

  SendMessageW(scale, CB_SETCURSEL, 2, 0);  // "40%"
  SetWindowTextW(GetDlgItem(page, IDC_DESKTOP_Y), L"120");
  SendMessageW(GetDlgItem(page, IDC_DESKTOP_OPACITY), TBM_SETPOS, TRUE,
               255);  // far right
  Press(settings, IDOK);
  EXPECT_TRUE(options_.showDesctop);
  EXPECT_EQ(options_.desk_scale, 40);
  EXPECT_EQ(options_.desk_x, 15);
  EXPECT_EQ(options_.desk_y, 120);
  EXPECT_EQ(options_.desk_trans, 0) << "far right: fully transparent";
}

// Cancel discards: the window comes back showing the settings, not what she
// cancelled, and a later OK keeps the settings as they were.
TEST_F(SettingsDialogTest, CancelDiscardsTheEditsAndALaterOkKeepsTheSettings) {
  OpenFrame();
  const ThemeRecord pink = options_.theme;
  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  SendMessageW(PageItem(settings, 0, IDC_CONFIGURE_THEME), CB_SETCURSEL, 2,
               0);  // Sky
  settings->ShowPage(1);
  const HWND page = settings->Page(1)->Hwnd();
  SendMessageW(GetDlgItem(page, IDC_DESKTOP_SHOW), BM_CLICK, 0, 0);
  SetWindowTextW(GetDlgItem(page, IDC_DESKTOP_X), L"333");
  Press(settings, IDCANCEL);
  EXPECT_EQ(options_.theme, pink);
  EXPECT_EQ(frame_->SettingsWindow().Dialog(), settings);  // kept, hidden
  EXPECT_FALSE(options_.showDesctop);
  EXPECT_EQ(options_.desk_x, 0);

  settings = Configure();
  ASSERT_NE(settings, nullptr);
  EXPECT_TRUE(IsWindowVisible(settings->Hwnd()));
  EXPECT_EQ(settings->CurrentPage(), 0);
  EXPECT_EQ(settings->CaptionBar().Text(), L"General Settings");
  EXPECT_EQ(SendMessageW(PageItem(settings, 0, IDC_CONFIGURE_THEME), CB_GETCURSEL, 0, 0), 0) << "Pink, as stored";
  settings->ShowPage(1);
  EXPECT_EQ(Text(PageItem(settings, 1, IDC_DESKTOP_X)), L"0");
  EXPECT_EQ(IsDlgButtonChecked(settings->Page(1)->Hwnd(), IDC_DESKTOP_SHOW), BST_UNCHECKED);
  Press(settings, IDOK);
  EXPECT_EQ(options_.theme, pink);
  EXPECT_FALSE(options_.showDesctop);
  EXPECT_EQ(options_.desk_x, 0);
}

// A number out of range on a page she has left: OK brings that page back
// with the focus in the field to correct.
TEST_F(SettingsDialogTest, ARangeErrorPutsTheFocusOnTheBadField) {
  OpenFrame();
  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  SetForegroundWindow(settings->Hwnd());
  settings->ShowPage(2);
  const HWND days = PageItem(settings, 2, IDC_REM_DAYS);
  ASSERT_NE(days, nullptr);
  SetWindowTextW(days, L"11");
  settings->ShowPage(0);
  SendMessageW(settings->Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(settings->Hwnd(), IDOK)));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"Enter an integer between 1 and 10.");
  EXPECT_EQ(settings->CurrentPage(), 2);
  EXPECT_TRUE(IsWindowVisible(days));
  EXPECT_EQ(GetFocus(), days);
  Press(settings, IDCANCEL);
}

TEST_F(SettingsDialogTest, EscapeNeitherCancelsNorCloses) {
  OpenFrame();
  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  const HWND box = PageItem(settings, 0, IDC_CONFIGURE_RUN_AT_START);
  SetFocus(box);
  MSG escape{};
  escape.hwnd = box;
  escape.message = WM_KEYDOWN;
  escape.wParam = VK_ESCAPE;
  EXPECT_TRUE(loop_.PreTranslate(escape));
  // Any other key still reaches the dialog manager.
  MSG tab = escape;
  tab.wParam = VK_TAB;
  EXPECT_TRUE(loop_.PreTranslate(tab));
  WaitUntil([] { return false; }, 200);
  EXPECT_TRUE(IsWindowVisible(settings->Hwnd()));
  EXPECT_EQ(frame_->SettingsWindow().Dialog(), settings);
}

TEST_F(SettingsDialogTest, ANewLanguageRenamesTheBandMenusAtOnce) {
  // Language files in a program folder of their own, read when its locale is made.
  testsupport::TempDir folder;
  const auto write = [&](const char* file, std::u16string text) {
    text = u"\xFEFF" + text;
    std::ofstream out(folder.path() / file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * 2));
  };
  write("en.lan", u"APP_LANGUAGE=English\r\n");
  write("de.lan", u"APP_LANGUAGE=Deutsch\r\nMENU_FILE_CONFIGURE=&Einstellungen\r\nCONFIGURE=Einstellungen\r\n");
  LocaleManager languages(folder.path(), codec_);
  Prompts prompts;
  prompts.trackMenu = [this](HMENU menu, UINT, POINT, HWND) -> UINT {
    menus_.push_back(ReadMenu(menu));
    return 0;
  };
  FrameContext context{options_, languages, *model_, clock_, ProgramResources(), std::move(prompts), false};
  context.setLanguage = [&](std::u16string_view name) { languages.SetLanguage(name); };
  frame_ = std::make_unique<CMainFrame>(std::move(context));
  ASSERT_TRUE(frame_->CreateFrame());
  ShowWindow(frame_->Hwnd(), SW_SHOWNORMAL);
  const auto fileMenu = [&] {
    const BandRect r = frame_->Band().Layout().rects[0];
    MSG click{};
    click.hwnd = frame_->Hwnd();
    click.message = WM_LBUTTONDOWN;
    click.lParam = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    RouteMouse(click);
    return menus_.empty() ? std::vector<MenuEntry>{} : menus_.back();
  };
  ASSERT_GE(fileMenu().size(), 2u);
  EXPECT_EQ(menus_.back()[1].text, L"Co&nfigure");

  CSettingsDialog* settings = Configure();
  ASSERT_NE(settings, nullptr);
  const HWND list = PageItem(settings, 0, IDC_CONFIGURE_LANGUAGE);
  ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 2);
  wchar_t name[32] = {};
  SendMessageW(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
  EXPECT_STREQ(name, L"Deutsch");
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 1);  // the stored English
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  Press(settings, IDOK);

  EXPECT_EQ(languages.Translate(u"CONFIGURE"), u"Einstellungen");
  EXPECT_EQ(fileMenu()[1].text, L"&Einstellungen");
  settings = Configure();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(Text(settings->Hwnd()), L"Einstellungen");
}

}  // namespace
}  // namespace frametest
