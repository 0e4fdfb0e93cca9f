#pragma once

#include <windows.h>

#include "resources/resource.h"
#include "ui/widgets/dialog_win32.h"

class LocaleManager;

// Help > About: the program's icon, its name and version, the rights notice
// and OK. Shown from the program itself; nothing is fetched.
class CAboutDlg : public CDialog {
 public:
  static constexpr int kTemplateId = IDD_ABOUTBOX;
  static constexpr int kIconId = IDC_ABOUT_ICON;
  static constexpr int kNameId = IDC_ABOUT_NAME;
  static constexpr int kRightsId = IDC_ABOUT_RIGHTS;

  explicit CAboutDlg(const LocaleManager& locale, HINSTANCE resources = nullptr);

 protected:
  BOOL OnInitDialog() override;

 private:
  const LocaleManager& locale_;
  HINSTANCE resources_;
};
