// The main window on a laptop's 1280 x 720 screen: restored and maximized,
// the calendar with its legend and every pane lie within the work area, and
// maximized the Day pane's tip box shows its whole text.

#include <gtest/gtest.h>

#include "resources/pane_ids.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "ui/panes/pane_legend_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace laptop_screen_test {

constexpr RECT kLaptop{0, 0, 1280, 720};

class LaptopScreenTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    adjustContext_ = [](FrameContext& context) {
      context.monitorAreas = [](HMONITOR, RECT& work, RECT& whole) {
        work = kLaptop;
        whole = kLaptop;
        return true;
      };
    };
  }

  static RECT ScreenRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
  }
  static bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
  }
  static std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
  }

  // The client area, the calendar's months and every pane in screen
  // coordinates lie within the laptop's screen and the window's client area.
  void ExpectEverythingOnScreen() {
    const HWND hwnd = frame_->Hwnd();
    RECT client{};
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(Inside(client, kLaptop)) << Show(client);

    const HWND calendar = frame_->CalendarHwnd();
    for (const MonthLayout& month : frame_->Calendar()->Year().Months()) {
      RECT m{month.bounds.left, month.bounds.top, month.bounds.right, month.bounds.bottom};
      MapWindowPoints(calendar, nullptr, reinterpret_cast<POINT*>(&m), 2);
      EXPECT_TRUE(Inside(m, client)) << "month " << Show(m);
    }
    const HWND bar = frame_->Panes().Bar().Hwnd();
    const RECT barRect = ScreenRectOf(bar);
    EXPECT_TRUE(Inside(barRect, client)) << Show(barRect);
    for (size_t i = 0; i < frame_->Panes().Bar().SectionCount(); ++i) {
      EXPECT_TRUE(frame_->Panes().Bar().IsExpanded(i));
    }
    for (HWND pane = GetWindow(bar, GW_CHILD); pane; pane = GetWindow(pane, GW_HWNDNEXT)) {
      if (!IsWindowVisible(pane)) continue;
      const RECT r = ScreenRectOf(pane);
      EXPECT_TRUE(Inside(r, barRect)) << "pane " << Show(r) << " in bar " << Show(barRect);
    }
    // The legend's last check box is on screen.
    const RECT mood = ScreenRectOf(GetDlgItem(frame_->Panes().Legend()->Hwnd(), IDC_LEGEND_MOOD));
    EXPECT_TRUE(Inside(mood, client)) << Show(mood);
  }

  // All lines of the Day pane's tip box are in view.
  bool TipBoxShowsAllItsText() {
    const HWND edit = GetDlgItem(frame_->Panes().Day()->Hwnd(), IDC_INFO_TEXT);
    const int lines = static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
    const int first = static_cast<int>(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int lastChar = GetWindowTextLengthW(edit) - 1;
    const LRESULT pos = SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(lastChar), 0);
    RECT c{};
    GetClientRect(edit, &c);
    const HDC dc = GetDC(edit);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    const int lastBottom = static_cast<short>(HIWORD(pos)) + tm.tmHeight;
    return lines > 2 && first == 0 && pos != -1 && lastBottom <= c.bottom;
  }

  void PumpAFewMessages() {
    MSG msg;
    for (int i = 0; i < 5; ++i) {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(10);
    }
  }
};

TEST_F(LaptopScreenTest, RestoredAndMaximizedEverythingLiesWithinTheWorkArea) {
  OpenFrame();
  PumpAFewMessages();
  const HWND hwnd = frame_->Hwnd();
  EXPECT_TRUE(Inside(ScreenRectOf(hwnd), kLaptop)) << Show(ScreenRectOf(hwnd));
  {
    SCOPED_TRACE("restored");
    ExpectEverythingOnScreen();
  }
  ShowWindow(hwnd, SW_MAXIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(hwnd) != FALSE; }, 5000));
  PumpAFewMessages();
  {
    SCOPED_TRACE("maximized");
    ExpectEverythingOnScreen();
  }
}

// A long note makes a long text: maximized on a tall screen the box grows to
// show it all; on the laptop it keeps at least two lines and the panes fit.
TEST_F(LaptopScreenTest, TheTipBoxTakesTheHeightThePanesLeave) {
  ASSERT_EQ(model_->StoreDay(Day(kToday, false, false, false, false, false, false, 0.0,
                                 u"A longer note about today, written so that it needs a few lines of the box.")),
            SaveResult::kDone);
  adjustContext_ = [](FrameContext& context) {
    context.monitorAreas = [](HMONITOR, RECT& work, RECT& whole) {
      work = whole = RECT{0, 0, 1280, 1000};
      return true;
    };
  };
  OpenFrame();
  ShowWindow(frame_->Hwnd(), SW_MAXIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(frame_->Hwnd()) != FALSE; }, 5000));
  PumpAFewMessages();
  EXPECT_TRUE(TipBoxShowsAllItsText());
  const PaneHeights heights = frame_->Panes().Day()->Heights();
  RECT pane{};
  GetWindowRect(frame_->Panes().Day()->Hwnd(), &pane);
  EXPECT_EQ(pane.bottom - pane.top, heights.wanted);
  EXPECT_GT(heights.wanted, heights.least);
}

}  // namespace laptop_screen_test
}  // namespace frametest
