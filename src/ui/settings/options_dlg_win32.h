#pragma once

#include <windows.h>

#include "ui/widgets/settings_page_win32.h"

// The desktop-calendar page: the calendar on or off, its offset from the
// screen's top-left corner, its scale and its opacity.
class COptionsDlg : public CSettingsPage {
 public:
  // Longest offset typed, in digits.
  static constexpr int kMaxOffsetDigits = 5;

  explicit COptionsDlg(SettingsContext& context);

  void ReadControls() override;
  void Apply() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void EnableControls() const;
  [[nodiscard]] int ReadOffset(int id, int previous) const;

  SettingsContext& context_;
  bool show_ = false;
  int x_ = 0;
  int y_ = 0;
  int scale_ = 40;
  int opacity_ = 70;
};
