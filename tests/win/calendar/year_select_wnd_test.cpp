#include "ui/calendar/year_select_wnd_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "calendar_fixture.h"
#include "env/wide_win32.h"
#include "model/day_class.h"
#include "ui/calendar/day_balloon_text.h"
#include "win/support/wait_win32.h"

namespace caltest {
namespace {

constexpr wchar_t kHostClass[] = L"TamarelCalendarTestHost";

class CalendarWindowTest : public CalendarTest {
protected:
  void SetUp() override {
    CalendarTest::SetUp();
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassExW(&wc); // a second registration fails harmlessly
    hostWindow_ = CreateWindowExW(0, kHostClass, L"calendar host", WS_POPUP, 0,
                                  0, 1000, 797, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hostWindow_, nullptr);
    GetClientRect(hostWindow_, &host_.area);
    // The re-hit test of a mouse move that missed every day asks where the
    // cursor really is: keep it off the window.
    SetCursorPos(1270, 1010);
  }
  void TearDown() override {
    control_.reset();
    if (hostWindow_)
      DestroyWindow(hostWindow_);
  }

  // Only a shown window collects an update region (and a shown window
  // costs Wine about two seconds to take down without a window manager).
  void ShowHost() { ShowWindow(hostWindow_, SW_SHOWNA); }
  void OpenControl() {
    control_ = std::make_unique<AFCYearSelectWnd>(host_, *model_, options_,
                                                  locale_, clock_);
    ASSERT_TRUE(control_->CreateControl(RECT{0, 97, 1000, 797}, hostWindow_));
    control_->OnHostSize();
  }
  HWND Hwnd() const { return control_->Hwnd(); }
  const DayCell &Cell(const PackedDate &date) const {
    const DayCell *cell = CellOf(control_->Year(), date);
    EXPECT_NE(cell, nullptr) << "not shown";
    static const DayCell none;
    return cell ? *cell : none;
  }
  void Send(UINT msg, POINT p, WPARAM wp = 0) {
    SendMessageW(Hwnd(), msg, wp, MAKELPARAM(p.x, p.y));
  }
  void MoveTo(POINT p) { Send(WM_MOUSEMOVE, p); }
  void Click(POINT p) {
    Send(WM_LBUTTONDOWN, p, MK_LBUTTON);
    Send(WM_LBUTTONUP, p);
  }
  std::pair<int, int> Page() const {
    return {control_->Year().Year(), control_->Year().FirstMonthIndex()};
  }

  FakeHost host_;
  HWND hostWindow_ = nullptr;
  std::unique_ptr<AFCYearSelectWnd> control_;
};

TEST_F(CalendarWindowTest, SitsBelowTheBandAndNeverErases) {
  OpenControl();
  EXPECT_EQ(GetDlgCtrlID(Hwnd()), AFCYearSelectWnd::kControlId);
  RECT placed{};
  GetWindowRect(Hwnd(), &placed);
  MapWindowPoints(nullptr, hostWindow_, reinterpret_cast<POINT *>(&placed), 2);
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 97);
  EXPECT_EQ(placed.right, 1000);
  EXPECT_EQ(placed.bottom, 797);
  // Width rounded down to a multiple of 14, plus 9; height without the band.
  EXPECT_EQ(control_->Year().Bounds(), (Rect{0, 0, 1003, 700}));
  EXPECT_EQ(control_->Year().Months().size(), 4u);

