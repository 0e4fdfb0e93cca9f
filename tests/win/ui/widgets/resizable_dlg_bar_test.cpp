#include "ui/widgets/resizable_dlg_bar_win32.h"

#include <gtest/gtest.h>

#include <array>

#include "ui/widgets/message_loop_win32.h"

namespace {

constexpr COLORREF kBackground = RGB(254, 205, 230);
constexpr COLORREF kBand = RGB(200, 60, 130);
constexpr COLORREF kText = RGB(255, 240, 250);

// A top-level window with a bar 311 pixels wide and three plain child
// windows as panes, 120, 80 and 60 pixels high.
class PaneBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"bar host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 600, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
    ASSERT_TRUE(bar_.CreateBar(parent_, RECT{0, 0, 311, 560}, 4242));
    bar_.SetColors(kBackground, kBand, kText);
    const std::array<int, 3> heights{120, 80, 60};
    const std::array<const wchar_t*, 3> titles{L"My Goal", L"Day", L"&Info"};
    for (size_t i = 0; i < heights.size(); ++i) {
      panes_[i] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 291, heights[i], bar_.Hwnd(), nullptr, nullptr,
                                  nullptr);
      ASSERT_NE(panes_[i], nullptr);
      EXPECT_EQ(bar_.AddPane(titles[i], panes_[i]), i);
      EXPECT_FALSE(IsWindowVisible(panes_[i])) << "hidden until the first layout";
    }
    bar_.Layout();
    ShowWindow(parent_, SW_SHOWNA);
  }
  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
  }

  RECT PaneRect(size_t i) const {
    RECT r{};
    GetWindowRect(panes_[i], &r);
    MapWindowPoints(nullptr, bar_.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  void ClickBand(size_t i) {
    const RECT b = bar_.BandRect(i);
    const LPARAM at = MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    SendMessageW(bar_.Hwnd(), WM_LBUTTONUP, 0, at);
  }

  MessageLoop loop_;
  HWND parent_ = nullptr;
  CResizableDlgBar bar_;
  std::array<HWND, 3> panes_{};
};

TEST_F(PaneBarTest, PanesSitBelowTheirTitlesAsWideAsTheBand) {
  for (size_t i = 0; i < 3; ++i) {
    const RECT band = bar_.BandRect(i);
    const RECT pane = PaneRect(i);
    EXPECT_EQ(band.left, 10);
    EXPECT_EQ(band.right, 301);
    EXPECT_EQ(band.bottom - band.top, 20);
    EXPECT_EQ(pane.top, band.bottom) << i;
    EXPECT_EQ(pane.left, band.left);
    EXPECT_EQ(pane.right, band.right);
    EXPECT_TRUE(IsWindowVisible(panes_[i]));
  }
  EXPECT_EQ(PaneRect(0).bottom - PaneRect(0).top, 120);
  EXPECT_EQ(bar_.BandRect(1).top, 140);
  EXPECT_EQ(bar_.BandRect(2).top, 240);
}

TEST_F(PaneBarTest, AClickOnATitleCollapsesAndExpandsItsPane) {
  const RECT before1 = bar_.BandRect(1);
  const RECT before2 = bar_.BandRect(2);
  ClickBand(0);
  EXPECT_FALSE(bar_.IsExpanded(0));
  EXPECT_FALSE(IsWindowVisible(panes_[0]));
  EXPECT_EQ(bar_.BandRect(1).top, before1.top - 120);
  EXPECT_EQ(bar_.BandRect(2).top, before2.top - 120);
  EXPECT_EQ(PaneRect(1).top, bar_.BandRect(1).bottom);

  ClickBand(0);
  EXPECT_TRUE(bar_.IsExpanded(0));
  EXPECT_TRUE(IsWindowVisible(panes_[0]));
  EXPECT_EQ(bar_.BandRect(1).top, before1.top);

  // A release between the titles (on a pane's place) toggles nothing.
  SendMessageW(bar_.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 30));
  for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(bar_.IsExpanded(i));
}

TEST_F(PaneBarTest, TheBarEatsItsOwnMouseMovesAndPressesOnly) {
  int hookRuns = 0;
  bar_.SetMouseMoveHook([&] { ++hookRuns; });
  struct Case {
    HWND hwnd;
    UINT message;
    bool eaten;
  };
  for (const Case c : {Case{bar_.Hwnd(), WM_MOUSEMOVE, true}, Case{bar_.Hwnd(), WM_LBUTTONDOWN, true},
                       Case{bar_.Hwnd(), WM_RBUTTONDOWN, true}, Case{bar_.Hwnd(), WM_LBUTTONUP, false},
                       Case{panes_[0], WM_LBUTTONDOWN, false}, Case{parent_, WM_MOUSEMOVE, false}}) {
    MSG msg{c.hwnd, c.message, 0, MAKELPARAM(20, 5), 0, {}};
    EXPECT_EQ(MessageLoop::Current()->PreTranslate(msg), c.eaten) << c.message;
  }
  EXPECT_EQ(hookRuns, 1);
}

TEST_F(PaneBarTest, PaintsBackgroundAndRoundedTitleBandsInTheGivenColours) {
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 311, 560);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(bar_.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EXPECT_EQ(GetPixel(dc, 3, 300), kBackground) << "left margin";
  EXPECT_EQ(GetPixel(dc, 305, 10), kBackground) << "right margin";
  EXPECT_EQ(GetPixel(dc, 20, 17), kBand) << "band, lower half";
  EXPECT_EQ(GetPixel(dc, 11, 18), kBand) << "the lower corners are square";
  EXPECT_EQ(GetPixel(dc, 10, 0), kBackground) << "the upper corners are round";
  EXPECT_EQ(GetPixel(dc, 300, 0), kBackground);
  // The title text is drawn in the text colour somewhere in the first band.
  bool text = false;
  for (int x = 100; x < 210 && !text; ++x) {
    for (int y = 3; y < 17 && !text; ++y) text = GetPixel(dc, x, y) == kText;
  }
  EXPECT_TRUE(text);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(PaneBarTest, TitlesCanBeReplacedAndAreCutAt31Characters) {
  bar_.SetTitle(1, std::wstring(40, L'x'));
  EXPECT_EQ(bar_.Title(1).size(), 31u);
  bar_.SetTitle(7, L"no such section");
  EXPECT_EQ(bar_.Title(7), L"");
}

}  // namespace
