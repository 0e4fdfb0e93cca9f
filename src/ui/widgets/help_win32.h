#pragma once

#include <windows.h>

#include <functional>
#include <string>

// F1 and WM_HELP: every dialog names its help topic (a context number of
// the help file), and a request for help opens that topic beside the window
// that asked, inside the work area. The program's main window sets the
// viewer for its thread; tests set one of their own.
struct HelpViewer {
  // Opens the topic; the help window, or null when none came up.
  std::function<HWND(HWND owner, DWORD context)> show;
  // The work area of the monitor a window is on; null asks the system.
  std::function<bool(HWND window, RECT& work)> workArea;
};

// Sets the viewer of this thread for as long as it lives; the one before
// comes back when it goes.
class HelpViewerScope {
 public:
  explicit HelpViewerScope(HelpViewer viewer);
  ~HelpViewerScope();
  HelpViewerScope(const HelpViewerScope&) = delete;
  HelpViewerScope& operator=(const HelpViewerScope&) = delete;

 private:
  HelpViewer viewer_;
  HelpViewer* previous_;
};

// Opens the topic and places the help window beside asker's top-level
// window. False when this thread has no viewer.
bool OpenHelpBeside(HWND asker, DWORD context);

// HTML Help's window at the topic of the help file (hhctrl.ocx, loaded on
// the first call); null when it cannot be shown.
HWND ShowHtmlHelpTopic(HWND owner, const std::wstring& helpFile, DWORD context);
