// The main frame's reminders: the popup on the timer and on the tray hover,
// the sound, the tray clicks that hide it, the tray tip of the day, the
// watcher ending with the window, and the reminders page.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "env/wide_win32.h"
#include "resources/reminder_ids.h"
#include "resources/resource.h"
#include "env/local_time_win32.h"
#include "ui/reminders/remind_dlg_win32.h"
#include "ui/settings/settings_dialog_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

class ReminderFrameTest : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    // 28-day cycles and a period 26 days ago: the next is due the day after
    // tomorrow.
    options_.autoPeriodCalculation = false;
    options_.periodLen = 28;
    options_.rmenstruation = true;
    options_.rsinse = 3;
    options_.rother = false;
    options_.rpill = false;
    model_->Reload();
    ASSERT_EQ(model_->SetStart(AddDays(kToday, -26)), SaveResult::kDone);
    adjustContext_ = [this](FrameContext &c) {
      c.playAlert = [this] { ++sounds_; };
    };
  }

  CTaskbarNotifier::State SmallState() { return frame_->Reminders().Small().GetState(); }

  int sounds_ = 0;
};

TEST_F(ReminderFrameTest,
       ADueReminderSlidesUpInTheSmallPopupWithinOneTimerPeriod) {
  OpenFrame();
  // The popups are made by the first reminder that shows, not at start.
  EXPECT_FALSE(frame_->Reminders().Made());
  ASSERT_TRUE(WaitUntil([&] { return frame_->Reminders().Made(); }, 16000));
  EXPECT_EQ(frame_->Reminders().Large().SkinSize().cy, 164);
  EXPECT_EQ(frame_->Reminders().Small().SkinSize().cy, 109);
  EXPECT_EQ(frame_->Reminders().Small().TextArea().bottom, 99);
  EXPECT_EQ(frame_->Reminders().Large().TextArea().bottom, 154);
  ASSERT_TRUE(WaitUntil([&] { return SmallState() != CTaskbarNotifier::State::kHidden; }, 16000));
  EXPECT_EQ(frame_->Reminders().Small().Text(), L"2 days left before menstruation");
  EXPECT_EQ(frame_->Reminders().Large().GetState(), CTaskbarNotifier::State::kHidden);
  EXPECT_EQ(sounds_, 1);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ASSERT_TRUE(WaitUntil(
      [&] { return SmallState() == CTaskbarNotifier::State::kStaying; }, 5000));
  RECT r{};
  GetWindowRect(frame_->Reminders().Small().Hwnd(), &r);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
  EXPECT_EQ(frame_->Reminders().Small().StayMs(), 3000);

  // The next tick of the same day: nothing new, no sound.
  frame_->Reminders().Small().HidePopup();
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  EXPECT_EQ(SmallState(), CTaskbarNotifier::State::kHidden);
  EXPECT_EQ(sounds_, 1);
  // The next day counts down, with the sound again.
  clock_.Set(AddDays(kToday, 1));
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  EXPECT_EQ(frame_->Reminders().Small().Text(), L"Your period is expected tomorrow");
  EXPECT_EQ(sounds_, 2);
}

TEST_F(ReminderFrameTest, ALongTextTakesTheLargePopup) {
  // Her period starts today: the day of flow and its long tip.
  ASSERT_EQ(model_->SetStart(kToday), SaveResult::kDone);
  options_.rother = true;
  OpenFrame();
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  // Flow she has marked today needs no reminder: the tip alone.
  const std::wstring expected = ToWide(model_->GetTip(kToday));
  ASSERT_GT(expected.size(), 115u);
  EXPECT_EQ(frame_->Reminders().Large().Text(), expected);
  EXPECT_TRUE(IsWindowVisible(frame_->Reminders().Large().Hwnd()));
  EXPECT_FALSE(IsWindowVisible(frame_->Reminders().Small().Hwnd()));
  ASSERT_TRUE(WaitUntil([&] { return frame_->Reminders().Large().GetState() == CTaskbarNotifier::State::kStaying; }, 5000));
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT r{};
  GetWindowRect(frame_->Reminders().Large().Hwnd(), &r);
  EXPECT_EQ(r.bottom - r.top, 164);
  EXPECT_EQ(r.bottom, work.bottom);
}

