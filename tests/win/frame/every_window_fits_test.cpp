// Every window in every shipped language on a laptop's 1280 x 720 screen:
// the main window restored and maximized with its panes in both period
// modes, the settings window with each page, the reports, the planning
// dialogs, the day dialogs, login, About, update and both reminder popups.
// Each is looked at as she sees it (see fit_check_win32.h); a failure names
// the language, the window, the control and its text.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "accounts/logon_manager.h"
#include "env/wide_win32.h"
#include "resources/pane_ids.h"
#include "resources/resource.h"
#include "ui/frame/about_dlg_win32.h"
#include "ui/frame/dlg_update_win32.h"
#include "ui/login/login_dlg_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "ui/panes/pane_period_win32.h"
#include "ui/settings/settings_dialog_win32.h"
#include "win/frame/frame_fixture.h"
#include "win/support/fit_check_win32.h"

namespace frametest {
namespace {

constexpr RECT kLaptop{0, 0, 1280, 720};

std::filesystem::path DistFolder() {
  std::wstring dir = TAMAREL_DIST_DIR;
  if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
  for (wchar_t& c : dir) {
    if (c == L'/') c = L'\\';
  }
  return dir;
}

class EveryWindowFits : public FrameTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    const std::string base = GetParam();
    std::filesystem::copy_file(DistFolder() / (base + ".lan"), dir_.path() / (base + ".lan"),
                               std::filesystem::copy_options::overwrite_existing);
    locale_.SetLanguageName(base);
    ASSERT_EQ(locale_.GetLanguageName(), base);
    adjustContext_ = [](FrameContext& context) {
      context.monitorAreas = [](HMONITOR, RECT& work, RECT& whole) {
        work = kLaptop;
        whole = kLaptop;
        return true;
      };
    };
    checker_ = std::make_unique<fitcheck::FitChecker>(base, locale_, kLaptop);
  }

  void TearDown() override {
    if (checker_) {
      for (const std::string& problem : checker_->Problems()) ADD_FAILURE() << problem;
    }
    FrameTest::TearDown();
  }

  static void Pump() {
    MSG msg;
    for (int i = 0; i < 5; ++i) {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      Sleep(10);
    }
  }

  void Click(HWND dialog, int id) { DialogDriver::Click(dialog, id); }

  // Runs open (which shows a modal dialog), checks the dialog and ends it with
  // closeId.
  void CheckModal(const std::string& name, const std::function<void()>& open, int closeId = IDCANCEL) {
    DialogDriver driver([&](HWND dialog) {
      Pump();
      checker_->Check(name, dialog);
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(closeId, BN_CLICKED), 0);
    });
    open();
    EXPECT_TRUE(driver.Ran()) << name << " did not open";
  }

  void Command(UINT id) { SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  // A calendar with a few cycles, a note and a temperature today: the panes
  // and dialogs show their longer texts.
  void MarkSomeDays() {
    for (int back : {-84, -56, -28, -2}) ASSERT_EQ(model_->SetStart(AddDays(kToday, back)), SaveResult::kDone);
    ASSERT_EQ(model_->StoreDay(Day(kToday, false, false, true, false, false, false, 36.6,
                                   u"A note about today that is long enough to "
                                   u"need a second line in the box.")),
              SaveResult::kDone);
  }

  void CheckMainWindow(const std::string& name) {
    Pump();
    checker_->PlacedOnScreen(true);
    checker_->Check(name, frame_->Hwnd());
    checker_->PlacedOnScreen(false);
  }

  std::unique_ptr<fitcheck::FitChecker> checker_;
};

TEST_P(EveryWindowFits, TheMainWindowAndItsPanesInBothPeriodModes) {
  // The first start: no period yet, the invitation to mark one.
  OpenFrame();
  CheckMainWindow("main window, first start");
  frame_.reset();

  MarkSomeDays();
  OpenFrame();
  CheckMainWindow("main window, automatic");
  const HWND period = frame_->Panes().Period()->Hwnd();
  SendMessageW(period, WM_COMMAND, MAKEWPARAM(IDC_PERIOD_MANUAL, BN_CLICKED), 0);
  ASSERT_FALSE(options_.autoPeriodCalculation);
  CheckMainWindow("main window, manual");
  ShowWindow(frame_->Hwnd(), SW_MAXIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(frame_->Hwnd()) != FALSE; }, 5000));
  CheckMainWindow("main window maximized, manual");
  SendMessageW(period, WM_COMMAND, MAKEWPARAM(IDC_PERIOD_AUTO, BN_CLICKED), 0);
  CheckMainWindow("main window maximized, automatic");
}

