#include "ui/widgets/popup_slide.h"

TaskbarEdge FindTaskbarEdge(const SlideArea& work, int screenWidth, int screenHeight) {
  if (work.right - work.left < screenWidth) return work.left == 0 ? TaskbarEdge::kRight : TaskbarEdge::kLeft;
  if (work.bottom - work.top < screenHeight && work.top != 0) return TaskbarEdge::kTop;
  return TaskbarEdge::kBottom;
}

namespace {

// A popup of one or no pixel along the slide would divide by zero; its
// slide takes one step, so the whole time is one delay.
int StepDelay(int timeMs, int size) {
  const int steps = size / 2;
  if (timeMs <= 0) return 0;
  return steps > 0 ? timeMs / steps : timeMs;
}

// Moves value by kSlideStep towards target without passing it.
bool Approach(int& value, int target) {
  if (value == target) return false;
  if (value < target) {
    value = value + kSlideStep < target ? value + kSlideStep : target;
  } else {
    value = value - kSlideStep > target ? value - kSlideStep : target;
  }
  return true;
}

}  // namespace

SlidePlan PlanSlide(const SlideArea& work, int screenWidth, int screenHeight, int width, int height, int showMs,
                    int hideMs) {
  SlidePlan plan;
  plan.edge = FindTaskbarEdge(work, screenWidth, screenHeight);
  int size = height;
  switch (plan.edge) {
    case TaskbarEdge::kRight:
      size = width;
      plan.start = {work.right, work.bottom - height};
      plan.shown = {work.right - width, work.bottom - height};
      break;
    case TaskbarEdge::kLeft:
      size = width;
      plan.start = {work.left - width, work.bottom - height};
      plan.shown = {work.left, work.bottom - height};
      break;
    case TaskbarEdge::kTop:
      plan.start = {work.right - width, work.top - height};
      plan.shown = {work.right - width, work.top};
      break;
    case TaskbarEdge::kBottom:
      plan.start = {work.right - width, work.bottom};
      plan.shown = {work.right - width, work.bottom - height};
      break;
  }
  plan.showStepMs = StepDelay(showMs, size);
  plan.hideStepMs = StepDelay(hideMs, size);
  return plan;
}

// The popup moves along one axis only; the other coordinate is the same at
// the start and when shown.
bool StepIn(const SlidePlan& plan, SlidePoint& at) {
  const bool horizontal = plan.edge == TaskbarEdge::kLeft || plan.edge == TaskbarEdge::kRight;
  return horizontal ? Approach(at.x, plan.shown.x) : Approach(at.y, plan.shown.y);
}

bool StepOut(const SlidePlan& plan, SlidePoint& at) {
  const bool horizontal = plan.edge == TaskbarEdge::kLeft || plan.edge == TaskbarEdge::kRight;
  return horizontal ? Approach(at.x, plan.start.x) : Approach(at.y, plan.start.y);
}
