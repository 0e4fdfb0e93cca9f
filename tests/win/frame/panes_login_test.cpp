// The main window with its panes and the user accounts: the bar on the right,
// what the panes show as the user works on the calendar, and logging in and
// out with two users who each see only their own days.

#include <gtest/gtest.h>

#include <fstream>

#include "accounts/logon_manager.h"
#include "env/wide_win32.h"
#include "resources/login_ids.h"
#include "resources/pane_ids.h"
#include "resources/resource.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "ui/panes/pane_legend_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

constexpr PackedDate kDay{12, 6, 2024};

class PanesFrameTest : public FrameTest {
 protected:
  HWND InfoItem(int id) const { return GetDlgItem(frame_->Panes().Day()->Hwnd(), id); }
};

TEST_F(PanesFrameTest, TheBarHoldsTheFourPanesOnTheRightBelowTheBand) {
  OpenFrame();
  CResizableDlgBar& bar = frame_->Panes().Bar();
  ASSERT_NE(bar.Hwnd(), nullptr);
  ASSERT_EQ(bar.SectionCount(), 4u);
  EXPECT_EQ(bar.Title(0), L"My Goal");
  EXPECT_EQ(bar.Title(1), L"Day");
  EXPECT_EQ(bar.Title(2), L"&Info");
  EXPECT_EQ(bar.Title(3), L"&Legend");

  RECT client{}, r{};
  GetClientRect(frame_->Hwnd(), &client);
  GetWindowRect(bar.Hwnd(), &r);
  MapWindowPoints(nullptr, frame_->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, client.right - 311);
  EXPECT_EQ(r.right, client.right);
  EXPECT_EQ(r.top, 97 + 4);
  EXPECT_EQ(r.bottom, client.bottom - 4);
  const HWND panes[] = {frame_->Panes().Goal()->Hwnd(), frame_->Panes().Day()->Hwnd()};
  for (const HWND pane : panes) {
    EXPECT_EQ(GetParent(pane), bar.Hwnd());
    EXPECT_TRUE(IsWindowVisible(pane));
  }
  // The bar is coloured from the theme.
  EXPECT_EQ(bar.Background(), static_cast<COLORREF>(options_.theme.base));
  EXPECT_EQ(bar.BandColor(), static_cast<COLORREF>(options_.theme.dark));
  EXPECT_EQ(bar.TextColor(), static_cast<COLORREF>(options_.theme.pale));

  // Collapsing the goal section moves the day title up by the goal pane's height.
  RECT goal{};
  GetWindowRect(frame_->Panes().Goal()->Hwnd(), &goal);
  const LONG dayTop = bar.BandRect(1).top;
  const RECT b = bar.BandRect(0);
  SendMessageW(bar.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM((b.left + b.right) / 2, b.top + 5));
  EXPECT_EQ(bar.BandRect(1).top, dayTop - (goal.bottom - goal.top));
  EXPECT_FALSE(IsWindowVisible(frame_->Panes().Goal()->Hwnd()));
}

