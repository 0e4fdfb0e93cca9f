#include "ui/days/edit_note_dlg_win32.h"

#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "resources/resource.h"
#include "resources/help_ids.h"

CEditNoteDlg::CEditNoteDlg(const LocaleManager& locale, std::u16string note, HINSTANCE resources)
    : CDialog(IDD_EDIT_NOTE, resources), locale_(locale), note_(std::move(note)) {
  SetHelpContext(IDH_NOTE);
}

BOOL CEditNoteDlg::OnInitDialog() {
  SetWindowTextW(Hwnd(), ToWide(locale_.Translate(u"NOTE")).c_str());
  SetItemText(IDCANCEL, ToWide(locale_.Translate(u"BTN_CANCEL")));
  SetItemText(IDC_NOTE_EDIT, ToWide(note_));
  return TRUE;
}

void CEditNoteDlg::OnOK() {
  note_ = FromWide(ItemText(IDC_NOTE_EDIT));
  Close(IDOK);
}
