// The main window by keyboard alone: key messages go where the keyboard
// sends them (the focused window) and pass the program's message loop, as
// typed keys do.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "env/wide_win32.h"
#include "resources/pane_ids.h"
#include "resources/resource.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "ui/panes/pane_legend_win32.h"
#include "ui/panes/pane_period_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace keyboard_test {

std::wstring TextOf(HWND hwnd) {
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  return text;
}

class KeyboardTest : public FrameTest {
protected:
  void OpenFocusedFrame() {
    OpenFrame();
    SetForegroundWindow(frame_->Hwnd());
    ASSERT_TRUE(
        WaitUntil([&] { return GetFocus() == frame_->CalendarHwnd(); }, 3000))
        << "the calendar has the focus in a new window";
  }

  // Every waiting message through the program's loop: its filters and
  // dialogs first, then translation and dispatch.
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (loop_.PreTranslate(msg))
        continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  // A key pressed and released at the focused window; shift held if asked.
  void Press(UINT key, bool shift = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    const HWND target = GetFocus();
    const UINT down = key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = key == VK_F10 ? WM_SYSKEYUP : WM_KEYUP;
    PostMessageW(target, down, key, 1);
    PostMessageW(target, up, key, static_cast<LPARAM>(0xC0000001u));
    Pump();
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
  }

  // Alt with a letter, as the keyboard delivers it after translation.
  void AltLetter(wchar_t letter) {
    PostMessageW(GetFocus(), WM_SYSCHAR, letter, 0x20000001);
    Pump();
  }

  // The cell of a date in the view shown now, in calendar coordinates.
  RECT CellOf(const PackedDate &date) const {
    for (const MonthLayout &month : frame_->Calendar()->Year().Months()) {
      for (const DayCell &cell : month.days) {
        if (cell.Date() == date)
          return RECT{cell.rect.left, cell.rect.top, cell.rect.right,
                      cell.rect.bottom};
      }
    }
    ADD_FAILURE() << "not shown: " << FormatDate(date);
    return RECT{};
  }

  // What the Day pane says of the day it describes.
  std::wstring DayPaneText() const {
    return TextOf(GetDlgItem(frame_->Panes().Day()->Hwnd(), IDC_INFO_TEXT));
  }

  static std::wstring Describe(HWND hwnd) {
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    return std::wstring(cls) + L" " + std::to_wstring(GetDlgCtrlID(hwnd)) +
           L" \"" + TextOf(hwnd) + L"\"";
  }
  static std::vector<std::wstring> Describe(const std::vector<HWND> &windows) {
    std::vector<std::wstring> out;
    for (const HWND w : windows)
      out.push_back(Describe(w));
    return out;
  }
};

