#pragma once

#include <windows.h>

#include <functional>

// While one band menu is open, watches the menu's own message loop (a
// message-filter hook, the menu loop's documented seam) for the mouse moving
// onto another band title, or for the left and right arrows, which go to
// the neighbouring title as on a menu bar; then it ends the open menu and
// remembers that title, so the frame opens its menu next. No synthetic input: SendInput is
// refused across integrity levels and in some remote sessions.
class BandMenuSwitch {
 public:
  // titleAt: the band title under a point in screen coordinates, or -1.
  // titleCount: how many titles the arrows cycle through; 0 leaves the
  // arrows to the menu.
  BandMenuSwitch(int openTitle, std::function<int(POINT screen)> titleAt, int titleCount = 0);
  ~BandMenuSwitch();
  BandMenuSwitch(const BandMenuSwitch&) = delete;
  BandMenuSwitch& operator=(const BandMenuSwitch&) = delete;

  // The title the mouse moved onto while the menu was open, or -1.
  [[nodiscard]] int NextTitle() const { return next_; }
  // Whether an arrow key (not the mouse) chose the next title.
  [[nodiscard]] bool SwitchedByKey() const { return byKey_; }

 private:
  static LRESULT CALLBACK FilterProc(int code, WPARAM wp, LPARAM lp) noexcept;
  void OnMenuMouseMove(POINT screen);
  // True when the key switched to another title.
  bool OnMenuKey(WPARAM key);

  int open_;
  int next_ = -1;
  std::function<int(POINT)> titleAt_;
  int titleCount_ = 0;
  bool byKey_ = false;
  HHOOK hook_ = nullptr;
  BandMenuSwitch* outer_ = nullptr;  // a switch of a menu opened further out
};
