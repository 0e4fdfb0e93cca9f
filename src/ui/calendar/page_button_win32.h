#pragma once

#include <windows.h>

#include <functional>

#include "ui/widgets/window_win32.h"

// The keyboard's way to Back and Next. The calendar paints both buttons
// itself; this small window lies over one of them so that the dialog
// navigation's Tab stops there, in reading order before the days. It draws
// nothing and lets the mouse through to the calendar under it; Space or
// Enter presses the button, and the calendar draws the focus cue.
class CPageButton : public CWindow {
public:
  // press: the button's action; focusChanged: the focus came or went.
  CPageButton(std::function<void()> press, std::function<void()> focusChanged);

  // A visible tab stop, child of parent (the calendar's parent).
  [[nodiscard]] bool CreateButton(HWND parent);
  [[nodiscard]] bool HasFocus() const { return Hwnd() && GetFocus() == Hwnd(); }

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnPaint(WPARAM wp, LPARAM lp) override;
  LRESULT OnEraseBkgnd(WPARAM wp, LPARAM lp) override;
  LRESULT OnSetFocus(WPARAM wp, LPARAM lp) override;

private:
  std::function<void()> press_;
  std::function<void()> focusChanged_;
};
