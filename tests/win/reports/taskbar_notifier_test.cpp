// The sliding popup on its own: the slide against each taskbar edge, a new
// text in every state, hover, the click, the skin and its region; the tray
// position watcher; the chime in the built program.

#include "ui/widgets/taskbar_notifier_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "resources/image_ids.h"
#include "ui/reminders/alert_sound_win32.h"
#include "ui/widgets/tray_position_watcher_win32.h"
#include "win/frame/frame_fixture.h"
#include "win/support/wait_win32.h"

namespace {

using frametest::ProgramResources;

// Sets the work area for one test and puts the old one back.
class WorkAreaGuard {
 public:
  explicit WorkAreaGuard(RECT area) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &old_, 0);
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0);
  }
  ~WorkAreaGuard() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &old_, 0); }
  WorkAreaGuard(const WorkAreaGuard&) = delete;
  WorkAreaGuard& operator=(const WorkAreaGuard&) = delete;

 private:
  RECT old_{};
};

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

class NotifierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(ProgramResources(), nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"NotifierTestOwner";
    RegisterClassW(&wc);
    owner_ = CreateWindowExW(0, L"NotifierTestOwner", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_TRUE(popup_.CreatePopup(owner_));
    ASSERT_TRUE(popup_.LoadSkin(ProgramResources(), IDB_POPUP_SMALL, -1, -1, -1));
    popup_.SetFonts(L"Arial", 90, 0, CTaskbarNotifier::kUnderline);
    popup_.SetTextColours(RGB(0, 0, 0), RGB(0, 0, 200));
    popup_.SetTextArea(RECT{10, 40, 240, 99});
    screen_ = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  void TearDown() override {
    popup_.HidePopup();
    DestroyWindow(owner_);
  }

  bool WaitFor(CTaskbarNotifier::State state, DWORD ms = 5000) {
    return WaitUntil([&] { return popup_.GetState() == state; }, ms);
  }

  HWND owner_ = nullptr;
  CTaskbarNotifier popup_;
  SIZE screen_{};
};

TEST_F(NotifierTest, SlidesUpAtTheBottomRightStaysAndSlidesBack) {
  const WorkAreaGuard work(RECT{0, 0, screen_.cx, screen_.cy - 40});
  EXPECT_EQ(popup_.SkinSize().cx, 250);
  EXPECT_EQ(popup_.SkinSize().cy, 109);
  EXPECT_FALSE(popup_.HasRegion());
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));

  popup_.ShowText(L"2 days left before menstruation", 0, 400, 0);
  EXPECT_EQ(popup_.Plan().edge, TaskbarEdge::kBottom);
  EXPECT_EQ(popup_.Plan().start, (SlidePoint{screen_.cx - 250, screen_.cy - 40}));
  EXPECT_TRUE(IsWindowVisible(popup_.Hwnd()));
  // Owned by the frame, never on top of everything, never active.
  EXPECT_EQ(GetWindow(popup_.Hwnd(), GW_OWNER), owner_);
  EXPECT_EQ(GetWindowLongW(popup_.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_NE(GetActiveWindow(), popup_.Hwnd());

  ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kSlidingIn));
  // Part way: the top is below the shown place and above the work area's bottom.
  bool partWay = false;
  WaitUntil([&] {
    const RECT r = WindowRect(popup_.Hwnd());
    if (r.top < screen_.cy - 40 && r.top > screen_.cy - 40 - 109) partWay = true;
    return partWay || popup_.GetState() != CTaskbarNotifier::State::kSlidingIn;
  }, 5000);
  EXPECT_TRUE(partWay);
  ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kStaying));
  const RECT shown = WindowRect(popup_.Hwnd());
  EXPECT_EQ(shown.left, screen_.cx - 250);
  EXPECT_EQ(shown.top, screen_.cy - 40 - 109);
  EXPECT_EQ(shown.right - shown.left, 250);
  EXPECT_EQ(shown.bottom - shown.top, 109);

  ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kSlidingOut));
  ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kHidden));
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));
}

TEST_F(NotifierTest, LeftAndTopTaskbarsMoveTheStart) {
  {
    const WorkAreaGuard work(RECT{60, 0, screen_.cx, screen_.cy});
    popup_.ShowText(L"left", 0, 200, 0);
    EXPECT_EQ(popup_.Plan().edge, TaskbarEdge::kLeft);
    EXPECT_EQ(popup_.Plan().start, (SlidePoint{60 - 250, screen_.cy - 109}));
    ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kStaying));
    EXPECT_EQ(WindowRect(popup_.Hwnd()).left, 60);
    popup_.HidePopup();
  }
  {
    const WorkAreaGuard work(RECT{0, 50, screen_.cx, screen_.cy});
    popup_.ShowText(L"top", 0, 200, 0);
    EXPECT_EQ(popup_.Plan().edge, TaskbarEdge::kTop);
    EXPECT_EQ(popup_.Plan().start, (SlidePoint{screen_.cx - 250, 50 - 109}));
    ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kStaying));
    EXPECT_EQ(WindowRect(popup_.Hwnd()).top, 50);
  }
}

