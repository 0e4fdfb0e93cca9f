// What a new user meets around the window: the About box, the tray's notice
// on the first minimize, a tray tooltip that tells nothing while the
// calendar is locked, and hover marks that go when the mouse does.

#include <gtest/gtest.h>

#include <memory>

#include "accounts/logon_manager.h"
#include "resources/login_ids.h"
#include "resources/resource.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/frame/about_dlg_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

constexpr PackedDate kStart{3, 6, 2024};

using FirstDaysTest = FrameTest;

// Help > About and the tray's About open the program's own box; no web page.
TEST_F(FirstDaysTest, AboutShowsTheProgramsIconNameVersionAndRightsAndOpensNoPage) {
  OpenFrame();
  for (UINT command : {UINT{ID_APP_ABOUT}, UINT{ID_HELP_ABOUT}}) {
    SCOPED_TRACE(command);
    std::wstring caption, name, rights, ok;
    bool hasIcon = false;
    DialogDriver driver([&](HWND dialog) {
      caption = DialogDriver::Text(dialog);
      name = DialogDriver::Text(GetDlgItem(dialog, IDC_ABOUT_NAME));
      rights = DialogDriver::Text(GetDlgItem(dialog, IDC_ABOUT_RIGHTS));
      ok = DialogDriver::Text(GetDlgItem(dialog, IDOK));
      hasIcon = SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
      DialogDriver::Click(dialog, IDOK);
    });
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    ASSERT_TRUE(driver.Ran()) << "no About box";
    EXPECT_EQ(caption, L"Tamarel 0.0.0.3");
    EXPECT_EQ(name, L"Tamarel 0.0.0.3");
    EXPECT_EQ(rights, L"\u00A9 2026 Quillow. All rights reserved.");
    EXPECT_EQ(ok, L"OK");
    EXPECT_TRUE(hasIcon);
  }
  EXPECT_TRUE(opened_.empty()) << opened_.front();
  // The Help menu's last item is this command.
  menuAnswer_ = 0;
  const BandRect help = frame_->Band().Layout().rects[3];
  MSG click{frame_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(help.left + 3, help.top + 3), 0, {}};
  RouteMouse(click);
  ASSERT_FALSE(menus_.empty());
  EXPECT_EQ(menus_.back().back().id, UINT{ID_APP_ABOUT});
}

// The notice comes with the first minimize only, and the settings remember it.
TEST_F(FirstDaysTest, TheFirstMinimizeToTheTrayTellsOnceThatTamarelKeepsRunning) {
  OpenFrame();
  ASSERT_TRUE(frame_->Tray().Icon().Added());
  const HWND hwnd = frame_->Hwnd();
  ShowWindow(hwnd, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(hwnd); }, 5000));
  EXPECT_EQ(frame_->Tray().Icon().BalloonsShown(), 1);
  EXPECT_EQ(frame_->Tray().Icon().LastBalloonText(),
            L"Tamarel keeps running here in the notification area. Click its icon to open your calendar again.");
  EXPECT_TRUE(options_.trayNoticeShown);
  const StoredValue* stored = store_.Get(SettingsKey::kSettings, u"trayNoticeShown");
  ASSERT_NE(stored, nullptr) << "remembered at once";
  ASSERT_EQ(stored->data.size(), 4u);
  EXPECT_EQ(stored->data[0], 1);

  SendMessageW(hwnd, CMainFrame::kTrayMessage, 0, WM_LBUTTONDOWN);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(hwnd) != FALSE; }, 5000));
  ShowWindow(hwnd, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(hwnd); }, 5000));
  EXPECT_EQ(frame_->Tray().Icon().BalloonsShown(), 1) << "shown once";

  // A later run that finds the value says nothing.
  frame_.reset();
  OptionsManager later{store_, SystemLocaleInfo{}, &locale_, u"C:\\Tamarel\\tamarel.exe"};
  later.Load();
  EXPECT_TRUE(later.trayNoticeShown);
}

// Users with logins on: the tray tooltip tells nobody's day while the
// calendar is locked, and the logged-in user's own day after her login.
class LockedTrayTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    {
      LogonManager setup(dir_ / "user.dat", {}, nullptr, PasswordHashing{nullptr, 1000});
      ASSERT_EQ(setup.AddUser("anna", "rose"), UsersResult::kDone);
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
  std::wstring Tip() const { return frame_->Tray().Icon().Data().szTip; }
  // Runs Logout; the dialog is answered by answer.
  void Logout(const std::function<void(HWND)>& answer) {
    DialogDriver driver(answer);
    SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
    EXPECT_TRUE(driver.Ran());
  }
  static void LoginAnna(HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_LOGIN_NAME, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(L"anna"));
    SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, L"rose");
    DialogDriver::Click(dialog, IDOK);
  }
  std::unique_ptr<LogonManager> logon_;
};

