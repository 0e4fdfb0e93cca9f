// After anything that changes her days, the goal, the lengths, the user or
// the settings, the frame makes afresh everything that shows them, each
// exactly once; and the window gives the focus back where she left it.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "accounts/logon_manager.h"
#include "env/wide_win32.h"
#include "resources/login_ids.h"
#include "resources/pane_ids.h"
#include "resources/resource.h"
#include "ui/calendar/calendar_layout.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/frame/frame_texts.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "ui/panes/pane_legend_win32.h"
#include "ui/panes/pane_period_win32.h"
#include "ui/panes/pane_texts.h"
#include "ui/settings/settings_dialog_win32.h"
#include "win/frame/frame_fixture.h"
#include "win/support/wait_win32.h"

namespace frametest {
namespace {

constexpr size_t kDependents = 5;
using Counts = std::array<int, kDependents>;

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

class DaysChangedTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    {
      LogonManager setup(dir_ / "user.dat");
      ASSERT_EQ(setup.AddUser("anna", "rose"), UsersResult::kDone);
    }
    logon_ = std::make_unique<LogonManager>(dir_ / "user.dat");
    MakeModel(dir_ / "db.dat",
              [this] { return static_cast<uint16_t>(options_.userLogins ? logon_->CurrentUser().id : 0); });
    adjustContext_ = [this](FrameContext& context) {
      context.logon = logon_.get();
      context.codec = &codec_;
      context.refreshed = [this](FrameDependent what) { ++counts_[static_cast<size_t>(what)]; };
    };
  }
  void TearDown() override {
    FrameTest::TearDown();
    logon_.reset();
  }

  // A period that began on 1 June: with 28 days and a luteal phase of 14,
  // today (15 June) is the ovulation.
  void OpenWithAPeriod() {
    OpenFrame();
    RunDayCommand(PackedDate{1, 6, 2024}, ID_DAY_SET_START);
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_NAVIGATE_TODAY, 0), 0);
    counts_ = {};
  }

  void ChooseManualLengths() {
    SendMessageW(GetDlgItem(frame_->Panes().Period()->Hwnd(), IDC_PERIOD_MANUAL), BM_CLICK, 0, 0);
  }

  void ChooseCycleLength(int days) {
    const HWND period = frame_->Panes().Period()->Hwnd();
    const HWND cycle = GetDlgItem(period, IDC_PERIOD_CYCLE);
    SendMessageW(cycle, CB_SETCURSEL, static_cast<WPARAM>(days - OptionsManager::minPeriodLen), 0);
    SendMessageW(period, WM_COMMAND, MAKEWPARAM(IDC_PERIOD_CYCLE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(cycle));
  }

  std::wstring DayPane(int id) { return TextOf(GetDlgItem(frame_->Panes().Day()->Hwnd(), id)); }

  std::unique_ptr<LogonManager> logon_;
  Counts counts_{};
};

TEST_F(DaysChangedTest, EveryTriggerRefreshesEachDependentExactlyOnce) {
  struct Trigger {
    const char* name;
    std::function<void()> run;
  };
  const Trigger triggers[] = {
      {"day command",
       [this] { SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_DAY_SEX, 0), 0); }},
      {"day command from the menu",
       [this] {
         menuAnswer_ = ID_DAY_GOOD_MOOD;
         RightClickDay(PackedDate{20, 6, 2024});
         menuAnswer_ = 0;
         // The choice arrives as a posted command.
         MSG msg;
         while (PeekMessageW(&msg, frame_->Hwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE)) DispatchMessageW(&msg);
       }},
      {"goal",
       [this] {
         SendMessageW(GetDlgItem(frame_->Panes().Goal()->Hwnd(), IDC_GOAL_CONCEIVE), BM_CLICK, 0, 0);
       }},
      {"cycle length",
       [this] {
         ChooseManualLengths();  // a change of its own
         counts_ = {};
         ChooseCycleLength(33);
       }},
      {"settings accepted",
       [this] {
         SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_CONFIGURE, 0), 0);
         ASSERT_NE(frame_->SettingsWindow().Dialog(), nullptr);
         SendMessageW(frame_->Hwnd(), CMainFrame::kSettingsClosedMessage, CSettingsDialog::kClosedOk, 0);
       }},
      {"user logs in",
       [this] {
         DialogDriver driver([](HWND dialog) {
           SendDlgItemMessageW(dialog, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(L"anna"));
           SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, L"rose");
           DialogDriver::Click(dialog, IDOK);
         });
         SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
         ASSERT_TRUE(driver.Ran());
         ASSERT_EQ(logon_->CurrentUser().name, "anna");
       }},
  };
  for (const Trigger& trigger : triggers) {
    SCOPED_TRACE(trigger.name);
    OpenWithAPeriod();
    trigger.run();
    EXPECT_EQ(counts_, (Counts{1, 1, 1, 1, 1})) << "calendar, panes, tray tooltip, desktop, reminders";
  }
}

