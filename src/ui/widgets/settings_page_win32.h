#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/widgets/dialog_win32.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;
class LogonManager;
class IAnsiCodec;
class CalendarSession;

// What the settings pages work with. The program passes its single
// instances; tests pass their own.
struct SettingsContext {
  OptionsManager& options;
  const LocaleManager& locale;
  // Where the dialog templates come from; null is the program itself.
  HINSTANCE resources = nullptr;
  // Makes a language current by its display name (a name that cannot be
  // selected keeps the language in force).
  std::function<void(std::u16string_view displayName)> setLanguage = nullptr;
  // After a new language: every open window takes its texts again.
  std::function<void()> languageChanged = nullptr;
  // After a new theme: the main window and its pane bar repaint.
  std::function<void()> repaintMain = nullptr;
  // Message boxes of the pages; empty ones are the system's.
  Prompts prompts;
  // Her calendar's file and the users: "Encrypt my calendar" and the days of
  // deleted users need them; without them the page shows neither.
  CalendarSession* session = nullptr;
  LogonManager* logon = nullptr;
  const IAnsiCodec* codec = nullptr;
  // File > Back up, offered before her days are encrypted; true once written.
  std::function<bool(HWND owner)> backUp = nullptr;
  // Her days moved between db.dat and her vault, or days were deleted: every
  // view asks again.
  std::function<void()> daysChanged = nullptr;
};

// One page of the settings window: a child dialog made the first time it is
// shown. OK has it read its controls into its own fields; the owner then
// calls Apply, which puts those fields into the settings.
class CSettingsPage : public CDialog {
 public:
  using CDialog::CDialog;

  // OK asks every page first; a page that refuses (and has told the user
  // why) keeps the window open on it.
  [[nodiscard]] virtual bool Validate() { return true; }
  // The controls into the page's own fields (OK of the settings window).
  virtual void ReadControls() {}
  // The page's fields into the settings.
  virtual void Apply() = 0;
  // The settings window's Help button while this page is shown.
  virtual void OnHelp() {}

 protected:
  // A page never ends by itself: OK and Cancel belong to the settings window.
  void OnOK() override {}
  void OnCancel() override {}
};
