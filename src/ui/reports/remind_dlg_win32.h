#pragma once

#include <windows.h>

#include "ui/widgets/dialog_win32.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;

// The reminders page: remind of the coming menstruation (and how many days
// ahead), remind to take the pill (and at what time), add the day tip. A
// child dialog that a settings window places where it likes; Apply writes
// the page into the settings.
class CRemindDialog : public CDialog {
 public:
  CRemindDialog(OptionsManager& options, const LocaleManager& locale, Prompts prompts, HINSTANCE module = nullptr);

  // The page as a visible child of parent, at (0, 0); null on failure.
  HWND Create(HWND parent);
  // Writes the five settings from the controls. A number of days outside
  // 1..10 is refused with a message and nothing is written: false.
  [[nodiscard]] bool Apply();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  // Enter and Escape belong to the window that holds the page.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void UpdateEnabled() const;
  [[nodiscard]] bool Checked(int id) const;

  OptionsManager& options_;
  const LocaleManager& locale_;
  Prompts prompts_;
  HINSTANCE module_;
};

// The reminders page alone in a window with OK and Cancel, until it has a
// place among the other settings. OK applies the page and saves the settings.
class CRemindHostDlg : public CDialog {
 public:
  CRemindHostDlg(OptionsManager& options, const LocaleManager& locale, Prompts prompts, HINSTANCE module = nullptr);

  [[nodiscard]] CRemindDialog& Page() { return page_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  OptionsManager& options_;
  const LocaleManager& locale_;
  CRemindDialog page_;
};
