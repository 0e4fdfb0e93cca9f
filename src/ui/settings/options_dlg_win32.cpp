#include "ui/settings/options_dlg_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "resources/settings_ids.h"
#include "settings/options_manager.h"
#include "ui/settings/settings_choices.h"

namespace {

constexpr int kMaxOpacity = 255;

}  // namespace

COptionsDlg::COptionsDlg(SettingsContext& context)
    : CSettingsPage(IDD_DESKTOP_PAGE, context.resources),
      context_(context),
      show_(context.options.showDesctop),
      x_(context.options.desk_x),
      y_(context.options.desk_y),
      scale_(context.options.desk_scale),
      opacity_(context.options.desk_trans) {}

BOOL COptionsDlg::OnInitDialog() {
  const OptionsManager& o = context_.options;
  const HWND slider = Item(IDC_DESKTOP_OPACITY);
  SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
  // The slider says "Transparency": far right is the most see-through.
  SendMessageW(slider, TBM_SETPOS, TRUE, kMaxOpacity - std::clamp(opacity_, 0, kMaxOpacity));

  const HWND scale = Item(IDC_DESKTOP_SCALE);
  for (int i = 0; i < kScaleEntries; ++i) {
    const std::wstring text = std::to_wstring(ScaleFromEntry(i)) + L"%";
    SendMessageW(scale, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(scale, CB_SETCURSEL, static_cast<WPARAM>(ScaleEntryFor(o.desk_scale)), 0);

  // The fields take digits only: a stored negative offset shows as 0.
  for (const auto& [id, value] : {std::pair{IDC_DESKTOP_X, x_}, std::pair{IDC_DESKTOP_Y, y_}}) {
    SendMessageW(Item(id), EM_SETLIMITTEXT, kMaxOffsetDigits, 0);
    SetDlgItemInt(Hwnd(), id, static_cast<UINT>(std::max(0, value)), FALSE);
  }
  CheckDlgButton(Hwnd(), IDC_DESKTOP_SHOW, o.showDesctop ? BST_CHECKED : BST_UNCHECKED);
  for (const auto& [id, key] : {std::pair{IDC_DESKTOP_SHOW, u"IDC_SHOW_DESCTOP"},
                                std::pair{IDC_DESKTOP_X_LABEL, u"IDC_STATICX"},
                                std::pair{IDC_DESKTOP_Y_LABEL, u"IDC_STATICY"},
                                std::pair{IDC_DESKTOP_SCALE_LABEL, u"IDC_STATIC_SCALE"},
                                std::pair{IDC_DESKTOP_OPACITY_LABEL, u"IDC_FONT3"}}) {
    SetItemText(id, ToWide(context_.locale.Translate(key)));
  }
  EnableControls();
  return TRUE;
}

// Everything but the check box follows it.
void COptionsDlg::EnableControls() const {
  const BOOL on = IsDlgButtonChecked(Hwnd(), IDC_DESKTOP_SHOW) == BST_CHECKED;
  for (int id : {IDC_DESKTOP_X_LABEL, IDC_DESKTOP_X, IDC_DESKTOP_Y_LABEL, IDC_DESKTOP_Y, IDC_DESKTOP_SCALE_LABEL,
                 IDC_DESKTOP_SCALE, IDC_DESKTOP_OPACITY_LABEL, IDC_DESKTOP_OPACITY}) {
    EnableWindow(Item(id), on);
  }
}

bool COptionsDlg::OnCommand(WORD id, WORD code, HWND) {
  if (id == IDC_DESKTOP_SHOW && code == BN_CLICKED) {
    EnableControls();
    return true;
  }
  return false;
}

// An emptied field is 0; text that is no number keeps the offset as it was.
int COptionsDlg::ReadOffset(int id, int previous) const {
  if (ItemText(id).empty()) return 0;
  BOOL ok = FALSE;
  const UINT value = GetDlgItemInt(Hwnd(), id, &ok, FALSE);
  return ok ? static_cast<int>(std::min<UINT>(value, 99999)) : previous;
}

void COptionsDlg::ReadControls() {
  show_ = IsDlgButtonChecked(Hwnd(), IDC_DESKTOP_SHOW) == BST_CHECKED;
  x_ = ReadOffset(IDC_DESKTOP_X, x_);
  y_ = ReadOffset(IDC_DESKTOP_Y, y_);
  opacity_ = kMaxOpacity -
             std::clamp(static_cast<int>(SendMessageW(Item(IDC_DESKTOP_OPACITY), TBM_GETPOS, 0, 0)), 0, kMaxOpacity);
  const LRESULT entry = SendMessageW(Item(IDC_DESKTOP_SCALE), CB_GETCURSEL, 0, 0);
  scale_ = ScaleFromEntry(entry >= 0 ? static_cast<int>(entry) : ScaleEntryFor(scale_));
}

void COptionsDlg::Apply() {
  OptionsManager& o = context_.options;
  o.showDesctop = show_;
  o.desk_x = x_;
  o.desk_y = y_;
  o.desk_trans = opacity_;
  o.desk_scale = scale_;
}
