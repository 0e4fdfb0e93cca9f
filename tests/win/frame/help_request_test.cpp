// F1 and WM_HELP: each window opens its own help topic, and the help window
// is placed beside the window that asked, inside a 1280 x 720 work area.
// HTML Help is replaced by a viewer that records the topic and shows a
// plain window of the help window's usual size.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/help_ids.h"
#include "resources/pane_ids.h"
#include "resources/resource.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/settings/settings_dialog_win32.h"
#include "ui/widgets/help_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace help_request_test {

constexpr RECT kLaptop{0, 0, 1280, 720};

class HelpRequestTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TamarelTestHelpWindow";
    RegisterClassExW(&wc);
    scope_ = std::make_unique<HelpViewerScope>(
        HelpViewer{[this](HWND owner, DWORD context) {
                     topics_.push_back(context);
                     if (!help_) {
                       // HTML Help's window comes up large, wherever it likes.
                       help_ = CreateWindowExW(0, L"TamarelTestHelpWindow", L"Help", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                                               900, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
                     }
                     return help_;
                   },
                   [](HWND, RECT& work) {
                     work = kLaptop;
                     return true;
                   }});
  }
  void TearDown() override {
    if (help_) DestroyWindow(help_);
    scope_.reset();
    FrameTest::TearDown();
  }

  static void AskForHelp(HWND control) {
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(control);
    info.hItemHandle = control;
    SendMessageW(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  }

  // The first control of the dialog that takes the focus.
  static HWND FirstControl(HWND dialog) {
    const HWND control = GetNextDlgTabItem(dialog, nullptr, FALSE);
    return control ? control : dialog;
  }

  // Opens a dialog by command, asks for help from its first control and
  // checks the topic and the help window's place; then closes the dialog.
  void ExpectTopic(const char* name, UINT command, DWORD topic) {
    SCOPED_TRACE(name);
    topics_.clear();
    RECT dialogRect{}, helpRect{};
    std::vector<DWORD> asked;
    DialogDriver driver([&](HWND dialog) {
      AskForHelp(FirstControl(dialog));
      asked = topics_;
      GetWindowRect(dialog, &dialogRect);
      if (help_) GetWindowRect(help_, &helpRect);
      SendMessageW(dialog, WM_CLOSE, 0, 0);
    });
    if (command == ID_DAY_TEMPERATURE || command == ID_DAY_NOTE) {
      RunDayCommand(kToday, command);
    } else {
      SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(asked, std::vector<DWORD>{topic});
    ExpectBeside(helpRect, dialogRect);
  }

  static void ExpectBeside(const RECT& help, const RECT& asker) {
    EXPECT_GE(help.left, kLaptop.left);
    EXPECT_GE(help.top, kLaptop.top);
    EXPECT_LE(help.right, kLaptop.right);
    EXPECT_LE(help.bottom, kLaptop.bottom);
    RECT overlap{};
    // A dialog narrower than the screen less the help's least width leaves room
    // beside it.
    if (asker.right - asker.left <= 1280 - 2 * 360) {
      EXPECT_FALSE(IntersectRect(&overlap, &help, &asker))
          << "help " << help.left << "-" << help.right << " covers the dialog " << asker.left << "-" << asker.right;
    }
  }

  std::unique_ptr<HelpViewerScope> scope_;
  std::vector<DWORD> topics_;
  HWND help_ = nullptr;
};

TEST_F(HelpRequestTest, EachDialogOpensItsOwnTopicBesideItself) {
  ASSERT_EQ(model_->SetStart(AddDays(kToday, -20)), SaveResult::kDone);
  OpenFrame();
  ExpectTopic("My cycles", ID_REPORTS_MYCYCLES, IDH_MY_CYCLES);
  ExpectTopic("Statistic", ID_REPORTS_STATISTIC, IDH_STATISTIC);
  ExpectTopic("Birth", ID_REPORTS_BIRTH, IDH_BIRTH);
  ExpectTopic("Horoscope", ID_REPORTS_HOROSCOPE, IDH_HOROSCOPE);
  ExpectTopic("Chinese chart", ID_REPORTS_CHINA_CAL, IDH_CHINESE_CHART);
  ExpectTopic("About", ID_APP_ABOUT, IDH_ABOUT);
  ExpectTopic("temperature", ID_DAY_TEMPERATURE, IDH_TEMPERATURE);
  ExpectTopic("note", ID_DAY_NOTE, IDH_NOTE);
}

// The settings window's topic, the Reminders page's own; the main window
// and its panes open the contents (the support page when the help file is
// missing, as it is beside the tests).
TEST_F(HelpRequestTest, SettingsPagesAndTheMainWindow) {
  OpenFrame();
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_CONFIGURE, 0), 0);
  CSettingsDialog* settings = frame_->SettingsWindow().Dialog();
  ASSERT_NE(settings, nullptr);
  settings->ShowPage(0);
  AskForHelp(GetNextDlgTabItem(settings->Page(0)->Hwnd(), nullptr, FALSE));
  EXPECT_EQ(topics_, std::vector<DWORD>{IDH_SETTINGS});
  RECT settingsRect{}, helpRect{};
  GetWindowRect(settings->Hwnd(), &settingsRect);
  GetWindowRect(help_, &helpRect);
  ExpectBeside(helpRect, settingsRect);
  topics_.clear();
  for (size_t i = 0; i < settings->PageCount(); ++i) {
    settings->ShowPage(i);
    const CSettingsPage* page = settings->Page(i);
    if (page && page->HelpContext() == IDH_REMINDERS) {
      AskForHelp(GetNextDlgTabItem(page->Hwnd(), nullptr, FALSE));
      EXPECT_EQ(topics_, std::vector<DWORD>{IDH_REMINDERS});
    }
  }
  EXPECT_FALSE(topics_.empty()) << "no Reminders page";
  SendMessageW(settings->Hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);

  for (const HWND asker : {frame_->Hwnd(), GetDlgItem(frame_->Panes().Goal()->Hwnd(), IDC_GOAL_AVOID)}) {
    opened_.clear();
    topics_.clear();
    AskForHelp(asker);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_NE(opened_[0].find(L"support"), std::wstring::npos) << opened_[0];
    EXPECT_TRUE(topics_.empty());
  }
}

// The F1 key itself, pressed while a dialog's control has the focus.
TEST_F(HelpRequestTest, TheF1KeyInADialogOpensItsTopic) {
  OpenFrame();
  DialogDriver driver([&](HWND dialog) {
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    static_cast<void>(WaitUntil([&] { return !topics_.empty(); }, 2000));
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), 0);
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(topics_, std::vector<DWORD>{IDH_ABOUT});
}

}  // namespace help_request_test
}  // namespace frametest