TEST_F(KeyboardTest,
       TabVisitsBackNextTheCalendarAndEveryPaneControlInReadingOrder) {
  options_.goal = 0; // Birth and the boy and girl entries are hidden
  OpenFocusedFrame();
  const HWND goal = frame_->Panes().Goal()->Hwnd();
  const HWND info = frame_->Panes().Day()->Hwnd();
  const HWND period = frame_->Panes().Period()->Hwnd();
  const HWND legend = frame_->Panes().Legend()->Hwnd();
  const std::vector<HWND> cycle = {GetDlgItem(goal, IDC_GOAL_AVOID),
                                   GetDlgItem(goal, IDC_GOAL_STATISTIC),
                                   GetDlgItem(goal, IDC_GOAL_MYCYCLES),
                                   GetDlgItem(info, IDC_INFO_TODAY),
                                   GetDlgItem(info, IDC_INFO_CLASS),
                                   GetDlgItem(info, IDC_INFO_TEMPERATURE),
                                   GetDlgItem(info, IDC_INFO_PERIOD),
                                   GetDlgItem(period, IDC_PERIOD_AUTO),
                                   GetDlgItem(legend, IDC_LEGEND_FLOW),
                                   GetDlgItem(legend, IDC_LEGEND_PROGNOZE),
                                   GetDlgItem(legend, IDC_LEGEND_NFERTILE),
                                   GetDlgItem(legend, IDC_LEGEND_FERTILE),
                                   GetDlgItem(legend, IDC_LEGEND_LFERTILE),
                                   GetDlgItem(legend, IDC_LEGEND_OVULATION),
                                   GetDlgItem(legend, IDC_LEGEND_PILL),
                                   GetDlgItem(legend, IDC_LEGEND_PAIN),
                                   GetDlgItem(legend, IDC_LEGEND_SEX),
                                   GetDlgItem(legend, IDC_LEGEND_DISTURBED),
                                   GetDlgItem(legend, IDC_LEGEND_NOTE),
                                   GetDlgItem(legend, IDC_LEGEND_MOOD),
                                   frame_->Calendar()->BackButtonHwnd(),
                                   frame_->Calendar()->NextButtonHwnd(),
                                   frame_->CalendarHwnd()};
  for (const HWND w : cycle)
    ASSERT_NE(w, nullptr);

  std::vector<HWND> forward;
  for (size_t i = 0; i < cycle.size(); ++i) {
    Press(VK_TAB);
    forward.push_back(GetFocus());
  }
  EXPECT_EQ(Describe(forward), Describe(cycle));

  // Shift+Tab goes back the same way.
  std::vector<HWND> expectedBack(cycle.rbegin() + 1, cycle.rend());
  expectedBack.push_back(frame_->CalendarHwnd());
  std::vector<HWND> backward;
  for (size_t i = 0; i < cycle.size(); ++i) {
    Press(VK_TAB, true);
    backward.push_back(GetFocus());
  }
  EXPECT_EQ(Describe(backward), Describe(expectedBack));

  // In manual mode the two lists are reached too, after their radio button.
  SendMessageW(period, WM_COMMAND, MAKEWPARAM(IDC_PERIOD_MANUAL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(period, IDC_PERIOD_MANUAL)));
  SendMessageW(GetDlgItem(period, IDC_PERIOD_MANUAL), BM_CLICK, 0, 0);
  Pump();
  SetFocus(GetDlgItem(info, IDC_INFO_PERIOD));
  std::vector<HWND> manual;
  for (int i = 0; i < 4; ++i) {
    Press(VK_TAB);
    manual.push_back(GetFocus());
  }
  EXPECT_EQ(Describe(manual), Describe({GetDlgItem(period, IDC_PERIOD_MANUAL),
                                        GetDlgItem(period, IDC_PERIOD_CYCLE),
                                        GetDlgItem(period, IDC_PERIOD_LUTEAL),
                                        GetDlgItem(legend, IDC_LEGEND_FLOW)}));
}

TEST_F(KeyboardTest, SpaceOnBackAndNextPagesTheCalendar) {
  OpenFocusedFrame();
  const AFCYearSelectWnd &calendar = *frame_->Calendar();
  ASSERT_EQ(calendar.Year().FirstMonthIndex(), 5); // June
  SetFocus(calendar.NextButtonHwnd());
  Press(VK_SPACE);
  EXPECT_EQ(calendar.Year().FirstMonthIndex(), 6);
  Press(VK_TAB, true);
  ASSERT_EQ(GetFocus(), calendar.BackButtonHwnd());
  Press(VK_SPACE);
  Press(VK_RETURN);
  EXPECT_EQ(calendar.Year().FirstMonthIndex(), 4);
  // The tab stops lie over the painted buttons, and the mouse goes through
  // them.
  RECT back{};
  GetWindowRect(calendar.BackButtonHwnd(), &back);
  MapWindowPoints(nullptr, frame_->CalendarHwnd(),
                  reinterpret_cast<POINT *>(&back), 2);
  const Rect painted = calendar.Year().BackButton();
  EXPECT_EQ((Rect{back.left, back.top, back.right, back.bottom}), painted);
  POINT centre{(back.left + back.right) / 2, (back.top + back.bottom) / 2};
  ClientToScreen(frame_->CalendarHwnd(), &centre);
  EXPECT_EQ(WindowFromPoint(centre), frame_->CalendarHwnd());
}