  const auto style = static_cast<UINT>(GetClassLongPtrW(Hwnd(), GCL_STYLE));
  EXPECT_EQ(style & (CS_HREDRAW | CS_VREDRAW),
            static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(GetClassLongPtrW(Hwnd(), GCLP_HBRBACKGROUND), 0);
  ClientDC dc(Hwnd());
  EXPECT_EQ(SendMessageW(Hwnd(), WM_ERASEBKGND,
                         reinterpret_cast<WPARAM>(dc.Get()), 0),
            TRUE);

  // The host shrinks: the control follows its calendar area.
  SetWindowPos(hostWindow_, nullptr, 0, 0, 800, 697, SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(hostWindow_, &host_.area);
  control_->OnHostSize();
  GetClientRect(Hwnd(), &placed);
  EXPECT_EQ(placed.right, 800);
  EXPECT_EQ(placed.bottom, 600);
  EXPECT_EQ(control_->Year().Bounds(), (Rect{0, 0, 807, 600}));
  EXPECT_EQ(control_->Year().MonthWidth(), (807 - 20) / 2);
}

TEST_F(CalendarWindowTest, PagingCrossesTheYearEndAndRepaints) {
  clock_.Set(PackedDate(20, 11, 2024));
  ShowHost();
  OpenControl();
  EXPECT_EQ(Page(), std::make_pair(2024, 10)); // November to February
  EXPECT_EQ(control_->Year().Months()[3].year, 2025);

  UpdateWindow(Hwnd());
  control_->ShowNextMonth();
  EXPECT_EQ(Page(), std::make_pair(2025, 0));
  EXPECT_TRUE(GetUpdateRect(Hwnd(), nullptr, FALSE)); // invalidated
  control_->ShowPreviousMonth();
  EXPECT_EQ(Page(), std::make_pair(2024, 8));
  control_->ShowPreviousMonth();
  EXPECT_EQ(Page(), std::make_pair(2024, 7));
  control_->ShowToday();
  EXPECT_EQ(Page(), std::make_pair(2024, 10));
}

TEST_F(CalendarWindowTest, BackAndNextPageOnlyWhileTheHostIsActive) {
  OpenControl();
  const POINT back = Centre(control_->Year().BackButton());
  const POINT next = Centre(control_->Year().NextButton());
  ASSERT_GT(control_->Year().BackButton().Width(), 0);
  ASSERT_EQ(Page(), std::make_pair(2024, 5));

  Click(next);
  Click(next);
  EXPECT_EQ(Page(), std::make_pair(2024, 7));
  Click(back);
  EXPECT_EQ(Page(), std::make_pair(2024, 6));

  host_.active = false;
  Click(next);
  Click(Centre(Cell(PackedDate(20, 7, 2024)).rect));
  EXPECT_EQ(Page(), std::make_pair(2024, 6));
  EXPECT_TRUE(host_.menuCells.empty());

  // Buttons are placed by painting too, at the same place.
  const Rect before = control_->Year().NextButton();
  SendMessageW(Hwnd(), WM_PAINT, 0, 0);
  UpdateWindow(Hwnd());
  EXPECT_EQ(control_->Year().NextButton(), before);
}

TEST_F(CalendarWindowTest, ClickOnADayAsksTheHostForItsMenu) {
  OpenControl();
  const DayCell &july20 = Cell(PackedDate(20, 7, 2024));
  Click(Centre(july20.rect));
  ASSERT_EQ(host_.menuCells.size(), 1u);
  EXPECT_EQ(host_.menuWindows[0], Hwnd());
  EXPECT_EQ(FromRect(host_.menuCells[0]), july20.rect);
  EXPECT_EQ(control_->SelectedDate(), PackedDate(20, 7, 2024));
  EXPECT_FALSE(
      control_->TooltipTimerRunning()); // a clicked day gets no balloon

  // The right button works whether or not the host is active.
  host_.active = false;
  const DayCell &june1 = Cell(PackedDate(1, 6, 2024));
  Send(WM_RBUTTONDOWN, POINT{june1.rect.left, june1.rect.top},
       MK_RBUTTON); // the corner belongs to the cell
  ASSERT_EQ(host_.menuCells.size(), 2u);
  EXPECT_EQ(FromRect(host_.menuCells[1]), june1.rect);
  EXPECT_EQ(control_->SelectedDate(), PackedDate(1, 6, 2024));

  // Off the days (the header, the line between two weeks, an empty place):
  // nothing.
  Send(WM_RBUTTONDOWN, POINT{500, 10});
  Send(WM_RBUTTONDOWN, POINT{june1.rect.left + 5, june1.rect.bottom});
  Send(WM_RBUTTONDOWN, Centre(control_->Year().Months()[0].WeekCell(0, 0)));
  EXPECT_EQ(host_.menuCells.size(), 2u);
  EXPECT_EQ(control_->SelectedDate(), PackedDate(1, 6, 2024));
}

TEST_F(CalendarWindowTest, BalloonDelayStartsOncePerDay) {
  OpenControl();
  const DayCell &a = Cell(PackedDate(10, 6, 2024));
  const DayCell &b = Cell(PackedDate(11, 6, 2024));
  MoveTo(POINT{a.rect.left + 2, a.rect.top + 2});
  MoveTo(Centre(a.rect));
  MoveTo(POINT{a.rect.right - 1, a.rect.bottom - 1});
  EXPECT_TRUE(control_->TooltipTimerRunning());
  EXPECT_EQ(control_->TooltipTimerStarts(), 1);

  MoveTo(Centre(b.rect));
  EXPECT_EQ(control_->TooltipTimerStarts(), 2);

  // Off every day: the delay stops, the last day stays marked.
  MoveTo(POINT{500, 10});
  EXPECT_FALSE(control_->TooltipTimerRunning());
  ASSERT_NE(control_->Year().HoveredDay(), nullptr);
  EXPECT_EQ(control_->Year().HoveredDay()->Date(), b.Date());

  // Back onto the same day after leaving: a fresh delay.
  MoveTo(Centre(b.rect));
  EXPECT_EQ(control_->TooltipTimerStarts(), 3);
  EXPECT_TRUE(control_->TooltipTimerRunning());
}

// The balloon's text as the tooltip control holds it.
std::wstring BalloonText(HWND tip, HWND owner) {
  wchar_t buffer[1100] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner;
  tool.uId = 1;
  tool.lpszText = buffer;
  SendMessageW(tip, TTM_GETTEXTW, 1100, reinterpret_cast<LPARAM>(&tool));
  return buffer;
}

TEST_F(CalendarWindowTest, BalloonShowsTheClassTipAndNoteOfTheHoveredDay) {
  MarkCycle();
  const PackedDate flowDay(4, 6, 2024);
  StoreMarks(flowDay, false, false, u"cramps");
  ASSERT_EQ(model_->GetDayClass(flowDay), FlowSecondDay);
  OpenControl();

  MoveTo(Centre(Cell(flowDay).rect));
  SendMessageW(Hwnd(), WM_TIMER, AFCYearSelectWnd::kTooltipTimerId, 0);
  const HWND first = control_->BalloonHwnd();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_FALSE(control_->TooltipTimerRunning()); // fires once per day
  EXPECT_EQ(control_->Balloon().Title(), L"Menstrual flow");
  const std::wstring text = BalloonText(first, Hwnd());
  EXPECT_EQ(text, control_->Balloon().Text());
  EXPECT_EQ(text.substr(0, 1), L" ");
  EXPECT_NE(
      text.find(ToWide(WrapDayTip(model_->GetTip(flowDay, FlowSecondDay)))),
      std::wstring::npos);
  EXPECT_NE(text.find(L"\n\nNote:\ncramps"), std::wstring::npos);

  // The next day's balloon replaces this one.
  const PackedDate plainDay(20, 6, 2024);
  MoveTo(Centre(Cell(plainDay).rect));
  SendMessageW(Hwnd(), WM_TIMER, AFCYearSelectWnd::kTooltipTimerId, 0);
  const HWND second = control_->BalloonHwnd();
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(BalloonText(second, Hwnd()).find(L"Note"), std::wstring::npos);

  // Leaving every day closes it.
  MoveTo(POINT{500, 10});
  EXPECT_EQ(control_->BalloonHwnd(), nullptr);
  EXPECT_FALSE(IsWindow(second));
}

// An empty calendar claims nothing: the balloon names the day and says no
// period is marked, never that she is not fertile; painting is unchanged.
TEST_F(CalendarWindowTest, BalloonOfAnEmptyCalendarClaimsNoInfertility) {
  OpenControl();
  for (const PackedDate day :
       {PackedDate(20, 6, 2024), kToday, PackedDate(2, 7, 2024)}) {
    MoveTo(Centre(Cell(day).rect));
    SendMessageW(Hwnd(), WM_TIMER, AFCYearSelectWnd::kTooltipTimerId, 0);
    ASSERT_NE(control_->BalloonHwnd(), nullptr) << FormatDate(day);
    EXPECT_EQ(control_->Balloon().Title(), L"No period marked yet");
    const std::wstring text = BalloonText(control_->BalloonHwnd(), Hwnd());
    EXPECT_NE(text.find(ToWide(FormatDateU16(day))), std::wstring::npos)
        << text;
    EXPECT_EQ(text.find(L"fertile"), std::wstring::npos) << text;
    EXPECT_EQ(model_->GetDayClass(day), LowFertile);
  }
}

// Her period, expected on 1 July, is 9 days late on 10 July: no day from
// 1 July on is told as infertile.
TEST_F(CalendarWindowTest, BalloonTellsALatePeriod) {
  MarkCycle(); // 3 June, 28-day cycles by default: 1 July expected
  clock_.Set(PackedDate(10, 7, 2024));
  OpenControl();
  for (const PackedDate day :
       {PackedDate(10, 7, 2024), PackedDate(3, 7, 2024)}) {
    MoveTo(Centre(Cell(day).rect));
    SendMessageW(Hwnd(), WM_TIMER, AFCYearSelectWnd::kTooltipTimerId, 0);
    ASSERT_NE(control_->BalloonHwnd(), nullptr);
    EXPECT_EQ(control_->Balloon().Title(), L"Your period is 9 days late")
        << FormatDate(day);
    EXPECT_EQ(control_->Balloon().Text().find(L"fertile"), std::wstring::npos);
  }
}

TEST_F(CalendarWindowTest, BalloonOpensOneSecondAfterTheMouseStops) {
  OpenControl();
  MoveTo(Centre(Cell(PackedDate(20, 6, 2024)).rect));
  const ULONGLONG start = GetTickCount64();
  ASSERT_TRUE(
      WaitUntil([&] { return control_->BalloonHwnd() != nullptr; }, 5000));
  EXPECT_GE(GetTickCount64() - start, 900u);
  EXPECT_FALSE(control_->TooltipTimerRunning());
}

TEST_F(CalendarWindowTest, MouseMovePaintsTheHoveredDay) {
  ShowHost();
  OpenControl();
  UpdateWindow(Hwnd());
  const DayCell &target =
      Cell(PackedDate(24, 7, 2024)); // no data: low fertility, white
  MoveTo(Centre(target.rect));
  Canvas canvas(1000, 700);
  ASSERT_TRUE(canvas.Ok());
  SendMessageW(Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()),
               PRF_CLIENT);
  EXPECT_EQ(canvas.At(Plain(target).x, Plain(target).y), RGB(255, 255, 235));
  const DayCell &other = Cell(PackedDate(25, 7, 2024));
  EXPECT_EQ(canvas.At(Plain(other).x, Plain(other).y), RGB(255, 255, 255));
  EXPECT_TRUE(
      GetUpdateRect(Hwnd(), nullptr, FALSE)); // the move asked for a repaint

  // A picture for people: TAMAREL_CALENDAR_SHOT=path saves the view as BMP.
  wchar_t shot[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TAMAREL_CALENDAR_SHOT", shot, MAX_PATH)) {
    MarkCycle();
    StoreMarks(PackedDate(10, 6, 2024), true, false, u"note");
    SendMessageW(Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()),
                 PRF_CLIENT);
    EXPECT_TRUE(canvas.Save(shot));
  }
}

} // namespace
} // namespace caltest
