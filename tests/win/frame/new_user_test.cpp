// What a woman meets on her first day with the program: the day she clicks
// is the day everything acts on, the Day pane names it, the calendar frames
// it.

#include <gtest/gtest.h>

#include "accounts/logon_manager.h"
#include "env/wide_win32.h"
#include "resources/login_ids.h"
#include "resources/pane_ids.h"
#include "resources/resource.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "ui/days/temperature_dlg_win32.h"
#include "win/calendar/calendar_fixture.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

// 12 June 2024 is a Wednesday; today is Saturday 15 June 2024.
constexpr PackedDate kClicked{12, 6, 2024};
constexpr PackedDate kCrossed{24, 6, 2024};

class SelectedDayTest : public FrameTest {
 protected:
  HWND InfoItem(int id) const { return GetDlgItem(frame_->Panes().Day()->Hwnd(), id); }
  std::wstring InfoText(int id) const { return DialogDriver::Text(InfoItem(id)); }

  // The centre of a shown day's cell, in calendar coordinates.
  POINT CentreOf(const PackedDate &date) const {
    for (const MonthLayout &month : frame_->Calendar()->Year().Months()) {
      for (const DayCell &cell : month.days) {
        if (cell.Date() == date)
          return POINT{(cell.rect.left + cell.rect.right) / 2,
                       (cell.rect.top + cell.rect.bottom) / 2};
      }
    }
    ADD_FAILURE() << "the date is not shown";
    return POINT{};
  }
  void MoveOver(const PackedDate &date) {
    const POINT p = CentreOf(date);
    SendMessageW(frame_->CalendarHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  }
};

TEST_F(SelectedDayTest,
       TheTemperatureLinkStoresOnTheClickedDayAfterTheMouseCrossedOthers) {
  options_.farinheit = false;  // she measures in Celsius
  OpenFrame();
  RightClickDay(kClicked);
  // On her way to the pane the mouse crosses other days: they light up but
  // are not chosen.
  MoveOver(PackedDate(20, 6, 2024));
  MoveOver(kCrossed);
  ASSERT_NE(frame_->Calendar()->Year().HoveredDay(), nullptr);
  EXPECT_EQ(frame_->Calendar()->Year().HoveredDay()->Date(), kCrossed);
  EXPECT_EQ(frame_->SelectedDate(), kClicked);
  EXPECT_EQ(InfoText(IDC_INFO_TEXT).rfind(L"Wednesday, 12.06.2024\r\n", 0), 0u)
      << InfoText(IDC_INFO_TEXT);

  DialogDriver driver([](HWND dialog) {
    SetDlgItemTextW(dialog, IDC_TEMPERATURE_EDIT, L"36.8");
    DialogDriver::Click(dialog, IDOK);
  });
  DialogDriver::Click(frame_->Panes().Day()->Hwnd(), IDC_INFO_TEMPERATURE);
  ASSERT_TRUE(driver.Ran());
  const auto clicked = Stored(kClicked);
  ASSERT_TRUE(clicked);
  EXPECT_DOUBLE_EQ(clicked->temperature, 36.8);
  EXPECT_EQ(Stored(kCrossed), nullptr) << "nothing on a day she did not pick";
  EXPECT_EQ(InfoText(IDC_INFO_TEMPERATURE), L"36.8 C");
}

TEST_F(SelectedDayTest, AtStartAndAfterTodayTheSelectedDayIsToday) {
  // Her period began on 12 June: today, 15 June, is its fourth day.
  ASSERT_EQ(model_->SetStart(kClicked), SaveResult::kDone);
  OpenFrame();
  EXPECT_EQ(frame_->SelectedDate(), kToday);
  EXPECT_EQ(InfoText(IDC_INFO_TODAY), L"Today is 15.6.2024 (day 4 of period)");
  EXPECT_EQ(InfoText(IDC_INFO_CLASS), ToWide(locale_.Translate(u"MSG_FLOW")));
  EXPECT_EQ(InfoText(IDC_INFO_TEXT).rfind(L"Saturday, 15.06.2024\r\n", 0), 0u)
      << InfoText(IDC_INFO_TEXT);

  RightClickDay(PackedDate(30, 6, 2024));
  ASSERT_EQ(frame_->SelectedDate(), PackedDate(30, 6, 2024));
  DialogDriver::Click(frame_->Panes().Day()->Hwnd(), IDC_INFO_TODAY);
  EXPECT_EQ(frame_->SelectedDate(), kToday);
  EXPECT_EQ(InfoText(IDC_INFO_TEXT).rfind(L"Saturday, 15.06.2024\r\n", 0), 0u)
      << InfoText(IDC_INFO_TEXT);
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_NAVIGATE_NEXT, 0), 0);
  RightClickDay(PackedDate(9, 7, 2024));
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_NAVIGATE_TODAY, 0), 0);
  EXPECT_EQ(frame_->SelectedDate(), kToday);
}

