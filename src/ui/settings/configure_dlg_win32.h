#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/settings/colour_picker_cb_win32.h"
#include "ui/widgets/settings_page_win32.h"

// The general settings page: language, colour theme, start with Windows,
// logins, update checks, "Encrypt my calendar" for the user logged in and
// the days of deleted users.
class CConfigureDlg : public CSettingsPage {
public:
  explicit CConfigureDlg(SettingsContext &context);

  void ReadControls() override;
  void Apply() override;

  [[nodiscard]] const CColourPickerCB &ThemeList() const { return themes_; }

protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

private:
  // The box follows her calendar; the line and its button show only when
  // deleted users left days behind.
  void ShowCalendarState();
  // Her days move at once (not at OK): the move asks, warns and may fail.
  void OnEncryptClicked();
  void OnDeleteLeftovers();

  SettingsContext &context_;
  CColourPickerCB themes_;
  std::vector<std::wstring> languages_;
  int rememberedLanguage_ = 0;
  // What the controls held at the last OK.
  int language_ = 0;
  std::wstring languageText_;
  bool autoLoad_ = false;
  bool userLogins_ = false;
  bool disableUpdates_ = false;
  bool cautiousWindow_ = false;
  int theme_ = 0;
};
