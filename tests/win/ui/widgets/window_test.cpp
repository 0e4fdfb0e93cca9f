#include "ui/widgets/window_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "ui/widgets/message_loop_win32.h"

namespace {

constexpr const wchar_t* kClass = L"TamarelTestWindow";

class RecordingWindow : public CWindow {
 public:
  std::vector<UINT> seen;
  bool throwOnCreate = false;
  bool finalMessage = false;
  HWND hwndInDestroy = nullptr;

  HWND Make() {
    WNDCLASSEXW wc{};
    wc.lpszClassName = kClass;
    if (!RegisterClass(wc)) return nullptr;
    return Create(0, kClass, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100);
  }

 protected:
  LRESULT OnCreate(WPARAM, LPARAM) override {
    seen.push_back(WM_CREATE);
    if (throwOnCreate) throw std::runtime_error("no");
    return 0;
  }
  LRESULT OnSize(WPARAM, LPARAM lp) override {
    seen.push_back(WM_SIZE);
    return lp + 1;  // lets the test see the handler's answer
  }
  LRESULT OnTimer(WPARAM, LPARAM) override { throw std::logic_error("timer"); }
  LRESULT OnLButtonDown(WPARAM, LPARAM) override {
    seen.push_back(WM_LBUTTONDOWN);
    return 0;
  }
  LRESULT OnRButtonDown(WPARAM, LPARAM) override {
    seen.push_back(WM_RBUTTONDOWN);
    return 0;
  }
  LRESULT OnDestroy(WPARAM, LPARAM) override {
    hwndInDestroy = Hwnd();
    seen.push_back(WM_DESTROY);
    return 0;
  }
  void OnFinalMessage() override { finalMessage = true; }
};

TEST(CWindow, BindsAtCreationDispatchesAndUnbindsAtDestruction) {
  RecordingWindow w;
  const HWND hwnd = w.Make();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(w.Hwnd(), hwnd);
  EXPECT_EQ(CWindow::FromHandle(hwnd), &w);
  EXPECT_EQ(w.seen.front(), static_cast<UINT>(WM_CREATE));

  EXPECT_EQ(SendMessageW(hwnd, WM_SIZE, 0, 41), 42);
  // A handler that throws answers 0 and the window lives on.
  EXPECT_EQ(SendMessageW(hwnd, WM_TIMER, 1, 0), 0);
  EXPECT_TRUE(IsWindow(hwnd));

  ASSERT_TRUE(DestroyWindow(hwnd));
  EXPECT_EQ(w.hwndInDestroy, hwnd);  // still bound while destroying
  EXPECT_EQ(w.Hwnd(), nullptr);
  EXPECT_TRUE(w.finalMessage);
}

TEST(CWindow, CreationThatThrowsFailsCleanly) {
  RecordingWindow w;
  w.throwOnCreate = true;
  EXPECT_EQ(w.Make(), nullptr);
  EXPECT_EQ(w.Hwnd(), nullptr);
  EXPECT_TRUE(w.finalMessage);
}

TEST(CWindow, DestroyingTheObjectDestroysItsWindow) {
  HWND hwnd = nullptr;
  {
    RecordingWindow w;
    hwnd = w.Make();
    ASSERT_NE(hwnd, nullptr);
  }
  EXPECT_FALSE(IsWindow(hwnd));
}

class EatLeftClicks : public MessageFilter {
 public:
  std::vector<UINT> seen;
  bool PreTranslateMessage(MSG& msg) override {
    seen.push_back(msg.message);
    return msg.message == WM_LBUTTONDOWN;
  }
};

TEST(MessageLoop, FilterSeesMessagesFirstAndCanEatThem) {
  MessageLoop loop;
  EXPECT_EQ(MessageLoop::Current(), &loop);
  EatLeftClicks filter;
  loop.AddFilter(&filter);
  loop.AddFilter(&filter);  // added once only

  RecordingWindow w;
  const HWND hwnd = w.Make();
  ASSERT_NE(hwnd, nullptr);
  w.seen.clear();
  PostMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  PostMessageW(hwnd, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
  PostQuitMessage(7);
  EXPECT_EQ(loop.Run(), 7);

  EXPECT_EQ(w.seen, std::vector<UINT>{WM_RBUTTONDOWN});
  ASSERT_GE(filter.seen.size(), 2u);
  EXPECT_EQ(std::count(filter.seen.begin(), filter.seen.end(), static_cast<UINT>(WM_LBUTTONDOWN)), 1);

  loop.RemoveFilter(&filter);
  PostMessageW(hwnd, WM_LBUTTONDOWN, 0, 0);
  PostQuitMessage(0);
  loop.Run();
  EXPECT_EQ(w.seen.back(), static_cast<UINT>(WM_LBUTTONDOWN));
}

}  // namespace