TEST_F(NotifierTest, NewTextWhileStayingOrSlidingOutStaysItsTimeAgain) {
  const WorkAreaGuard work(RECT{0, 0, screen_.cx, screen_.cy - 40});
  popup_.ShowText(L"first", 0, 600, 0);
  ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kStaying));
  popup_.ShowText(L"second", 0, 600, 0);
  EXPECT_EQ(popup_.Text(), L"second");
  EXPECT_EQ(popup_.GetState(), CTaskbarNotifier::State::kStaying);

  // Slide out slowly so the next text catches it on the way.
  popup_.ShowText(L"second", 0, 100, 2000);
  ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kSlidingOut));
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(popup_.Hwnd()).top > screen_.cy - 40 - 109; }, 3000));
  popup_.ShowText(L"third", 0, 500, 0);
  EXPECT_EQ(WindowRect(popup_.Hwnd()).top, screen_.cy - 40 - 109);
  EXPECT_TRUE(IsWindowVisible(popup_.Hwnd()));
  // It waits the stay time at the shown place, then slides out as usual.
  Sleep(250);
  WaitUntil([] { return false; }, 50);
  EXPECT_EQ(WindowRect(popup_.Hwnd()).top, screen_.cy - 40 - 109);
  ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kHidden, 8000));
}

TEST_F(NotifierTest, HidePopupStopsEveryTimerAtOnce) {
  popup_.ShowText(L"going", 0, 3000, 0);
  popup_.HidePopup();  // before the first slide step
  EXPECT_EQ(popup_.GetState(), CTaskbarNotifier::State::kHidden);
  EXPECT_FALSE(IsWindowVisible(popup_.Hwnd()));
  // No timer runs on: the state stays hidden and the window invisible.
  WaitUntil([] { return false; }, 200);
  EXPECT_EQ(popup_.GetState(), CTaskbarNotifier::State::kHidden);
  // The next text shows again.
  popup_.ShowText(L"again", 0, 3000, 0);
  ASSERT_TRUE(WaitFor(CTaskbarNotifier::State::kStaying));
  EXPECT_TRUE(IsWindowVisible(popup_.Hwnd()));
}

// The longest run of one colour along a row of a painted popup.
int LongestRun(HDC dc, const RECT& area, COLORREF colour) {
  int best = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    int run = 0;
    for (int x = area.left; x < area.right; ++x) {
      run = GetPixel(dc, x, y) == colour ? run + 1 : 0;
      best = std::max(best, run);
    }
  }
  return best;
}

int Count(HDC dc, const RECT& area, COLORREF colour) {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) n += GetPixel(dc, x, y) == colour;
  }
  return n;
}

TEST_F(NotifierTest, HoverUnderlinesTheTextInTheHoverColourAndLeavingRestoresIt) {
  popup_.ShowText(L"Time to take a contraception pill", 0, 5000, 0);
  const ClientDC screen(nullptr);
  MemoryDC dc(screen.Get());
  Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), 250, 109));
  const SelectGuard select(dc.Get(), bitmap.Get());
  const RECT text{10, 40, 240, 99};

  popup_.PaintTo(dc.Get());
  EXPECT_GT(Count(dc.Get(), text, RGB(0, 0, 0)), 50);
  EXPECT_EQ(Count(dc.Get(), text, RGB(0, 0, 200)), 0);
  EXPECT_LT(LongestRun(dc.Get(), text, RGB(0, 0, 0)), 40);

  SendMessageW(popup_.Hwnd(), WM_MOUSEHOVER, 0, MAKELPARAM(100, 60));
  EXPECT_TRUE(popup_.Hovered());
  popup_.PaintTo(dc.Get());
  EXPECT_EQ(Count(dc.Get(), text, RGB(0, 0, 0)), 0);
  // The underline: one unbroken line under the whole text.
  EXPECT_GT(LongestRun(dc.Get(), text, RGB(0, 0, 200)), 120);

  SendMessageW(popup_.Hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(popup_.Hovered());
  popup_.PaintTo(dc.Get());
  EXPECT_EQ(Count(dc.Get(), text, RGB(0, 0, 200)), 0);
}