TEST_F(DaysChangedTest, MovingTheSelectionOrOpeningADayMenuChangesNoDay) {
  OpenWithAPeriod();
  menuAnswer_ = 0;
  RightClickDay(PackedDate{20, 6, 2024});
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_NAVIGATE_NEXT, 0), 0);
  EXPECT_EQ(counts_, (Counts{0, 0, 0, 0, 0}));
}

TEST_F(DaysChangedTest, AGoalChangeGivesTheDayPaneTheNewGoalsTip) {
  OpenWithAPeriod();
  // A day whose tip depends on the goal: a fertile day before today.
  const auto tipDiffers = [&](const PackedDate& d) {
    const int dayClass = model_->GetDayClass(d);
    return std::u16string_view(MenstualManager::TipKey(dayClass, 0)) !=
           std::u16string_view(MenstualManager::TipKey(dayClass, 1));
  };
  for (int i = 0; i < 40 && !tipDiffers(frame_->Calendar()->SelectedDate()); ++i) {
    frame_->Calendar()->MoveSelection(CalendarStep::DayBack);
  }
  const PackedDate day = frame_->Calendar()->SelectedDate();
  ASSERT_TRUE(tipDiffers(day)) << "no day in reach whose tip depends on the goal";
  const std::wstring before = DayPane(IDC_INFO_TEXT);
  ASSERT_NE(before.find(ToWide(model_->GetTip(day, model_->GetDayClass(day)))), std::wstring::npos) << before;
  // To the other of the two goals, whichever she has now.
  const int newGoal = options_.goal == 1 ? 0 : 1;
  SendMessageW(GetDlgItem(frame_->Panes().Goal()->Hwnd(), newGoal == 1 ? IDC_GOAL_CONCEIVE : IDC_GOAL_AVOID), BM_CLICK,
               0, 0);
  ASSERT_EQ(options_.goal, newGoal);
  const std::wstring after = DayPane(IDC_INFO_TEXT);
  EXPECT_NE(after.find(ToWide(model_->GetTip(day, model_->GetDayClass(day)))), std::wstring::npos) << after;
  EXPECT_NE(after, before);
}

TEST_F(DaysChangedTest, ALengthChangeGivesTheDayPaneAndTheTrayTheNewClass) {
  OpenWithAPeriod();
  const PackedDate today = clock_.Today();
  const int before = model_->GetDayClass(today);
  ChooseManualLengths();
  ChooseCycleLength(35);
  const int after = model_->GetDayClass(today);
  ASSERT_NE(after, before) << "the longer cycle moves the ovulation away from today";
  EXPECT_EQ(DayPane(IDC_INFO_CLASS), ToWide(ClassButtonText(locale_, after)));
  EXPECT_EQ(std::wstring(frame_->Tray().Icon().Data().szTip), ToWide(TrayTooltip(locale_, *model_, today)));
}

// She was in a pane's control, went to another program and came back: the
// focus is where she left it, not on the calendar.
TEST_F(DaysChangedTest, FocusComesBackToThePaneControlSheLeft) {
  OpenFrame();
  SetForegroundWindow(frame_->Hwnd());
  ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == frame_->Hwnd(); }, 3000));
  const HWND flow = GetDlgItem(frame_->Panes().Legend()->Hwnd(), IDC_LEGEND_FLOW);
  SetFocus(flow);
  ASSERT_EQ(GetFocus(), flow);
  const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                     nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(other);
  ASSERT_NE(GetActiveWindow(), frame_->Hwnd());
  SetActiveWindow(frame_->Hwnd());
  EXPECT_EQ(GetActiveWindow(), frame_->Hwnd());
  EXPECT_EQ(GetFocus(), flow);
  DestroyWindow(other);
}

// Behind the login dialog of Logout the window names nobody.
TEST_F(DaysChangedTest, BehindTheLoginDialogTheTitleNamesNobody) {
  OpenFrame();
  DialogDriver login([](HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(L"anna"));
    SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, L"rose");
    DialogDriver::Click(dialog, IDOK);
  });
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
  ASSERT_TRUE(login.Ran());
  ASSERT_EQ(TextOf(frame_->Hwnd()), L"Tamarel (anna)");
  std::wstring behind;
  DialogDriver logout([&](HWND dialog) {
    behind = TextOf(frame_->Hwnd());
    DialogDriver::Click(dialog, IDCANCEL);
  });
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
  ASSERT_TRUE(logout.Ran());
  EXPECT_EQ(behind, L"Tamarel");
}

}  // namespace
}  // namespace frametest
