#include "ui/frame/about_dlg_win32.h"

#include <string>

#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "resources/image_ids.h"
#include "resources/help_ids.h"

CAboutDlg::CAboutDlg(const LocaleManager& locale, HINSTANCE resources)
    : CDialog(kTemplateId, resources), locale_(locale), resources_(resources ? resources : GetModuleHandleW(nullptr)) {
  SetHelpContext(IDH_ABOUT);
}

// Name and version come from the translations, so a distributor's language
// file names the program the same way here as in the title and the tray.
BOOL CAboutDlg::OnInitDialog() {
  const std::wstring nameAndVersion =
      ToWide(locale_.Translate(u"APP_NAME") + u" " + locale_.Translate(u"APP_VER"));
  SetWindowTextW(Hwnd(), nameAndVersion.c_str());
  SetItemText(kNameId, nameAndVersion);
  SetItemText(kRightsId, ToWide(locale_.Translate(u"ABOUT_RIGHTS")));
  SetItemText(IDOK, ToWide(locale_.Translate(u"BTN_OK")));
  // The large program icon; shared, so the system keeps it.
  if (const auto icon = static_cast<HICON>(LoadImageW(resources_, MAKEINTRESOURCEW(IDI_TAMAREL), IMAGE_ICON, 32, 32,
                                                      LR_SHARED))) {
    SendDlgItemMessageW(Hwnd(), kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  return TRUE;
}