TEST_F(NotifierTest, ClickTellsTheOwnerAndTheHandShowsOverIt) {
  SendMessageW(popup_.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  MSG msg{};
  EXPECT_TRUE(PeekMessageW(&msg, owner_, CTaskbarNotifier::kClickedMessage, CTaskbarNotifier::kClickedMessage,
                           PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0u);
  EXPECT_EQ(msg.lParam, 0);
  SendMessageW(popup_.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(popup_.Hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(NotifierTest, SkinWithAKeyColourCutsThosePixelsAndAMissingSkinFails) {
  // The skin's frame colour, read from its corner.
  const auto skin = static_cast<HBITMAP>(
      LoadImageW(ProgramResources(), MAKEINTRESOURCEW(IDB_POPUP_SMALL), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(skin, nullptr);
  COLORREF corner = 0;
  {
    MemoryDC dc(nullptr);
    const SelectGuard select(dc.Get(), skin);
    corner = GetPixel(dc.Get(), 0, 0);
  }
  DeleteObject(skin);
  ASSERT_TRUE(popup_.LoadSkin(ProgramResources(), IDB_POPUP_SMALL, GetRValue(corner), GetGValue(corner),
                              GetBValue(corner)));
  EXPECT_TRUE(popup_.HasRegion());
  const Region region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(popup_.Hwnd(), region.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), 249, 50));
  EXPECT_TRUE(PtInRegion(region.Get(), 125, 60));

  EXPECT_FALSE(popup_.LoadSkin(ProgramResources(), 9999, -1, -1, -1));
  // The size stays what it was.
  EXPECT_EQ(popup_.SkinSize().cx, 250);
}

TEST(TrayPositionWatcher, PostsMouseLeaveOnceTheCursorMovesAndStopsAtOnce) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = L"WatcherTestOwner";
  RegisterClassW(&wc);
  const HWND owner = CreateWindowExW(0, L"WatcherTestOwner", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
  std::atomic<LONG> x{100};
  TrayPositionWatcher watcher;
  ASSERT_TRUE(watcher.Start(owner, WM_USER + 87, std::chrono::milliseconds(30), [&] { return POINT{x.load(), 5}; }));
  // No thread until the mouse comes over the icon; nothing, however the cursor moves.
  EXPECT_FALSE(watcher.Running());
  MSG msg{};
  x = 300;
  Sleep(120);
  EXPECT_FALSE(PeekMessageW(&msg, owner, WM_USER + 87, WM_USER + 87, PM_REMOVE));

  EXPECT_TRUE(watcher.MouseOver());
  EXPECT_TRUE(watcher.Running());
  Sleep(120);
  EXPECT_FALSE(PeekMessageW(&msg, owner, WM_USER + 87, WM_USER + 87, PM_REMOVE));  // the cursor rests
  x = 301;
  // Polled without dispatching: the message is the watcher's only trace.
  bool posted = false;
  for (int i = 0; i < 100 && !posted; ++i) {
    posted = PeekMessageW(&msg, owner, WM_USER + 87, WM_USER + 87, PM_REMOVE) != FALSE;
    if (!posted) Sleep(20);
  }
  ASSERT_TRUE(posted);
  EXPECT_EQ(msg.lParam, WM_MOUSELEAVE);
  EXPECT_FALSE(watcher.Tracking());
  // Once only.
  x = 350;
  Sleep(120);
  EXPECT_FALSE(PeekMessageW(&msg, owner, WM_USER + 87, WM_USER + 87, PM_REMOVE));

  // A long interval does not hold up the stop.
  TrayPositionWatcher slow;
  ASSERT_TRUE(slow.Start(owner, WM_USER + 87, std::chrono::milliseconds(60000)));
  ASSERT_TRUE(slow.MouseOver());
  const ULONGLONG before = GetTickCount64();
  slow.Stop();
  EXPECT_FALSE(slow.Running());
  EXPECT_LT(GetTickCount64() - before, 1000u);
  watcher.Stop();
  EXPECT_FALSE(watcher.Running());
  // Stopped, a move over the icon starts nothing.
  EXPECT_FALSE(watcher.MouseOver());
  EXPECT_FALSE(watcher.Running());
  DestroyWindow(owner);
}

uint32_t Le32(const BYTE* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const BYTE* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

TEST(AlertSound, TheProgramCarriesAShortMonoPcmChime) {
  const std::span<const BYTE> wave = AlertSoundData(ProgramResources());
  ASSERT_EQ(wave.size(), 44u + 2u * 3058u);
  const BYTE* p = wave.data();
  EXPECT_EQ(std::memcmp(p, "RIFF", 4), 0);
  EXPECT_EQ(Le32(p + 4), wave.size() - 8);
  EXPECT_EQ(std::memcmp(p + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(Le32(p + 16), 16u);
  EXPECT_EQ(Le16(p + 20), 1);      // PCM
  EXPECT_EQ(Le16(p + 22), 1);      // mono
  EXPECT_EQ(Le32(p + 24), 8000u);  // samples per second
  EXPECT_EQ(Le32(p + 28), 16000u);
  EXPECT_EQ(Le16(p + 32), 2);
  EXPECT_EQ(Le16(p + 34), 16);  // bits
  EXPECT_EQ(std::memcmp(p + 36, "data", 4), 0);
  EXPECT_EQ(Le32(p + 40) / 2, 3058u);
  // Not silence, and it ends at rest without a click.
  int peak = 0;
  for (size_t i = 0; i < 3058; ++i) peak = std::max(peak, std::abs(static_cast<int16_t>(Le16(p + 44 + 2 * i))));
  EXPECT_GT(peak, 8000);
  EXPECT_LT(std::abs(static_cast<int16_t>(Le16(p + 44 + 2 * 3057))), 200);
  // A module without it: nothing, and playing is silent.
  EXPECT_TRUE(AlertSoundData(GetModuleHandleW(L"kernel32.dll")).empty());
  PlayAlertSound(GetModuleHandleW(L"kernel32.dll"));
}

}  // namespace
