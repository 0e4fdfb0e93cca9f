#pragma once

#include <windows.h>

#include <functional>

// While one band menu is open, watches the menu's own message loop (a
// message-filter hook, the menu loop's documented seam) for the mouse moving
// onto another band title; then it ends the open menu and remembers that
// title, so the frame opens its menu next. No synthetic input: SendInput is
// refused across integrity levels and in some remote sessions.
class BandMenuSwitch {
 public:
  // titleAt: the band title under a point in screen coordinates, or -1.
  BandMenuSwitch(int openTitle, std::function<int(POINT screen)> titleAt);
  ~BandMenuSwitch();
  BandMenuSwitch(const BandMenuSwitch&) = delete;
  BandMenuSwitch& operator=(const BandMenuSwitch&) = delete;

  // The title the mouse moved onto while the menu was open, or -1.
  [[nodiscard]] int NextTitle() const { return next_; }

 private:
  static LRESULT CALLBACK FilterProc(int code, WPARAM wp, LPARAM lp) noexcept;
  void OnMenuMouseMove(POINT screen);

  int open_;
  int next_ = -1;
  std::function<int(POINT)> titleAt_;
  HHOOK hook_ = nullptr;
  BandMenuSwitch* outer_ = nullptr;  // a switch of a menu opened further out
};
