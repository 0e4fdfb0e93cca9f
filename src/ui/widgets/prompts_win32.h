#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// What a file dialog asks: open or save, the name it offers, the folder it
// opens in (empty: the system's choice) and the types it lists (each a label
// and a pattern such as L"*.csv").
struct FileChoice {
  bool save = false;
  std::wstring defaultName;
  std::wstring initialFolder;
  std::vector<std::pair<std::wstring, std::wstring>> types;
};
// The chosen file and the index of the type chosen with it.
struct ChosenFile {
  std::wstring path;
  int type = 0;
};

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
  // The open or save dialog; none when cancelled.
  std::function<std::optional<ChosenFile>(HWND owner, const FileChoice& choice)> chooseFile;
};

// MessageBoxW, TrackPopupMenuEx, ShellExecuteW and the common file dialogs.
[[nodiscard]] Prompts SystemPrompts();