TEST_F(KeyboardTest, ArrowsPagesAndHomeMoveTheSelectedDayAndTheDayPaneFollows) {
  OpenFocusedFrame();
  const AFCYearSelectWnd &calendar = *frame_->Calendar();
  struct Step {
    UINT key;
    PackedDate selected;
    int firstMonthIndex; // of the view afterwards
    const wchar_t *paneStart;
  };
  const Step steps[] = {
      {VK_RIGHT, {16, 6, 2024}, 5, L"Sunday, 16.06.2024"},
      {VK_DOWN, {23, 6, 2024}, 5, L"Sunday, 23.06.2024"},
      {VK_LEFT, {22, 6, 2024}, 5, L"Saturday, 22.06.2024"},
      {VK_UP, {15, 6, 2024}, 5, L"Saturday, 15.06.2024"},
      {VK_PRIOR,
       {15, 5, 2024},
       4,
       L"Wednesday, 15.05.2024"}, // May is before the view: it pages back
      {VK_NEXT, {15, 6, 2024}, 4, L"Saturday, 15.06.2024"},
      {VK_NEXT, {15, 7, 2024}, 4, L"Monday, 15.07.2024"},
      {VK_NEXT, {15, 8, 2024}, 4, L"Thursday, 15.08.2024"},
      {VK_NEXT,
       {15, 9, 2024},
       5,
       L"Sunday, 15.09.2024"}, // past August: one page on
      {VK_HOME, {15, 6, 2024}, 5, L"Saturday, 15.06.2024"},
  };
  for (const Step &s : steps) {
    SCOPED_TRACE(FormatDate(s.selected));
    Press(s.key);
    EXPECT_EQ(FormatDate(frame_->SelectedDate()), FormatDate(s.selected));
    EXPECT_EQ(calendar.Year().FirstMonthIndex(), s.firstMonthIndex);
    EXPECT_EQ(DayPaneText().rfind(s.paneStart, 0), 0u)
        << ToUtf8(FromWide(DayPaneText()));
  }
  // A month on from the 31st ends on the next month's last day.
  RightClickDay(PackedDate(31, 8, 2024));
  Press(VK_NEXT);
  EXPECT_EQ(FormatDate(frame_->SelectedDate()), "30.09.2024");
  // The keyboard keeps the focus in the calendar all along.
  EXPECT_EQ(GetFocus(), frame_->CalendarHwnd());
}

TEST_F(KeyboardTest,
       EnterAndTheMenuKeyOpenTheDayMenuOfTheSelectedDayAtItsCell) {
  OpenFocusedFrame();
  Press(VK_RIGHT);
  Press(VK_RIGHT); // 17 June
  const auto expectMenuAtCell = [&](const PackedDate &date, const char *how) {
    ASSERT_FALSE(menus_.empty()) << how;
    const std::vector<UINT> ids = Ids(menus_.back());
    EXPECT_NE(std::find(ids.begin(), ids.end(), UINT{ID_DAY_SEX}), ids.end())
        << how;
    const RECT cell = CellOf(date);
    POINT corner{cell.left, cell.bottom};
    ClientToScreen(frame_->CalendarHwnd(), &corner);
    EXPECT_EQ(menuPoints_.back().x, corner.x) << how;
    EXPECT_EQ(menuPoints_.back().y, corner.y) << how;
  };

  menuAnswer_ = ID_DAY_SEX;
  Press(VK_RETURN);
  ASSERT_EQ(menus_.size(), 1u);
  expectMenuAtCell(PackedDate(17, 6, 2024), "Enter");
  Pump(); // the chosen command arrives as a command
  auto day = Stored(PackedDate(17, 6, 2024));
  ASSERT_TRUE(day);
  EXPECT_TRUE(day->sex);
  EXPECT_FALSE(Stored(PackedDate(15, 6, 2024)));

  // The menu key (once for its press and release), Shift+F10 and a
  // keyboard's context-menu request without a point.
  menuAnswer_ = 0;
  Press(VK_DOWN); // 24 June
  Press(VK_APPS);
  ASSERT_EQ(menus_.size(), 2u);
  expectMenuAtCell(PackedDate(24, 6, 2024), "menu key");
  Press(VK_F10, true);
  ASSERT_EQ(menus_.size(), 3u);
  expectMenuAtCell(PackedDate(24, 6, 2024), "Shift+F10");
  SendMessageW(GetFocus(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetFocus()),
               MAKELPARAM(-1, -1));
  ASSERT_EQ(menus_.size(), 4u);
  // A right click's own context menu message opens no second menu.
  POINT somewhere{10, 10};
  ClientToScreen(frame_->CalendarHwnd(), &somewhere);
  SendMessageW(GetFocus(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetFocus()),
               MAKELPARAM(somewhere.x, somewhere.y));
  EXPECT_EQ(menus_.size(), 4u);
}

