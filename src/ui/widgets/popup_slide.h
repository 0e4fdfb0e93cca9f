#pragma once

// Where the reminder popup slides from and how fast: the taskbar's edge read
// from the work area and the screen size, the hidden start position just
// outside the work area, the fully shown position, the delays between steps,
// and one step in or out. No window code.

struct SlideArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The codes are the popup's own: top 1, left 2, right 3, bottom 4.
enum class TaskbarEdge { kTop = 1, kLeft = 2, kRight = 3, kBottom = 4 };

struct SlidePoint {
  int x = 0;
  int y = 0;
  bool operator==(const SlidePoint&) const = default;
};

struct SlidePlan {
  TaskbarEdge edge = TaskbarEdge::kBottom;
  SlidePoint start;  // hidden, just outside the work area
  SlidePoint shown;  // fully inside it
  int showStepMs = 0;
  int hideStepMs = 0;
};

inline constexpr int kSlideStep = 2;

// A work area narrower than the screen means a side taskbar (right when the
// area starts at 0); one lower than the screen and not starting at 0 means a
// top taskbar; anything else is a bottom taskbar.
[[nodiscard]] TaskbarEdge FindTaskbarEdge(const SlideArea& work, int screenWidth, int screenHeight);

// The slide of a width x height popup against the edge, with the step
// delays of a show and a hide time: time / (size / 2), whole milliseconds.
[[nodiscard]] SlidePlan PlanSlide(const SlideArea& work, int screenWidth, int screenHeight, int width, int height,
                                  int showMs, int hideMs);

// One step of kSlideStep pixels towards the shown position; false (and no
// move) once it is there. The last step stops exactly at the shown position.
[[nodiscard]] bool StepIn(const SlidePlan& plan, SlidePoint& at);
// One step back towards the start; false (and no move) once it is there.
[[nodiscard]] bool StepOut(const SlidePlan& plan, SlidePoint& at);
