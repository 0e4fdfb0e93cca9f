#pragma once

#include <windows.h>

#include <functional>

#include "ui/widgets/dialog_win32.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;

// Entry of one day's temperature, in Fahrenheit ("F", index 0) or Celsius
// ("C", index 1). Switching the unit converts the value and saves the
// setting at once, so it sticks even when the dialog is then cancelled.
class CTemperatureDlg : public CDialog {
 public:
  static constexpr int kFahrenheitIndex = 0;
  static constexpr int kCelsiusIndex = 1;

  // initial: the stored temperature (or the caller's starting value); two
  // decimals are kept. openHelp runs for the Help button.
  CTemperatureDlg(OptionsManager& options, const LocaleManager& locale, const Prompts& prompts, double initial,
                  std::function<void(HWND)> openHelp = {}, HINSTANCE resources = nullptr);

  // The value after OK, in the unit then selected.
  [[nodiscard]] double Value() const { return value_; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  void OnOK() override;

 private:
  void ShowValue();
  void OnUnitChanged();

  OptionsManager& options_;
  const LocaleManager& locale_;
  const Prompts& prompts_;
  double value_;
  std::function<void(HWND)> openHelp_;
};
