#include "ui/widgets/balloon_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "win/support/wait_win32.h"

namespace {

class BalloonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    if (IsWindow(owner_)) DestroyWindow(owner_);
  }
  HWND owner_ = nullptr;
};

TEST_F(BalloonTest, ShowsTitleAndTextAtTheAnchorAndClosesAfterItsTimeOut) {
  BalloonMessage balloon(300);
  ASSERT_TRUE(balloon.Show(owner_, POINT{100, 60}, L"Ovulation", L" first line\nsecond line"));
  const HWND tip = balloon.Hwnd();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_NE(GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON, 0);
  EXPECT_NE(GetWindowLongW(tip, GWL_STYLE) & TTS_CLOSE, 0);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), owner_);

  EXPECT_EQ(balloon.Title(), L"Ovulation");
  wchar_t text[64] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner_;
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L" first line\nsecond line");

  // The stem points at the anchor: the balloon lies just above or below it.
  RECT r{};
  GetWindowRect(tip, &r);
  EXPECT_LE(r.left, 100);
  EXPECT_GE(r.right, 100);
  EXPECT_TRUE(r.bottom <= 61 || r.top >= 59) << r.top << ".." << r.bottom;

  EXPECT_TRUE(WaitUntil([&] { return !balloon.IsOpen(); }, 3000));
  EXPECT_FALSE(IsWindow(tip));
}

TEST_F(BalloonTest, AnotherBalloonReplacesTheOpenOne) {
  BalloonMessage balloon;
  ASSERT_TRUE(balloon.Show(owner_, POINT{50, 50}, L"One", L"first"));
  const HWND first = balloon.Hwnd();
  ASSERT_TRUE(balloon.Show(owner_, POINT{60, 60}, L"Two", L"second"));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(balloon.Hwnd()));
  balloon.Close();
  EXPECT_FALSE(balloon.IsOpen());
  balloon.Close();  // closing twice is harmless
}

TEST_F(BalloonTest, GoesWithItsOwnerAndWithItsObject) {
  HWND tip = nullptr;
  {
    BalloonMessage balloon;
    ASSERT_TRUE(balloon.Show(owner_, POINT{50, 50}, L"T", L"x"));
    tip = balloon.Hwnd();
    DestroyWindow(owner_);  // owned popups go with their owner
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_FALSE(balloon.IsOpen());
  }
  SetUp();
  {
    BalloonMessage balloon;
    ASSERT_TRUE(balloon.Show(owner_, POINT{50, 50}, L"T", L"x"));
    tip = balloon.Hwnd();
  }
  EXPECT_FALSE(IsWindow(tip));
}

}  // namespace
