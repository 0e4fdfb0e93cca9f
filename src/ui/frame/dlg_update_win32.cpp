#include "ui/frame/dlg_update_win32.h"

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "resources/update_ids.h"
#include "resources/help_ids.h"

CDlgUpdate::CDlgUpdate(const LocaleManager& locale, std::u16string version, HINSTANCE resources)
    : CDialog(IDD_UPDATE, resources), locale_(locale), version_(std::move(version)) {
  SetHelpContext(IDH_UPDATE);
}

BOOL CDlgUpdate::OnInitDialog() {
  SetWindowTextW(Hwnd(), ToWide(locale_.Translate(u"UPDATE")).c_str());
  SetItemText(IDC_UPDATE_INFO, ToWide(FormatText(locale_.Translate(u"UPDATE_INFO"), {std::u16string_view(version_)})));
  SetItemText(IDC_UPDATE_DONT_CHECK, ToWide(locale_.Translate(u"DONT_UPDATE")));
  SetItemText(IDOK, ToWide(locale_.Translate(u"UPDATE")));
  SetItemText(IDCANCEL, ToWide(locale_.Translate(u"BTN_CANCEL")));
  // The answer most users give is at hand; the box is one Tab away.
  SetFocus(Item(IDOK));
  return FALSE;
}

void CDlgUpdate::ReadBox() { dontCheck_ = IsDlgButtonChecked(Hwnd(), IDC_UPDATE_DONT_CHECK) == BST_CHECKED; }

void CDlgUpdate::OnOK() {
  ReadBox();
  Close(IDOK);
}

void CDlgUpdate::OnCancel() {
  ReadBox();
  Close(IDCANCEL);
}
