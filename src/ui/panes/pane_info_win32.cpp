#include "ui/panes/pane_info_win32.h"

#include <memory>

#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "resources/pane_ids.h"
#include "ui/days/day_edits.h"
#include "ui/panes/day_info_dlg_win32.h"
#include "ui/panes/pane_texts.h"
#include "ui/reports/temperature_dlg_win32.h"

CPaneInfo::CPaneInfo(const PaneContext& context) : CPaneDialog(IDD_PANE_INFO, context) {}

BOOL CPaneInfo::OnInitDialog() {
  AddSkinButton(IDC_INFO_TODAY, IDI_PANE_TODAY);
  AddSkinButton(IDC_INFO_CLASS, 0);
  AddSkinButton(IDC_INFO_TEMPERATURE, IDI_PANE_TEMPERATURE);
  AddSkinButton(IDC_INFO_PERIOD, IDI_PANE_PERIOD);
  Refresh(true);
  return FALSE;
}

void CPaneInfo::Refresh(bool force) {
  MenstualManager& model = context_.model;
  // The period she is in: the last start on or before today (a start marked
  // ahead of today does not count yet).
  const PackedDate today = context_.clock.Today();
  const PackedDate start = model.Database().GetStartBefore(today);
  SetItemText(IDC_INFO_TODAY, ToWide(TodayLine(context_.locale, today, start.IsEmpty() ? nullptr : &start)));

  const PackedDate selected = context_.host.SelectedDate();
  const int dayClass = model.GetDayClass(selected);
  SetItemText(IDC_INFO_CLASS, ToWide(ClassButtonText(context_.locale, dayClass)));
  SetItemText(IDC_INFO_PERIOD, Text(u"PANE1_TITLE"));

  if (!force && selected == shownDate_) return;
  shownDate_ = selected;
  const Day* day = model.GetCachedDay(selected);
  SetItemText(IDC_INFO_TEXT, ToWide(InfoEditText(context_.locale, day, model.GetTip(selected, dayClass))));
  SetItemText(IDC_INFO_TEMPERATURE, ToWide(TemperatureButtonText(context_.locale, day)));
}

bool CPaneInfo::OnCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_INFO_TODAY: context_.host.ShowToday(); return true;
    case IDC_INFO_TEMPERATURE: EditTemperature(); return true;
    case IDC_INFO_PERIOD: {
      CDayInfoDlg dialog(context_);
      dialog.DoModal(GetAncestor(Hwnd(), GA_ROOT));
      return true;
    }
    default: return false;
  }
}

// The same entry as the day menu's, but a day without a record starts at 100.
void CPaneInfo::EditTemperature() {
  const PackedDate date = context_.host.SelectedDate();
  if (!IsValidDate(date)) return;
  MenstualManager& model = context_.model;
  const std::unique_ptr<Day> stored = model.GetDay(date);
  IPaneHost& host = context_.host;
  const HWND owner = GetAncestor(Hwnd(), GA_ROOT);
  CTemperatureDlg dialog(context_.options, context_.locale, context_.prompts,
                         stored ? stored->temperature : kNewDayTemperature,
                         [&host](HWND helpOwner) { host.OpenTemperatureHelp(helpOwner); }, context_.resources);
  if (dialog.DoModal(owner) != IDOK) return;
  ShowSaveError(model.StoreDay(WithTemperature(stored.get(), date, dialog.Value())));
  Refresh(true);
  host.RepaintCalendar();
}

void CPaneInfo::ShowSaveError(SaveResult result) const {
  if (result == SaveResult::kDone || !context_.prompts.messageBox) return;
  context_.prompts.messageBox(GetAncestor(Hwnd(), GA_ROOT), ToWide(SaveResultMessage(result, context_.locale)),
                              Text(u"ERROR"), MB_OK | MB_ICONINFORMATION);
}