// Sixteen days late: the longest today line and the late lines.
TEST_P(EveryWindowFits, TheMainWindowWhileHerPeriodIsLate) {
  for (int back : {-100, -72, -44}) ASSERT_EQ(model_->SetStart(AddDays(kToday, back)), SaveResult::kDone);
  ASSERT_GT(model_->DaysLate(), 0);
  OpenFrame();
  CheckMainWindow("main window, late");
  // The pane keeps the date and tells what being this late means.
  const HWND day = frame_->Panes().Day()->Hwnd();
  EXPECT_NE(DialogDriver::Text(GetDlgItem(day, IDC_INFO_TODAY)).find(L"15.6.2024"), std::wstring::npos);
  const std::wstring text = DialogDriver::Text(GetDlgItem(day, IDC_INFO_TEXT));
  EXPECT_NE(text.find(ToWide(locale_.Translate(u"LATE_TEST"))), std::wstring::npos) << text;
}

TEST_P(EveryWindowFits, TheSettingsWindowWithEachPage) {
  OpenFrame();
  Command(ID_FILE_CONFIGURE);
  CSettingsDialog* settings = frame_->SettingsWindow().Dialog();
  ASSERT_NE(settings, nullptr);
  for (size_t i = 0; i < settings->PageCount(); ++i) {
    settings->ShowPage(i);
    Pump();
    checker_->Check("settings, page " + std::to_string(i + 1), settings->Hwnd());
  }
  SendMessageW(settings->Hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  Pump();
}

TEST_P(EveryWindowFits, TheReportsPlanningAndDayDialogs) {
  MarkSomeDays();
  OpenFrame();
  CheckModal(
      "My cycles", [&] { Command(ID_REPORTS_MYCYCLES); }, IDOK);
  CheckModal("Statistic", [&] { Command(ID_REPORTS_STATISTIC); });
  CheckModal(
      "Birth", [&] { Command(ID_REPORTS_BIRTH); }, IDOK);
  CheckModal(
      "Horoscope", [&] { Command(ID_REPORTS_HOROSCOPE); }, IDOK);
  CheckModal(
      "Chinese chart", [&] { Command(ID_REPORTS_CHINA_CAL); }, IDOK);
  CheckModal(
      "About", [&] { Command(ID_APP_ABOUT); }, IDOK);
  CheckModal("temperature", [&] { RunDayCommand(kToday, ID_DAY_TEMPERATURE); });
  CheckModal("note", [&] { RunDayCommand(kToday, ID_DAY_NOTE); });
  const HWND info = frame_->Panes().Day()->Hwnd();
  CheckModal(
      "today dialog",
      [&] {
        SendMessageW(info, WM_COMMAND, MAKEWPARAM(IDC_INFO_PERIOD, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(info, IDC_INFO_PERIOD)));
      },
      IDOK);
  CheckModal("update", [&] {
    CDlgUpdate update(locale_, u"1.2.3.4", ProgramResources());
    (void)update.DoModal(frame_->Hwnd());
  });
  LogonManager logon(dir_ / "user.dat");
  Prompts prompts;
  prompts.messageBox = [](HWND, const std::wstring&, const std::wstring&, UINT) { return IDOK; };
  CheckModal("login", [&] {
    CLoginDlg login(logon, locale_, codec_, prompts, ProgramResources());
    (void)login.DoModal(frame_->Hwnd());
  });
}

// The popups with the texts due reminders give them: the small one the
// count of days, the large one the count and the day's tip.
TEST_P(EveryWindowFits, BothReminderPopups) {
  options_.autoPeriodCalculation = false;
  options_.periodLen = 28;
  options_.rmenstruation = true;
  options_.rsinse = 3;
  options_.rpill = false;
  options_.rother = false;
  model_->Reload();
  ASSERT_EQ(model_->SetStart(AddDays(kToday, -26)), SaveResult::kDone);
  OpenFrame();
  const auto check = [&](CTaskbarNotifier& popup, const std::string& name) {
    ASSERT_FALSE(popup.Text().empty()) << name;
    const RECT area = popup.TextArea();
    const HDC dc = GetDC(popup.Hwnd());
    const HGDIOBJ old = SelectObject(dc, popup.TextFont());
    RECT need{0, 0, area.right - area.left, 0};
    DrawTextW(dc, popup.Text().c_str(), -1, &need, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(popup.Hwnd(), dc);
    const std::string text = ToUtf8(FromWide(popup.Text()));
    EXPECT_LE(need.right - need.left, area.right - area.left) << GetParam() << " / " << name << ": " << text;
    EXPECT_LE(need.bottom, area.bottom - area.top) << GetParam() << " / " << name << ": " << text;
    EXPECT_LE(popup.SkinSize().cx, kLaptop.right);
    EXPECT_LE(popup.SkinSize().cy, kLaptop.bottom);
  };
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  check(frame_->Reminders().Small(), "small reminder popup");
  frame_->Reminders().Small().HidePopup();
  // Her period starts today: the count and the day's long tip.
  ASSERT_EQ(model_->SetStart(kToday), SaveResult::kDone);
  options_.rother = true;
  frame_.reset();
  OpenFrame();
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  check(frame_->Reminders().Large(), "large reminder popup");
}

INSTANTIATE_TEST_SUITE_P(Languages, EveryWindowFits, ::testing::Values("en", "de", "fr", "ru"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace frametest