TEST_F(LockedTrayTest, TheTooltipNamesOnlyTheProgramUntilSomeoneLogsInAndAgainAfterLogout) {
  // Days of owner 0 (marked before accounts) and anna's own: neither shows
  // while nobody is logged in.
  ASSERT_EQ(model_->SetStart(kStart), SaveResult::kDone);
  options_.userLogins = true;
  OpenFrame();
  ASSERT_TRUE(frame_->Lock().Locked());
  EXPECT_EQ(Tip(), L"Tamarel");
  // The day changes while locked: still nothing.
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  EXPECT_EQ(Tip(), L"Tamarel");

  // Her own day: she has marked no period; owner 0's start is not hers.
  Logout(&LoginAnna);
  EXPECT_EQ(Tip().rfind(L"Tamarel \u2013 no period marked yet\nToday is 15.6.2024", 0), 0u) << Tip();

  // While the login dialog of Logout is open, and after its Cancel.
  std::wstring tipWhileAsking;
  Logout([&](HWND dialog) {
    tipWhileAsking = Tip();
    DialogDriver::Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(tipWhileAsking, L"Tamarel");
  EXPECT_EQ(Tip(), L"Tamarel");
}

// The pale look of a title or button and the calendar's hover mark and
// balloon last no longer than the mouse stays on them.
using PaleStateTest = FrameTest;

TEST_F(PaleStateTest, AMenuOpeningTakesTheCalendarsHoverMarkAndBalloon) {
  OpenFrame();
  AFCYearSelectWnd* calendar = frame_->Calendar();
  const HWND cal = frame_->CalendarHwnd();
  const DayCell* someDay = nullptr;
  for (const MonthLayout& month : calendar->Year().Months()) someDay = &month.days[10];
  ASSERT_NE(someDay, nullptr);
  const int x = (someDay->rect.left + someDay->rect.right) / 2, y = (someDay->rect.top + someDay->rect.bottom) / 2;
  SendMessageW(cal, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  ASSERT_NE(calendar->Year().HoveredDay(), nullptr);
  SendMessageW(cal, WM_TIMER, AFCYearSelectWnd::kTooltipTimerId, 0);
  ASSERT_NE(calendar->BalloonHwnd(), nullptr);

  // A menu of the frame (band, tray or day) opens.
  SendMessageW(frame_->Hwnd(), WM_ENTERMENULOOP, TRUE, 0);
  EXPECT_EQ(calendar->Year().HoveredDay(), nullptr);
  EXPECT_EQ(calendar->BalloonHwnd(), nullptr);
  EXPECT_FALSE(calendar->TooltipTimerRunning());

  // Another window takes the mouse from the calendar.
  SendMessageW(cal, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  ASSERT_NE(calendar->Year().HoveredDay(), nullptr);
  SendMessageW(cal, WM_CAPTURECHANGED, 0, 0);
  EXPECT_EQ(calendar->Year().HoveredDay(), nullptr);
}

TEST_F(PaleStateTest, ABandTitleIsLitNoLongerThanTheMouseStaysOnIt) {
  OpenFrame();
  const HWND hwnd = frame_->Hwnd();
  const BandRect reports = frame_->Band().Layout().rects[2];
  const POINT on{(reports.left + reports.right) / 2, (reports.top + reports.bottom) / 2};
  auto route = [&](UINT message, POINT p) {
    MSG msg{hwnd, message, message == WM_LBUTTONDOWN ? WPARAM{MK_LBUTTON} : 0, MAKELPARAM(p.x, p.y), 0, {}};
    RouteMouse(msg);
  };

  // The menu closes with the mouse elsewhere (she went down to an item):
  // the title is not left lit.
  POINT calendarPoint{200, 400};
  ClientToScreen(hwnd, &calendarPoint);
  route(WM_MOUSEMOVE, on);
  ASSERT_EQ(frame_->Band().Hovered(), 2);
  SetCursorPos(calendarPoint.x, calendarPoint.y);
  route(WM_LBUTTONDOWN, on);
  ASSERT_EQ(menus_.size(), 1u);
  EXPECT_EQ(frame_->Band().Hovered(), -1);

  // The mouse leaves the window from a lit title: the band, which tracks the
  // mouse over itself, is told.
  route(WM_MOUSEMOVE, on);
  ASSERT_EQ(frame_->Band().Hovered(), 2);
  SendMessageW(frame_->Band().Hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(frame_->Band().Hovered(), -1);

  // Another window comes to the front.
  route(WM_MOUSEMOVE, on);
  ASSERT_EQ(frame_->Band().Hovered(), 2);
  SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  EXPECT_EQ(frame_->Band().Hovered(), -1);
}

}  // namespace
}  // namespace frametest
