// Moving from one open band menu onto another title opens that title's
// menu, through the menu loop's own messages and without synthetic input.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "resources/resource.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

MSG MouseMessage(HWND hwnd, UINT message, int x, int y) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.lParam = MAKELPARAM(x, y);
  return msg;
}

POINT Centre(const BandRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT ScreenCentre(HWND frame, const BandRect& r) {
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(frame, &p);
  return p;
}

class BandMenuSwitchTest : public FrameTest {
 protected:
  // The real menu loop: each menu shown runs the step for its turn from a
  // timer inside the loop, then the menu is left to that step.
  void UseRealMenus(std::function<void(int turn)> step) {
    step_ = std::move(step);
    adjustContext_ = [this](FrameContext& context) {
      context.prompts.trackMenu = [this](HMENU menu, UINT flags, POINT at, HWND owner) -> UINT {
        shown_.push_back(ReadMenu(menu));
        active_ = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
          KillTimer(nullptr, id);
          if (active_) active_->step_(static_cast<int>(active_->shown_.size()) - 1);
        });
        const UINT chosen = TrackPopupMenuEx(menu, flags, at.x, at.y, owner, nullptr);
        KillTimer(nullptr, timer);
        return chosen;
      };
    };
  }
  static inline BandMenuSwitchTest* active_ = nullptr;
  std::function<void(int)> step_;
  std::vector<std::vector<MenuEntry>> shown_;
};

TEST_F(BandMenuSwitchTest, MovingOntoAnotherTitleWhileAMenuIsOpenOpensThatMenu) {
  UseRealMenus([this](int turn) {
    if (turn == 0) {
      // The mouse message the menu loop gets, in screen coordinates, while
      // the cursor itself is somewhere else: nothing is injected.
      const POINT help = ScreenCentre(frame_->Hwnd(), frame_->Band().Layout().rects[3]);
      PostMessageW(frame_->Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(help.x, help.y));
      // Should the move be missed, the menu still closes and the test fails
      // instead of waiting.
      SetTimer(nullptr, 0, 1500, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        EndMenu();
      });
    } else {
      EndMenu();
    }
  });
  OpenFrame();
  SetCursorPos(5, 1000);
  const POINT file = Centre(frame_->Band().Layout().rects[0]);
  MSG click = MouseMessage(frame_->Hwnd(), WM_LBUTTONDOWN, file.x, file.y);
  RouteMouse(click);
  ASSERT_EQ(shown_.size(), 2u);
  EXPECT_EQ(Ids(shown_[0]), (std::vector<UINT>{ID_FILE_LOGOUT, ID_FILE_CONFIGURE, ID_FILE_PRINTALL, ID_FILE_BACKUP,
                                                 ID_FILE_RESTORE, ID_FILE_EXPORT, ID_FILE_EXIT}));
  EXPECT_EQ(Ids(shown_[1]), (std::vector<UINT>{ID_HELP_CONTENTS, ID_HELP_HOME, ID_HELP_CHECK_NEW_VER,
                                                 ID_HELP_FEEDBACK, ID_APP_ABOUT}));
  EXPECT_FALSE(frame_->MouseRoutingSuspended());
  active_ = nullptr;
}

TEST_F(BandMenuSwitchTest, MovesOverTheOpenTitleOrOutsideTheTitlesKeepTheMenu) {
  UseRealMenus([this](int) {
    const POINT file = ScreenCentre(frame_->Hwnd(), frame_->Band().Layout().rects[0]);
    PostMessageW(frame_->Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(file.x, file.y));
    POINT below = file;
    below.y += 60;
    PostMessageW(frame_->Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(below.x + 400, below.y));
    // The menu closes only when the test says so.
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      EndMenu();
    });
  });
  OpenFrame();
  SetCursorPos(5, 1000);
  const POINT file = Centre(frame_->Band().Layout().rects[0]);
  MSG click = MouseMessage(frame_->Hwnd(), WM_LBUTTONDOWN, file.x, file.y);
  RouteMouse(click);
  EXPECT_EQ(shown_.size(), 1u);
  active_ = nullptr;
}

TEST_F(BandMenuSwitchTest, FromTheKeyboardTheMenuStartsOnItsFirstItemAndTheArrowsGoToTheNeighbours) {
  UseRealMenus([this](int turn) {
    // The menu loop reads the keys the keyboard would send to the window.
    if (turn == 0) {
      PostMessageW(frame_->Hwnd(), WM_KEYDOWN, VK_LEFT, 1);  // from File round to Help
    } else if (turn == 1) {
      PostMessageW(frame_->Hwnd(), WM_KEYDOWN, VK_RIGHT, 1);  // back to File
    } else if (turn == 2) {
      PostMessageW(frame_->Hwnd(), WM_KEYDOWN, VK_RIGHT, 1);  // on to Navigate
    } else {
      PostMessageW(frame_->Hwnd(), WM_KEYDOWN, VK_RETURN, 1);  // its first item, already selected
    }
    SetTimer(nullptr, 0, 1500, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      EndMenu();
    });
  });
  OpenFrame();
  SetCursorPos(5, 1000);
  const int firstShown = frame_->Calendar()->Year().FirstMonthIndex();
  MSG altF{};
  altF.hwnd = frame_->CalendarHwnd();
  altF.message = WM_SYSCHAR;
  altF.wParam = L'f';
  altF.lParam = 0x20000001;
  EXPECT_TRUE(frame_->RouteKeyMessage(altF));
  ASSERT_EQ(shown_.size(), 4u);
  EXPECT_EQ(Ids(shown_[0]), (std::vector<UINT>{ID_FILE_LOGOUT, ID_FILE_CONFIGURE, ID_FILE_PRINTALL, ID_FILE_BACKUP,
                                                ID_FILE_RESTORE, ID_FILE_EXPORT, ID_FILE_EXIT}));
  EXPECT_EQ(Ids(shown_[1]).front(), UINT{ID_HELP_CONTENTS});
  EXPECT_EQ(Ids(shown_[2]).front(), UINT{ID_FILE_LOGOUT});
  EXPECT_EQ(Ids(shown_[3]), (std::vector<UINT>{ID_NAVIGATE_NEXT, ID_NAVIGATE_PREV, ID_NAVIGATE_TODAY}));
  // Enter chose Next month.
  EXPECT_EQ(frame_->Calendar()->Year().FirstMonthIndex(), firstShown + 1);
  EXPECT_FALSE(frame_->MouseRoutingSuspended());
  active_ = nullptr;
}

}  // namespace
}  // namespace frametest
