#pragma once

#include <windows.h>

#include <functional>

#include "ui/widgets/message_loop_win32.h"

class CBandBar;
class PaneColumn;
class LoginLock;

// The main window's place among the message loop's filters, before dispatch.
// Mouse moves and presses below the band that landed on the frame or a
// control of it go on to the calendar (never eaten); Tab and Shift+Tab move
// the focus through the calendar and every pane's controls in reading order;
// Alt with a band title's underlined letter is handed to the frame's window
// procedure, which opens that menu.
class FrameLoopFilter final : public MessageFilter {
 public:
  FrameLoopFilter(std::function<HWND()> frame, std::function<HWND()> calendar, CBandBar& band, const PaneColumn& panes,
                  const LoginLock& lock);

  bool PreTranslateMessage(MSG& msg) override { return RouteMouse(msg) || RouteKey(msg); }
  bool RouteMouse(MSG& msg);
  bool RouteKey(MSG& msg);

 private:
  std::function<HWND()> frame_;
  std::function<HWND()> calendar_;
  CBandBar& band_;
  const PaneColumn& panes_;
  const LoginLock& lock_;
};