TEST_F(ReminderFrameTest,
       HoverOverTheTrayShowsTheTextSilentlyAndAClickHidesIt) {
  options_.rmenstruation = false; // the hover text does not care
  OpenFrame();
  const HWND hwnd = frame_->Hwnd();
  SendMessageW(hwnd, CMainFrame::kTrayMessage, 0, WM_MOUSEMOVE);
  EXPECT_TRUE(frame_->Tray().HoverPending());
  EXPECT_TRUE(frame_->Tray().Watcher().Tracking());
  SendMessageW(hwnd, WM_TIMER, TrayPresence::kHoverTimer, 0);
  EXPECT_FALSE(frame_->Tray().HoverPending());
  CTaskbarNotifier& popup =
      IsWindowVisible(frame_->Reminders().Small().Hwnd()) ? frame_->Reminders().Small() : frame_->Reminders().Large();
  EXPECT_TRUE(IsWindowVisible(popup.Hwnd()));
  EXPECT_EQ(
      popup.Text().rfind(L"2 days left before menstruation\nDay tip: ", 0), 0u)
      << popup.Text();
  EXPECT_EQ(sounds_, 0);
  // The icon's tooltip would cover the popup's last line: none while it shows.
  EXPECT_EQ(std::wstring(frame_->Tray().Icon().Data().szTip), L"");

  // A left click on the icon hides it and leaves the hover flag as it was.
  SendMessageW(hwnd, CMainFrame::kTrayMessage, 0, WM_MOUSEMOVE);
  SendMessageW(hwnd, CMainFrame::kTrayMessage, 0, WM_LBUTTONDOWN);
  EXPECT_EQ(popup.GetState(), CTaskbarNotifier::State::kHidden);
  EXPECT_FALSE(IsWindowVisible(popup.Hwnd()));
  EXPECT_NE(std::wstring(frame_->Tray().Icon().Data().szTip).find(L"Today is 15.6.2024"), std::wstring::npos);
  EXPECT_TRUE(frame_->Tray().HoverPending());
  // Until the mouse is seen leaving, every check is forced: silent.
  SendMessageW(hwnd, WM_TIMER, ReminderPresenter::kTimer, 0);
  EXPECT_TRUE(IsWindowVisible(popup.Hwnd()));
  EXPECT_EQ(sounds_, 0);
  // The watcher's leave hides it and ends the hover.
  SendMessageW(hwnd, CMainFrame::kTrayMessage, 0, WM_MOUSELEAVE);
  EXPECT_FALSE(frame_->Tray().HoverPending());
  EXPECT_EQ(popup.GetState(), CTaskbarNotifier::State::kHidden);
}

// The popup reads like a link: a click on it brings the window back from the
// tray, restored and in front, and the popup goes.
TEST_F(ReminderFrameTest, AClickOnThePopupBringsTheWindowBackFromTheTray) {
  OpenFrame();
  const HWND hwnd = frame_->Hwnd();
  ShowWindow(hwnd, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(hwnd); }, 5000));
  SendMessageW(hwnd, WM_TIMER, ReminderPresenter::kTimer, 0);
  CTaskbarNotifier& popup = frame_->Reminders().Small();
  ASSERT_TRUE(IsWindowVisible(popup.Hwnd()));

  SendMessageW(popup.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 60));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(hwnd) && !IsIconic(hwnd); }, 5000));
  EXPECT_EQ(GetForegroundWindow(), hwnd);
  EXPECT_EQ(popup.GetState(), CTaskbarNotifier::State::kHidden);
  EXPECT_FALSE(IsWindowVisible(popup.Hwnd()));
}

TEST_F(ReminderFrameTest, PillReminderComesAtItsTimeUntilThePillIsMarked) {
  options_.rmenstruation = false;
  options_.rother = false;
  options_.rpill = true;
  // The pill time an hour before "now" of the clock, whatever the zone.
  const int64_t now = 1718445600; // 15 June 2024, 10:00 UTC
  clock_ = FixedClock(kToday, now);
  options_.rpill_time = now - 3600;
  OpenFrame();
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  if (LocalMinuteOfDay(now) >= 60) {
    EXPECT_EQ(frame_->Reminders().Small().Text(), L"Time to take a contraception pill");
    EXPECT_EQ(frame_->Reminders().Small().StayMs(), 7000);
    EXPECT_EQ(sounds_, 1);
  }
  // Marked with a pill the next day: no reminder that day.
  frame_->Reminders().Small().HidePopup();
  clock_.Set(AddDays(kToday, 1));
  Day pill(AddDays(kToday, 1), false, false, false, true, false, false, 0.0);
  ASSERT_EQ(model_->StoreDay(pill), SaveResult::kDone);
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  EXPECT_EQ(frame_->Reminders().Small().GetState(), CTaskbarNotifier::State::kHidden);
}

TEST_F(ReminderFrameTest, TrayTipFollowsTheDateAndTheDayCommands) {
  // No reminder on screen: its popup would take the tooltip away meanwhile.
  options_.rmenstruation = false;
  OpenFrame();
  EXPECT_NE(std::wstring(frame_->Tray().Icon().Data().szTip).find(L"Today is 15.6.2024"), std::wstring::npos);
  clock_.Set(AddDays(kToday, 1));
  SendMessageW(frame_->Hwnd(), WM_TIMER, ReminderPresenter::kTimer, 0);
  EXPECT_NE(std::wstring(frame_->Tray().Icon().Data().szTip).find(L"Today is 16.6.2024"), std::wstring::npos)
      << frame_->Tray().Icon().Data().szTip;
  // Marking today's period changes today's class in the tip.
  const std::wstring before = frame_->Tray().Icon().Data().szTip;
  RunDayCommand(AddDays(kToday, 1), ID_DAY_SET_START);
  EXPECT_NE(std::wstring(frame_->Tray().Icon().Data().szTip), before);
}

