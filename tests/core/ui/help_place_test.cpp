// Where the help window goes beside the window that asked for it.

#include "ui/widgets/help_place.h"

#include <gtest/gtest.h>

namespace {

constexpr HelpPlaceRect kLaptop{0, 0, 1280, 720};

struct Case {
  const char* what;
  HelpPlaceRect asker;
  int wantedWidth;
  int wantedHeight;
  HelpPlaceRect expected;
};

TEST(PlaceHelpWindow, BesideTheAskerInsideTheWorkArea) {
  const Case cases[] = {
      // Room on the right: there, at the asker's top, at its wanted size.
      {"right", {100, 100, 500, 400}, 600, 500, {500, 100, 1100, 600}},
      // More room on the left: there, ending at the asker's left edge.
      {"left", {700, 100, 1100, 400}, 600, 500, {100, 100, 700, 600}},
      // Less room than wanted but more than the least: the room's width.
      {"narrowed", {300, 50, 800, 400}, 700, 500, {800, 50, 1280, 550}},
      // Taller than the screen: the work area's height, from its top.
      {"tall", {100, 300, 500, 500}, 600, 1000, {500, 0, 1100, 720}},
      // Low on the screen: moved up so its bottom is on screen.
      {"low", {100, 500, 500, 700}, 600, 500, {500, 220, 1100, 720}},
      // A wide asker leaves less than the least width either side: the
      // least width, at the side with more room, inside the work area.
      {"wide asker", {100, 100, 1000, 600}, 600, 500, {920, 100, 1280, 600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const HelpPlaceRect r = PlaceHelpWindow(c.asker, c.wantedWidth, c.wantedHeight, kLaptop);
    EXPECT_EQ(r, c.expected) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    EXPECT_GE(r.left, kLaptop.left);
    EXPECT_GE(r.top, kLaptop.top);
    EXPECT_LE(r.right, kLaptop.right);
    EXPECT_LE(r.bottom, kLaptop.bottom);
  }
}

TEST(PlaceHelpWindow, AWorkAreaOffsetByTheTaskbarIsRespected) {
  const HelpPlaceRect work{0, 40, 1280, 720};  // taskbar at the top
  const HelpPlaceRect r = PlaceHelpWindow({100, 10, 500, 300}, 600, 800, work);
  EXPECT_EQ(r, (HelpPlaceRect{500, 40, 1100, 720}));
}

}  // namespace