TEST_F(SelectedDayTest, TheFirstDayOfHerPeriodIsDayOne) {
  ASSERT_EQ(model_->SetStart(kToday), SaveResult::kDone);
  OpenFrame();
  EXPECT_EQ(InfoText(IDC_INFO_TODAY), L"Today is 15.6.2024 (day 1 of period)");
}

TEST_F(SelectedDayTest, BeforeAnyPeriodThePaneInvitesHerToMarkOne) {
  OpenFrame();
  EXPECT_EQ(InfoText(IDC_INFO_CLASS), L"No period marked yet");
  EXPECT_NE(InfoText(IDC_INFO_TEXT).find(L"first day of your last period"),
            std::wstring::npos);
  EXPECT_EQ(InfoText(IDC_INFO_TEXT).find(L"fertile"), std::wstring::npos)
      << "no claim from no data";
  RunDayCommand(kClicked, ID_DAY_SET_START);
  EXPECT_EQ(InfoText(IDC_INFO_CLASS), ToWide(locale_.Translate(u"MSG_FLOW")));
  EXPECT_EQ(InfoText(IDC_INFO_TEXT).find(L"first day of your last period"),
            std::wstring::npos);
}

// Day 41 of a 31-day cycle: the Day pane tells the late period, and from
// 10 days late on that a pregnancy test can tell.
TEST_F(SelectedDayTest, ALatePeriodShowsInTheDayPane) {
  ASSERT_EQ(model_->SetStart(PackedDate(4, 4, 2024)), SaveResult::kDone);
  ASSERT_EQ(model_->SetStart(PackedDate(5, 5, 2024)),
            SaveResult::kDone); // 31 days: expected 5 June
  OpenFrame();
  // The whole late today line is wider than the pane: the today line keeps
  // the date, and the line below it says she is late.
  EXPECT_EQ(InfoText(IDC_INFO_TODAY), L"Today is 15.6.2024");
  EXPECT_EQ(InfoText(IDC_INFO_CLASS), L"Your period is 10 days late");
  const std::wstring text = InfoText(IDC_INFO_TEXT);
  EXPECT_EQ(text.find(L"not fertile"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"Based on 1 recorded cycle"), std::wstring::npos)
      << text;
  EXPECT_NE(
      text.find(L"A pregnancy test can now tell whether you are pregnant."),
      std::wstring::npos)
      << text;
}

TEST_F(SelectedDayTest,
       TheClickedDayIsFramedAndTheHoverMarkGoesWhenTheMouseLeaves) {
  OpenFrame();
  AFCYearSelectWnd *calendar = frame_->Calendar();
  RECT client{};
  GetClientRect(frame_->CalendarHwnd(), &client);
  caltest::Canvas canvas(client.right, client.bottom);
  ASSERT_TRUE(canvas.Ok());
  const COLORREF frame = static_cast<COLORREF>(options_.theme.dark);
  auto framed = [&](const PackedDate &date) {
    SendMessageW(frame_->CalendarHwnd(), WM_PRINTCLIENT,
                 reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    for (const MonthLayout &month : calendar->Year().Months()) {
      for (const DayCell &cell : month.days) {
        if (!(cell.Date() == date))
          continue;
        const int midX = (cell.rect.left + cell.rect.right) / 2,
                  midY = (cell.rect.top + cell.rect.bottom) / 2;
        // Both rings on every side.
        return canvas.At(cell.rect.left + 1, midY) == frame &&
               canvas.At(cell.rect.left + 2, midY) == frame &&
               canvas.At(cell.rect.right - 2, midY) == frame &&
               canvas.At(midX, cell.rect.top + 1) == frame &&
               canvas.At(midX, cell.rect.bottom - 3) == frame;
      }
    }
    return false;
  };
  EXPECT_TRUE(framed(kToday)) << "today is selected at start";
  EXPECT_FALSE(framed(kClicked));
  RightClickDay(kClicked);
  EXPECT_TRUE(framed(kClicked));
  EXPECT_FALSE(framed(kToday));
  MoveOver(kCrossed);
  EXPECT_FALSE(framed(kCrossed)) << "hovering never frames";

  // The mouse leaves: no hover mark, no balloon delay.
  ASSERT_NE(calendar->Year().HoveredDay(), nullptr);
  SendMessageW(frame_->CalendarHwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(calendar->Year().HoveredDay(), nullptr);
  EXPECT_FALSE(calendar->TooltipTimerRunning());
  EXPECT_EQ(frame_->SelectedDate(), kClicked);
}

} // namespace
} // namespace frametest
