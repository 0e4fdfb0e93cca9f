// The popup's slide: the taskbar's edge, the start and shown positions and
// the step delays from a work area and a screen size; whole slides step by step.

#include "ui/widgets/popup_slide.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupSlide, EdgeStartShownAndDelaysForEachTaskbar) {
  struct Case {
    const char* name;
    SlideArea work;
    TaskbarEdge edge;
    SlidePoint start, shown;
    int showStep, hideStep;  // for 500 ms each way
  };
  // A 250x109 popup on a 1280x1024 screen, the taskbar 30 pixels thick.
  const Case cases[] = {
      {"bottom", {0, 0, 1280, 994}, TaskbarEdge::kBottom, {1030, 994}, {1030, 885}, 500 / 54, 500 / 54},
      {"top", {0, 30, 1280, 1024}, TaskbarEdge::kTop, {1030, -79}, {1030, 30}, 9, 9},
      {"left", {30, 0, 1280, 1024}, TaskbarEdge::kLeft, {-220, 915}, {30, 915}, 500 / 125, 4},
      {"right", {0, 0, 1250, 1024}, TaskbarEdge::kRight, {1250, 915}, {1000, 915}, 4, 4},
      {"no taskbar at all", {0, 0, 1280, 1024}, TaskbarEdge::kBottom, {1030, 1024}, {1030, 915}, 9, 9},
      // A work area starting at the top of a shorter area is a bottom taskbar.
      {"bottom, work area from 0", {0, 0, 1280, 900}, TaskbarEdge::kBottom, {1030, 900}, {1030, 791}, 9, 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindTaskbarEdge(c.work, 1280, 1024), c.edge) << c.name;
    const SlidePlan p = PlanSlide(c.work, 1280, 1024, 250, 109, 500, 500);
    EXPECT_EQ(p.edge, c.edge) << c.name;
    EXPECT_EQ(p.start, c.start) << c.name;
    EXPECT_EQ(p.shown, c.shown) << c.name;
    EXPECT_EQ(p.showStepMs, c.showStep) << c.name;
    EXPECT_EQ(p.hideStepMs, c.hideStep) << c.name;
  }
}

TEST(PopupSlide, StepDelaysFromTheTimesAndTheSize) {
  const SlideArea bottom{0, 0, 1280, 994};
  struct Case {
    int width, height, show, hide, showStep, hideStep;
  };
  for (const Case c : {Case{250, 109, 0, 0, 0, 0}, Case{250, 164, 500, 500, 6, 6}, Case{250, 109, 7000, 100, 129, 1},
                       Case{250, 1, 500, 300, 500, 300}, Case{250, 0, 500, 0, 500, 0}}) {
    const SlidePlan p = PlanSlide(bottom, 1280, 1024, c.width, c.height, c.show, c.hide);
    EXPECT_EQ(p.showStepMs, c.showStep) << c.height << " " << c.show;
    EXPECT_EQ(p.hideStepMs, c.hideStep) << c.height << " " << c.hide;
  }
}

TEST(PopupSlide, SlidesInTwoPixelsAStepToExactlyShownAndBackOut) {
  for (const SlideArea work : {SlideArea{0, 0, 1280, 994}, SlideArea{0, 30, 1280, 1024}, SlideArea{30, 0, 1280, 1024},
                               SlideArea{0, 0, 1250, 1024}}) {
    for (const int height : {109, 164}) {
      const SlidePlan p = PlanSlide(work, 1280, 1024, 250, height, 0, 0);
      SlidePoint at = p.start;
      int steps = 0;
      SlidePoint before = at;
      while (StepIn(p, at)) {
        const int moved = std::abs(at.x - before.x) + std::abs(at.y - before.y);
        EXPECT_GE(moved, 1);
        EXPECT_LE(moved, kSlideStep);
        before = at;
        ++steps;
      }
      EXPECT_EQ(at, p.shown);
      const int size = (p.edge == TaskbarEdge::kLeft || p.edge == TaskbarEdge::kRight) ? 250 : height;
      EXPECT_EQ(steps, (size + 1) / 2);
      EXPECT_FALSE(StepIn(p, at));
      steps = 0;
      while (StepOut(p, at)) ++steps;
      EXPECT_EQ(at, p.start);
      EXPECT_EQ(steps, (size + 1) / 2);
    }
  }
}

}  // namespace
