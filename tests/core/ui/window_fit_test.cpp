#include "ui/frame/window_fit.h"

#include <gtest/gtest.h>

namespace {

constexpr ScreenRect kMonitor{0, 0, 1280, 720};

TEST(WindowFit, TheNormalRectangleComesBackInScreenCoordinates) {
  const ScreenRect normal{10, 20, 910, 620};
  // Taskbar at the bottom: both coordinate systems agree.
  EXPECT_EQ(WorkspaceToScreen(normal, ScreenRect{0, 0, 1280, 680}, kMonitor), normal);
  // Taskbar at the top or on the left: shifted by its size, so the window
  // does not walk a taskbar's width on every exit.
  EXPECT_EQ(WorkspaceToScreen(normal, ScreenRect{0, 40, 1280, 720}, kMonitor), (ScreenRect{10, 60, 910, 660}));
  EXPECT_EQ(WorkspaceToScreen(normal, ScreenRect{60, 0, 1280, 720}, kMonitor), (ScreenRect{70, 20, 970, 620}));
  // A second monitor to the left of the first.
  EXPECT_EQ(WorkspaceToScreen(normal, ScreenRect{-1920, 40, 0, 1080}, ScreenRect{-1920, 0, 0, 1080}),
            (ScreenRect{10, 60, 910, 660}));
}

TEST(WindowFit, TheMinimumSizeNeverExceedsTheWorkArea) {
  const ScreenSize wanted{900, 800};
  EXPECT_EQ(MinimumWindowSize(wanted, ScreenRect{0, 0, 1920, 1040}), wanted);
  EXPECT_EQ(MinimumWindowSize(wanted, ScreenRect{0, 0, 1366, 728}), (ScreenSize{900, 728}));
  EXPECT_EQ(MinimumWindowSize(wanted, ScreenRect{0, 40, 1280, 720}), (ScreenSize{900, 680}));
  EXPECT_EQ(MinimumWindowSize(wanted, ScreenRect{0, 0, 800, 600}), (ScreenSize{800, 600}));
  EXPECT_EQ(MinimumWindowSize(wanted, ScreenRect{}), wanted);
}

TEST(WindowFit, AStoredRectangleIsHeldInsideTheWorkArea) {
  const ScreenRect work{0, 0, 1280, 680};
  struct Case {
    ScreenRect stored;
    ScreenRect fitted;
  };
  const Case cases[] = {
      {{100, 50, 1000, 650}, {100, 50, 1000, 650}},     // inside: unchanged
      {{100, 50, 1000, 850}, {100, 0, 1000, 680}},      // too tall: the work area's height, at its top
      {{0, 0, 1400, 900}, {0, 0, 1280, 680}},           // larger in both directions
      {{800, 300, 1700, 900}, {380, 80, 1280, 680}},    // hanging over the right and bottom edges
      {{-500, -200, 400, 400}, {0, 0, 900, 600}},       // above and left of the screen
  };
  for (const Case& c : cases) EXPECT_EQ(FitIntoWorkArea(c.stored, work), c.fitted) << c.stored.left;
  EXPECT_EQ(FitIntoWorkArea(ScreenRect{5, 5, 50, 50}, ScreenRect{}), (ScreenRect{5, 5, 50, 50}));
}

}  // namespace