TEST_F(PanesFrameTest, MouseMessagesOfThePanesNeverReachTheCalendar) {
  OpenFrame();
  AFCYearSelectWnd* calendar = frame_->Calendar();
  ASSERT_NE(calendar, nullptr);
  // Hover a day: the balloon delay starts.
  CalendarLayout layout(clock_.Today());
  const RECT area = frame_->CalendarRect();
  layout.Resize(Rect{area.left, area.top, area.right, area.bottom});
  const DayCell& cell = layout.Months()[0].days[10];
  SendMessageW(frame_->CalendarHwnd(), WM_MOUSEMOVE, 0,
               MAKELPARAM((cell.rect.left + cell.rect.right) / 2, (cell.rect.top + cell.rect.bottom) / 2));
  ASSERT_TRUE(calendar->TooltipTimerRunning());
  const int selectedBefore = calendar->SelectedDate().day;

  // A move over the bar is eaten and stops the delay; a press on a pane's
  // control is not passed on to the calendar by the frame's routing.
  MSG move{frame_->Panes().Bar().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {}};
  EXPECT_TRUE(loop_.PreTranslate(move));
  EXPECT_FALSE(calendar->TooltipTimerRunning());
  // A point given in the pane control's coordinates that lies on the hovered
  // day once mapped: were the message passed on, the day would be selected
  // and its menu opened.
  POINT onDay{(cell.rect.left + cell.rect.right) / 2, (cell.rect.top + cell.rect.bottom) / 2};
  MapWindowPoints(frame_->CalendarHwnd(), InfoItem(IDC_INFO_TEXT), &onDay, 1);
  for (const UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
    MSG press{InfoItem(IDC_INFO_TEXT), message, 0, MAKELPARAM(onDay.x, onDay.y), 0, {}};
    EXPECT_FALSE(frame_->RouteMouseMessage(press));
  }
  EXPECT_TRUE(menus_.empty()) << "no day menu from a click on a pane";
  EXPECT_EQ(calendar->SelectedDate().day, selectedBefore);
}

TEST_F(PanesFrameTest, TheDayPaneFollowsTheSelectedDayAndItsChanges) {
  OpenFrame();
  RightClickDay(kDay);
  EXPECT_EQ(DialogDriver::Text(InfoItem(IDC_INFO_TEMPERATURE)), L"Set Temperature");

  // A note written through the day menu shows at once.
  {
    DialogDriver driver([](HWND dialog) {
      SetDlgItemTextW(dialog, IDC_NOTE_EDIT, L"headache");
      DialogDriver::Click(dialog, IDOK);
    });
    RunDayCommand(kDay, ID_DAY_NOTE);
    ASSERT_TRUE(driver.Ran());
  }
  EXPECT_EQ(DialogDriver::Text(InfoItem(IDC_INFO_TEXT)).rfind(L"Wednesday, 12.06.2024\r\nNote: headache\r\n", 0), 0u)
      << DialogDriver::Text(InfoItem(IDC_INFO_TEXT));

  // So does a menstruation start: the class of the selected day is recorded flow.
  RunDayCommand(kDay, ID_DAY_SET_START);
  EXPECT_EQ(DialogDriver::Text(InfoItem(IDC_INFO_CLASS)), ToWide(locale_.Translate(u"MSG_FLOW")));
  // Selecting another day shows its own texts.
  RightClickDay(PackedDate{25, 6, 2024});
  EXPECT_EQ(DialogDriver::Text(InfoItem(IDC_INFO_TEXT)).find(L"headache"), std::wstring::npos);
}

TEST_F(PanesFrameTest, AGoalChosenInTheGoalPaneAppliesToTheLegend) {
  options_.goal = 1;
  OpenFrame();
  const HWND legend = frame_->Panes().Legend()->Hwnd();
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(legend, IDC_LEGEND_BOY)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(legend, IDC_LEGEND_PILL)));
  const HWND avoid = GetDlgItem(frame_->Panes().Goal()->Hwnd(), IDC_GOAL_AVOID);
  SendMessageW(avoid, BM_CLICK, 0, 0);
  EXPECT_EQ(options_.goal, 0);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(legend, IDC_LEGEND_BOY)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(legend, IDC_LEGEND_GIRL)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(legend, IDC_LEGEND_PILL)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(frame_->Panes().Goal()->Hwnd(), IDC_GOAL_BIRTH)));
}