TEST_F(KeyboardTest, AltAndATitlesLetterOpensThatBandMenu) {
  OpenFocusedFrame();
  const struct {
    wchar_t letter;
    int title;
    UINT firstId;
  } cases[] = {{L'f', 0, ID_FILE_LOGOUT},
               {L'N', 1, ID_NAVIGATE_NEXT},
               {L'r', 2, ID_REPORTS_STATISTIC},
               {L'h', 3, ID_HELP_CONTENTS}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.title);
    const size_t before = menus_.size();
    AltLetter(c.letter);
    ASSERT_EQ(menus_.size(), before + 1);
    ASSERT_FALSE(menus_.back().empty());
    EXPECT_EQ(menus_.back()[0].id, c.firstId);
    const BandRect &r = frame_->Band().Layout().rects[static_cast<size_t>(c.title)];
    POINT at{r.left, r.bottom + 4};
    ClientToScreen(frame_->Hwnd(), &at);
    EXPECT_EQ(menuPoints_.back().x, at.x);
    EXPECT_EQ(menuPoints_.back().y, at.y);
  }
  // From a pane's control too; a letter no title has opens nothing.
  SetFocus(GetDlgItem(frame_->Panes().Legend()->Hwnd(), IDC_LEGEND_FLOW));
  AltLetter(L'r');
  ASSERT_FALSE(menus_.empty());
  EXPECT_EQ(menus_.back()[0].id, UINT{ID_REPORTS_STATISTIC});
  const size_t before = menus_.size();
  AltLetter(L'q');
  EXPECT_EQ(menus_.size(), before);
  // F10 (or Alt alone) opens the first title's menu, as on a menu bar.
  Press(VK_F10);
  ASSERT_EQ(menus_.size(), before + 1);
  EXPECT_EQ(menus_.back()[0].id, UINT{ID_FILE_LOGOUT});
  // The command chosen from a menu opened by the keyboard runs.
  menuAnswer_ = ID_NAVIGATE_NEXT;
  SetFocus(frame_->CalendarHwnd());
  AltLetter(L'n');
  EXPECT_EQ(frame_->Calendar()->Year().FirstMonthIndex(), 6);
}

// With the real menu: Enter's own character must not close the menu it opens.
TEST_F(KeyboardTest, TheDayMenuOpenedByEnterStaysOpenUntilAChoice) {
  static bool openWhenAsked = false;
  static bool asked = false;
  openWhenAsked = asked = false;
  adjustContext_ = [this](FrameContext &context) {
    context.prompts.trackMenu = [this](HMENU menu, UINT flags, POINT at,
                                       HWND owner) -> UINT {
      menus_.push_back(ReadMenu(menu));
      const UINT_PTR timer =
          SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            asked = true;
            // Inside the menu's loop, the menu is there to end.
            openWhenAsked = EndMenu() != FALSE;
          });
      const UINT chosen =
          TrackPopupMenuEx(menu, flags, at.x, at.y, owner, nullptr);
      KillTimer(nullptr, timer);
      return chosen;
    };
  };
  OpenFocusedFrame();
  Press(VK_RETURN);
  ASSERT_EQ(menus_.size(), 1u);
  EXPECT_TRUE(asked) << "the menu closed before the test could look at it";
  EXPECT_TRUE(openWhenAsked);
}

// Reads the calendar's pixels on screen on one rectangle's top edge (its
// paint buffer is given back while the mouse is elsewhere).
int DarkPixelsOnTopEdge(HWND window, const Rect &r, int inset) {
  const HDC dc = GetDC(window);
  int dark = 0;
  for (int x = r.left + inset; x < r.right - inset; ++x) {
    if (GetPixel(dc, x, r.top + inset) == RGB(0, 0, 0))
      ++dark;
  }
  ReleaseDC(window, dc);
  return dark;
}

TEST_F(KeyboardTest, TheFocusedDayAndTheFocusedButtonCarryAVisibleCue) {
  OpenFocusedFrame();
  const AFCYearSelectWnd &calendar = *frame_->Calendar();
  const auto repaint = [&] {
    RedrawWindow(frame_->CalendarHwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
  };
  Press(VK_RIGHT);
  repaint();
  const Rect cell = calendar.Year().SelectedCell()->rect;
  EXPECT_GT(DarkPixelsOnTopEdge(frame_->CalendarHwnd(), cell, 3), 2)
      << "the focused day";
  EXPECT_EQ(
      DarkPixelsOnTopEdge(frame_->CalendarHwnd(), calendar.Year().BackButton(), 2),
      0);

  Press(VK_TAB, true);
  Press(VK_TAB, true);
  ASSERT_EQ(GetFocus(), calendar.BackButtonHwnd());
  repaint();
  EXPECT_EQ(DarkPixelsOnTopEdge(frame_->CalendarHwnd(), cell, 3), 0)
      << "the calendar lost the focus";
  EXPECT_GT(
      DarkPixelsOnTopEdge(frame_->CalendarHwnd(), calendar.Year().BackButton(), 2),
      2)
      << "Back has it";
}

}  // namespace keyboard_test
} // namespace frametest
