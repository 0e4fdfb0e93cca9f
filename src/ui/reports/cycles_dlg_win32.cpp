#include "ui/reports/cycles_dlg_win32.h"

#include <commctrl.h>

#include <string>

#include "env/access_key.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/cycle_shifts.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "resources/reports_ids.h"
#include "ui/reports/cycle_report.h"
#include "resources/help_ids.h"

CCyclesDlg::CCyclesDlg(MenstualManager& model, const LocaleManager& locale, HINSTANCE resources)
    : CDialog(IDD_MYCYCLES, resources), model_(model), locale_(locale), resources_(resources) {
  SetHelpContext(IDH_MY_CYCLES);
}

BOOL CCyclesDlg::OnInitDialog() {
  const HINSTANCE module = resources_ ? resources_ : GetModuleHandleW(nullptr);
  SetCaptionIcons(Hwnd(), module, IDI_PANE_MYCYCLES, CaptionIcons::kBoth);
  SetWindowTextW(Hwnd(), ToWide(WithoutAccessKey(locale_.Translate(u"MYCYCLES"))).c_str());

  const HWND list = Item(IDC_CYCLES_LIST);
  const DWORD styles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
  const char16_t *const headings[] = {u"BEGINDATE", u"CYCLE_LENGTH",
                                      u"OVULATIONDATE"};
  for (int i = 0; i < 3; ++i) {
    std::wstring text = ToWide(locale_.Translate(headings[i]));
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumnWidth;
    column.pszText = text.data();
    column.iSubItem = i;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }

  SetItemText(IDC_CYCLES_BASIS, ToWide(CyclesBasisLine(model_)));
  const std::vector<CycleRow> rows = CycleRows(model_);
  for (size_t i = 0; i < rows.size(); ++i) {
    std::wstring cells[3] = {ToWide(rows[i].begin), ToWide(rows[i].length),
                             ToWide(rows[i].ovulation)};
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = cells[0].data();
    const int at = static_cast<int>(SendMessageW(
        list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0)
      continue;
    for (int column = 1; column < 3; ++column) {
      if (cells[column].empty())
        continue;
      LVITEMW sub{};
      sub.iSubItem = column;
      sub.pszText = cells[column].data();
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at),
                   reinterpret_cast<LPARAM>(&sub));
    }
  }
  // The last column takes the room the list has left, so its heading is read
  // whole rather than cut to "Date of ovulati...".
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 2, LVSCW_AUTOSIZE_USEHEADER);
  if (SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0) < kColumnWidth) {
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 2, kColumnWidth);
  }
  AddTemperatureColumn(list);
  // The latest cycle is the one a user looks for: in view at the bottom.
  if (!rows.empty())
    SendMessageW(list, LVM_ENSUREVISIBLE, rows.size() - 1, FALSE);
  SetFocus(Item(IDOK));
  return FALSE;
}

// "Confirmed by temperature": the ovulation her temperatures confirmed in
// each cycle, or nothing. The rows are the starts in ascending order.
void CCyclesDlg::AddTemperatureColumn(HWND list) {
  constexpr int kColumn = 3;
  std::wstring heading = ToWide(locale_.Translate(u"TEMP_CONFIRMED_COLUMN"));
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = kColumnWidth;
  column.pszText = heading.data();
  column.iSubItem = kColumn;
  if (SendMessageW(list, LVM_INSERTCOLUMNW, kColumn,
                   reinterpret_cast<LPARAM>(&column)) < 0)
    return;
  const std::vector<PackedDate> starts = model_.GetStartList();
  const std::vector<CycleShift> cycles =
      CycleShifts(model_, model_.Clock().Today());
  for (size_t i = 0; i < starts.size(); ++i) {
    const ShiftFields fields =
        ShiftFieldsOf(CycleStartingOn(cycles, starts[i]));
    if (fields.ovulation.empty())
      continue;
    std::wstring text(fields.ovulation.begin(), fields.ovulation.end());
    LVITEMW sub{};
    sub.iSubItem = kColumn;
    sub.pszText = text.data();
    SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&sub));
  }
  SendMessageW(list, LVM_SETCOLUMNWIDTH, kColumn, LVSCW_AUTOSIZE_USEHEADER);
}