// Two users share the program; each one's days are kept under her id.
class LoginFrameTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    {
      LogonManager setup(dir_ / "user.dat", {}, nullptr, PasswordHashing{nullptr, 1000});
      ASSERT_EQ(setup.AddUser("anna", "rose"), UsersResult::kDone);
      ASSERT_EQ(setup.AddUser("bea", "tulip"), UsersResult::kDone);
    }
    logon_ = std::make_unique<LogonManager>(dir_ / "user.dat");
    MakeModel(dir_ / "db.dat", [this] {
      return static_cast<uint16_t>(options_.userLogins ? logon_->CurrentUser().id : 0);
    });
    adjustContext_ = [this](FrameContext& context) {
      context.logon = logon_.get();
      context.codec = &codec_;
    };
  }
  void TearDown() override {
    FrameTest::TearDown();
    logon_.reset();
  }

  // Runs Logout and answers the login dialog with a name and password.
  // Mouse routing is suspended while the dialog is open.
  void LogInAs(const wchar_t* name, const wchar_t* password) {
    DialogDriver driver([&](HWND dialog) {
      EXPECT_TRUE(frame_->MouseRoutingSuspended());
      SendDlgItemMessageW(dialog, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(name));
      SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, password);
      DialogDriver::Click(dialog, IDOK);
    });
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
    EXPECT_TRUE(driver.Ran());
    EXPECT_FALSE(frame_->MouseRoutingSuspended());
  }
  std::wstring Title() const { return DialogDriver::Text(frame_->Hwnd()); }

  // Hides the window and clicks the tray icon; returns how many dialogs
  // opened (each answered with answer).
  int RestoreFromTray(const std::function<void(HWND)>& answer) {
    ShowWindow(frame_->Hwnd(), SW_HIDE);
    int dialogs = 0;
    DialogDriver driver([&](HWND dialog) {
      ++dialogs;
      answer(dialog);
    });
    SendMessageW(frame_->Hwnd(), CMainFrame::kTrayMessage, 0, WM_LBUTTONDOWN);
    // Long enough for the driver to find a dialog, had one opened.
    MSG msg;
    for (int i = 0; i < 10; ++i) {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(10);
    }
    return dialogs;
  }

  std::unique_ptr<LogonManager> logon_;
};

TEST_F(LoginFrameTest, EachUserSeesOnlyHerOwnDays) {
  OpenFrame();
  EXPECT_EQ(Title(), L"Tamarel");
  LogInAs(L"anna", L"rose");
  EXPECT_TRUE(options_.userLogins);
  EXPECT_EQ(Title(), L"Tamarel (anna)");
  RunDayCommand(kDay, ID_DAY_SET_START);
  ASSERT_TRUE(Stored(kDay) && Stored(kDay)->menstruationStart);

  LogInAs(L"bea", L"tulip");
  EXPECT_EQ(Title(), L"Tamarel (bea)");
  EXPECT_EQ(Stored(kDay), nullptr) << "anna's day is not bea's";
  EXPECT_NE(model_->GetDayClass(kDay), 0);
  RunDayCommand(kDay, ID_DAY_SEX);

  LogInAs(L"anna", L"rose");
  auto day = Stored(kDay);
  ASSERT_TRUE(day);
  EXPECT_TRUE(day->menstruationStart);
  EXPECT_FALSE(day->sex) << "bea's mark stays hers";
  EXPECT_EQ(model_->GetDayClass(kDay), 0);
}