TEST_F(ReminderFrameTest,
       TheWatcherThreadStartsOverTheIconAndEndsWithTheWindow) {
  OpenFrame();
  EXPECT_FALSE(frame_->Tray().Watcher().Running());
  SendMessageW(frame_->Hwnd(), CMainFrame::kTrayMessage, 0, WM_MOUSEMOVE);
  EXPECT_TRUE(frame_->Tray().Watcher().Running());
  DestroyWindow(frame_->Hwnd());
  EXPECT_FALSE(frame_->Tray().Watcher().Running());
}

TEST_F(ReminderFrameTest,
       RemindersPageOfTheSettingsSetsEnablesChecksAndApplies) {
  options_.rpill = false;
  options_.rsinse = 4;
  OpenFrame();
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_CONFIGURE, 0), 0);
  CSettingsDialog* settings = frame_->SettingsWindow().Dialog();
  ASSERT_NE(settings, nullptr);
  settings->ShowPage(2);
  ASSERT_NE(settings->Page(2), nullptr);
  const HWND page = settings->Page(2)->Hwnd();
  ASSERT_NE(page, nullptr);
  std::vector<std::wstring> texts;
  for (const int id :
       {IDC_STATIC_REM0, IDC_CHECK_REM1, IDC_STATIC_REM2, IDC_STATIC_REM3,
        IDC_STATIC_REM4, IDC_CHECK_REM5, IDC_STATIC_REM6, IDC_CHECK_REM7}) {
    texts.push_back(DialogDriver::Text(GetDlgItem(page, id)));
  }
  texts.push_back(DialogDriver::Text(GetDlgItem(page, IDC_REM_DAYS)));
  const std::vector<std::wstring> expected = {
      L"Menstruation",
      L"Remind me about the beginning of menstruation ",
      L"Remind since",
      L"days before beginning",
      L"Pills",
      L"Remind me to take pill",
      L"Time",
      L"Remind me about another importent events",
      L"4"};
  EXPECT_EQ(texts, expected);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_REM_TIME)));
  // Unticking the menstruation box greys its days.
  SendMessageW(GetDlgItem(page, IDC_CHECK_REM1), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_REM_DAYS)));
  SendMessageW(GetDlgItem(page, IDC_CHECK_REM1), BM_CLICK, 0, 0);

  const auto pressOk = [&] {
    SendMessageW(settings->Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(settings->Hwnd(), IDOK)));
  };
  // 11 days is refused and the settings window stays, nothing written.
  SetWindowTextW(GetDlgItem(page, IDC_REM_DAYS), L"11");
  pressOk();
  (void)WaitUntil([] { return false; }, 300);  // the closing notice would come now
  ASSERT_EQ(frame_->SettingsWindow().Dialog(), settings);
  EXPECT_TRUE(IsWindow(settings->Hwnd()));
  EXPECT_EQ(options_.rsinse, 4);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"Enter an integer between 1 and 10.");
  EXPECT_EQ(boxes_[0].caption, L"Error");

  SetWindowTextW(GetDlgItem(page, IDC_REM_DAYS), L"7");
  SendMessageW(GetDlgItem(page, IDC_CHECK_REM5), BM_CLICK, 0, 0);
  SYSTEMTIME t{};
  GetLocalTime(&t);
  t.wHour = 21;
  t.wMinute = 45;
  SendMessageW(GetDlgItem(page, IDC_REM_TIME), DTM_SETSYSTEMTIME, GDT_VALID,
               reinterpret_cast<LPARAM>(&t));
  SendMessageW(GetDlgItem(page, IDC_CHECK_REM7), BM_CLICK, 0, 0);
  pressOk();
  ASSERT_TRUE(WaitUntil([&] { return frame_->SettingsWindow().Dialog() == nullptr; }, 5000));
  EXPECT_EQ(options_.rsinse, 7);
  EXPECT_TRUE(options_.rmenstruation);
  EXPECT_TRUE(options_.rpill);
  EXPECT_TRUE(options_.rother); // was off, ticked
  EXPECT_EQ(LocalMinuteOfDay(options_.rpill_time), 21 * 60 + 45);
  // Saved with the other settings.
  const auto written = std::find(store_.WriteOrder().begin(),
                                 store_.WriteOrder().end(), u"rsinse");
  EXPECT_NE(written, store_.WriteOrder().end());
}

} // namespace
} // namespace frametest
