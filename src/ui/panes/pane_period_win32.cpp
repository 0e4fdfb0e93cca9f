#include "ui/panes/pane_period_win32.h"

#include <string>
#include <vector>

#include "settings/options_manager.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/pane_ids.h"
#include "ui/panes/pane_texts.h"

namespace {

std::wstring ListText(HWND list, WPARAM index) {
  const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

// A list that already holds these entries keeps them; only the selection
// follows the value. Filling it again would cost a round of messages and a
// repaint on every refresh of the pane.
void FillList(HWND list, int first, int last, int value) {
  std::vector<std::wstring> entries;
  for (const std::u16string& entry : LengthEntries(first, last)) entries.push_back(ToWide(entry));
  bool same = SendMessageW(list, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(entries.size());
  for (size_t i = 0; same && i < entries.size(); ++i) same = ListText(list, i) == entries[i];
  if (!same) {
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& text : entries) {
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
  const auto index = static_cast<LRESULT>(LengthIndex(value, first, last));
  if (!same || SendMessageW(list, CB_GETCURSEL, 0, 0) != index) {
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

}  // namespace

CPanePeriod::CPanePeriod(const PaneContext& context) : CPaneDialog(IDD_PANE_PERIOD, context) {
  LabelFollows(IDC_PERIOD_CYCLE_LABEL, IDC_PERIOD_CYCLE);
  LabelFollows(IDC_PERIOD_LUTEAL_LABEL, IDC_PERIOD_LUTEAL);
}

BOOL CPanePeriod::OnInitDialog() {
  RefreshTexts();
  ApplyControls();
  context_.host.RepaintCalendar();
  return FALSE;
}

void CPanePeriod::RefreshTexts() {
  const OptionsManager& options = context_.options;
  SetItemText(IDC_PERIOD_AUTO, Text(u"AUTO"));
  SetItemText(IDC_PERIOD_MANUAL, Text(u"MANUAL"));
  SetItemText(IDC_PERIOD_CYCLE_LABEL, Text(u"MENSTRUAL_CICLE"));
  SetItemText(IDC_PERIOD_LUTEAL_LABEL, Text(u"LUTERAL"));
  FillList(Item(IDC_PERIOD_CYCLE), OptionsManager::minPeriodLen, OptionsManager::maxPeriodLen, options.periodLen);
  FillList(Item(IDC_PERIOD_LUTEAL), OptionsManager::minLuteralLen, OptionsManager::maxLuteralLen,
           options.luteralLen);
  CheckRadioButton(Hwnd(), IDC_PERIOD_AUTO, IDC_PERIOD_MANUAL,
                   options.autoPeriodCalculation ? IDC_PERIOD_AUTO : IDC_PERIOD_MANUAL);
  const bool manual = !options.autoPeriodCalculation;
  for (const int id : {IDC_PERIOD_CYCLE, IDC_PERIOD_LUTEAL}) EnableItem(id, manual);
}

bool CPanePeriod::OnCommand(WORD id, WORD code, HWND) {
  const bool radio = (id == IDC_PERIOD_AUTO || id == IDC_PERIOD_MANUAL) && code == BN_CLICKED;
  const bool list = (id == IDC_PERIOD_CYCLE || id == IDC_PERIOD_LUTEAL) && code == CBN_SELCHANGE;
  if (!radio && !list) return false;
  if (radio) CheckRadioButton(Hwnd(), IDC_PERIOD_AUTO, IDC_PERIOD_MANUAL, id);
  ApplyControls();
  // Other lengths move every predicted day: whatever shows them is made afresh.
  context_.host.DaysChanged();
  return true;
}

void CPanePeriod::ApplyControls() {
  OptionsManager& options = context_.options;
  const bool automatic = IsChecked(IDC_PERIOD_AUTO);
  options.autoPeriodCalculation = automatic;
  for (const int id : {IDC_PERIOD_CYCLE, IDC_PERIOD_LUTEAL}) EnableItem(id, !automatic);
  if (!automatic) {
    // The lists always hold a selection (RefreshTexts keeps it inside them).
    const auto selection = [this](int id) {
      const LRESULT index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
      return index == CB_ERR ? 0 : static_cast<int>(index);
    };
    options.periodLen = selection(IDC_PERIOD_CYCLE) + OptionsManager::minPeriodLen;
    options.luteralLen = selection(IDC_PERIOD_LUTEAL) + OptionsManager::minLuteralLen;
  }
  context_.model.Reload();
}