TEST_F(LoginFrameTest, LogoutHidesHerCalendarAndCancelLeavesNobodysDaysOnScreen) {
  OpenFrame();
  LogInAs(L"anna", L"rose");
  ASSERT_EQ(Title(), L"Tamarel (anna)");
  RunDayCommand(kDay, ID_DAY_SET_START);
  // A wrong password keeps the dialog open with the message; then Cancel.
  bool calendarShownBehind = true, panesShownBehind = true;
  DialogDriver driver([&](HWND dialog) {
    calendarShownBehind = IsWindowVisible(frame_->CalendarHwnd()) != FALSE;
    panesShownBehind = IsWindowVisible(frame_->Panes().Bar().Hwnd()) != FALSE;
    SendDlgItemMessageW(dialog, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(L"bea"));
    SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, L"rose");
    DialogDriver::Click(dialog, IDOK);
    EXPECT_TRUE(IsWindow(dialog));
    DialogDriver::Click(dialog, IDCANCEL);
  });
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
  ASSERT_TRUE(driver.Ran());
  EXPECT_FALSE(calendarShownBehind) << "her calendar stays hidden behind the login";
  EXPECT_FALSE(panesShownBehind);
  ASSERT_FALSE(boxes_.empty());
  EXPECT_EQ(boxes_.back().text, L"Could not login. Please check the password.");
  // Logged out: nobody's name, nobody's days.
  EXPECT_EQ(Title(), L"Tamarel");
  EXPECT_EQ(logon_->CurrentUser().id, 0);
  EXPECT_TRUE(frame_->Lock().Locked());
  EXPECT_FALSE(IsWindowVisible(frame_->CalendarHwnd()));
  EXPECT_FALSE(IsWindowVisible(frame_->Panes().Bar().Hwnd()));
  // She logs in again and finds her days.
  LogInAs(L"anna", L"rose");
  EXPECT_TRUE(IsWindowVisible(frame_->CalendarHwnd()));
  EXPECT_TRUE(IsWindowVisible(frame_->Panes().Bar().Hwnd()));
  ASSERT_TRUE(Stored(kDay));
  EXPECT_TRUE(Stored(kDay)->menstruationStart);
}

TEST_F(LoginFrameTest, WithLoginsOnNoDayIsOnScreenBeforeALogin) {
  options_.userLogins = true;
  OpenFrame();
  EXPECT_TRUE(frame_->Lock().Locked());
  EXPECT_FALSE(IsWindowVisible(frame_->CalendarHwnd()));
  EXPECT_FALSE(IsWindowVisible(frame_->Panes().Bar().Hwnd()));
  // The frame's own area below the band shows no calendar: one plain colour
  // and the way in.
  RECT client{};
  GetClientRect(frame_->Hwnd(), &client);
  const HDC screen = GetDC(frame_->Hwnd());
  RedrawWindow(frame_->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const COLORREF base = static_cast<COLORREF>(options_.theme.base);
  EXPECT_EQ(GetPixel(screen, 20, 120), base);
  EXPECT_EQ(GetPixel(screen, client.right - 20, client.bottom - 20), base);
  ReleaseDC(frame_->Hwnd(), screen);
  // A click there asks for the login.
  bool asked = false;
  {
    DialogDriver driver([&](HWND dialog) {
      asked = true;
      DialogDriver::Click(dialog, IDCANCEL);
    });
    MSG click{frame_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 400), 0, {}};
    EXPECT_FALSE(RouteMouse(click));
    MSG msg;
    for (int i = 0; i < 20 && !asked; ++i) {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(10);
    }
  }
  EXPECT_TRUE(asked);
  EXPECT_TRUE(menus_.empty()) << "no day menu on a locked calendar";
}

TEST_F(LoginFrameTest, TheFirstRestoreFromTheTrayAsksOnceWhileLoginsAreOn) {
  options_.userLogins = true;
  OpenFrame();
  const int first = RestoreFromTray([](HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(L"bea"));
    SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, L"tulip");
    DialogDriver::Click(dialog, IDOK);
  });
  EXPECT_EQ(first, 1);
  EXPECT_TRUE(IsWindowVisible(frame_->Hwnd()));
  EXPECT_EQ(Title(), L"Tamarel (bea)");
  // The second restore of the run shows the window only.
  EXPECT_EQ(RestoreFromTray([](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }), 0);
  EXPECT_TRUE(IsWindowVisible(frame_->Hwnd()));
}

TEST_F(LoginFrameTest, WithLoginsOffTheTrayAsksNothingAndEverybodySharesOwnerZero) {
  OpenFrame();
  EXPECT_EQ(RestoreFromTray([](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }), 0);
  RunDayCommand(kDay, ID_DAY_SEX);
  options_.userLogins = true;  // nobody logged in yet: still owner 0
  EXPECT_TRUE(Stored(kDay));
}

}  // namespace
}  // namespace frametest
