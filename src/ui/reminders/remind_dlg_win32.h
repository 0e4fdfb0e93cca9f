#pragma once

#include <windows.h>

#include <memory>

#include "ui/widgets/settings_page_win32.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;

// The reminders page: remind of the coming menstruation (and how many days
// ahead), remind to take the pill (and at what time), add the day tip. A
// child dialog that a settings window places where it likes; Apply writes
// the page into the settings.
class CRemindDialog : public CSettingsPage {
 public:
  CRemindDialog(OptionsManager& options, const LocaleManager& locale, Prompts prompts, HINSTANCE module = nullptr);

  // The page as a visible child of parent, at (0, 0); null on failure.
  HWND Create(HWND parent);
  // A number of days outside 1..10 is refused with a message: false.
  [[nodiscard]] bool Validate() override;
  // Writes the five settings from the controls; nothing when they are not valid.
  void Apply() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void UpdateEnabled() const;
  [[nodiscard]] bool Checked(int id) const;

  OptionsManager& options_;
  const LocaleManager& locale_;
  Prompts prompts_;
  HINSTANCE module_;
};

// The reminders page for a settings window (template 172).
[[nodiscard]] std::unique_ptr<CSettingsPage> MakeRemindersPage(SettingsContext& context);
