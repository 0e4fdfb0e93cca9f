#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The modal moments of the user interface and the shell calls, behind
// functions a window is given: the program passes the real ones, tests pass
// their own to see what would have been shown or opened and to answer it.
struct Prompts {
  // A message box; returns the button pressed.
  std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)> messageBox;
  // Tracks a popup menu (flags include TPM_RETURNCMD); returns the chosen command or 0.
  std::function<UINT(HMENU menu, UINT flags, POINT at, HWND owner)> trackMenu;
  // Opens a web address, mail address or file with the shell's "open" verb.
  std::function<void(const std::wstring& target)> shellOpen;
};

// MessageBoxW, TrackPopupMenuEx and ShellExecuteW.
[[nodiscard]] Prompts SystemPrompts();
