#include "ui/panes/pane_info_win32.h"

#include <algorithm>
#include <memory>

#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/cycle_shifts.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "resources/pane_ids.h"
#include "settings/options_manager.h"
#include "ui/days/day_entry_win32.h"
#include "ui/panes/day_info_dlg_win32.h"
#include "ui/panes/pane_texts.h"
#include "ui/widgets/gdi_win32.h"
#include "ui/widgets/resizable_dlg_bar_win32.h"

CPaneInfo::CPaneInfo(const PaneContext &context)
    : CPaneDialog(IDD_PANE_INFO, context) {}

BOOL CPaneInfo::OnInitDialog() {
  AddSkinButton(IDC_INFO_TODAY, IDI_PANE_TODAY);
  AddSkinButton(IDC_INFO_CLASS, 0);
  AddSkinButton(IDC_INFO_TEMPERATURE, IDI_PANE_TEMPERATURE);
  AddSkinButton(IDC_INFO_PERIOD, IDI_PANE_PERIOD);
  RECT pane{}, text{};
  GetWindowRect(Hwnd(), &pane);
  GetWindowRect(Item(IDC_INFO_TEXT), &text);
  templateTextHeight_ = text.bottom - text.top;
  Refresh(true);
  // The bar lays the new pane out after creating it: it needs no word of
  // the height the first text wants.
  templateHeight_ = pane.bottom - pane.top;
  wantedShown_ = Heights().wanted;
  return FALSE;
}

int CPaneInfo::LineHeight() const {
  const HWND edit = Item(IDC_INFO_TEXT);
  ClientDC dc(edit);
  const auto font =
      reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
  const SelectGuard select(dc.Get(), font ? static_cast<HGDIOBJ>(font)
                                          : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return std::max(1, static_cast<int>(metrics.tmHeight));
}

PaneHeights CPaneInfo::Heights() const {
  const HWND edit = Item(IDC_INFO_TEXT);
  RECT window{}, client{};
  GetWindowRect(edit, &window);
  GetClientRect(edit, &client);
  // Borders and the edit's own inner margin above and below the text.
  const int frame = (window.bottom - window.top) - client.bottom + 4;
  const int lines =
      std::max(1, static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0)));
  const int line = LineHeight();
  const int rest = templateHeight_ - templateTextHeight_;
  return PaneHeights{rest + frame + 2 * line,
                     rest +
                         std::max(templateTextHeight_, frame + lines * line)};
}

void CPaneInfo::ResizeTo(int height) {
  RECT pane{};
  GetWindowRect(Hwnd(), &pane);
  const int delta = height - (pane.bottom - pane.top);
  if (delta == 0)
    return;
  const HWND edit = Item(IDC_INFO_TEXT);
  RECT r{};
  GetWindowRect(edit, &r);
  MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT *>(&r), 2);
  SetWindowPos(edit, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + delta,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int id : {IDC_INFO_TEMPERATURE, IDC_INFO_PERIOD}) {
    const HWND link = Item(id);
    GetWindowRect(link, &r);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT *>(&r), 2);
    SetWindowPos(link, nullptr, r.left, r.top + delta, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(Hwnd(), nullptr, 0, 0, pane.right - pane.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The box is as tall as it is going to be: its first line on top.
  SendMessageW(edit, EM_LINESCROLL, 0,
               -SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void CPaneInfo::Refresh(bool force) {
  MenstualManager &model = context_.model;
  // The period she is in: the last start on or before today (a start marked
  // ahead of today does not count yet).
  const TodayWords words = TodayWordsFrom(model, context_.clock.Today());
  std::wstring today = ToWide(words.today);
  // A today line too long for the pane (late, or a long language) keeps the
  // date alone: the line below names the day's class or that she is late.
  if (!SkinTextFits(IDC_INFO_TODAY, today)) {
    today = ToWide(TodayLine(context_.locale, context_.clock.Today(), nullptr));
  }
  SetItemText(IDC_INFO_TODAY, today);

  const PackedDate selected = context_.host.SelectedDate();
  const int dayClass = model.GetDayClass(selected);
  // Before the first period there is no cycle to describe, only a first step.
  const bool noPeriod = model.Standing(selected) == DayStanding::kNoPeriod;
  SetItemText(IDC_INFO_CLASS, ToWide(model.DayLabel(selected, dayClass)));
  SetItemText(IDC_INFO_PERIOD, Text(u"PANE1_TITLE"));

  // The unit can change in the temperature dialog while the day stays.
  const bool fahrenheit = context_.options.farinheit;
  if (!force && selected == shownDate_ && fahrenheit == shownFahrenheit_) return;
  shownDate_ = selected;
  shownFahrenheit_ = fahrenheit;
  const Day* day = model.GetCachedDay(selected);
  // The pane names the day it describes, so she sees which day the
  // temperature link will change.
  std::u16string about =
      noPeriod ? InfoEditText(context_.locale, day, NoPeriodHint(context_.locale))
               : InfoEditText(context_.locale, day, model.GetTip(selected, dayClass));
  // What the prediction stands on, its range and a late period's test line.
  if (const std::u16string prediction = PredictionLines(words); !prediction.empty()) {
    if (!about.empty() && about.back() != u'\n') about += u"\r\n";
    about += prediction;
  }
  SetItemText(IDC_INFO_TEXT,
              ToWide(SelectedDayLine(context_.locale, selected) + u"\r\n" +
                     about + TemperatureLines(selected, day)));
  SetItemText(IDC_INFO_TEMPERATURE, ToWide(TemperatureButtonText(context_.locale, day, fahrenheit)));
  // A longer or shorter text: the bar gives the box the height it now wants.
  if (templateHeight_ > 0) {
    const int wanted = Heights().wanted;
    if (wanted != wantedShown_) {
      wantedShown_ = wanted;
      if (const HWND bar = GetParent(Hwnd()))
        PostMessageW(bar, CResizableDlgBar::kRelayoutMessage, 0, 0);
    }
  }
}

// The disturbed mark of the day, and in the current cycle what her
// temperatures say of it; each on a line of its own after the tip.
std::u16string CPaneInfo::TemperatureLines(const PackedDate &selected,
                                           const Day *day) {
  std::u16string lines;
  if (const std::u16string mark = DisturbedLine(context_.locale, day);
      !mark.empty())
    lines += u"\r\n" + mark;
  const std::vector<CycleShift> cycles =
      CycleShifts(context_.model, context_.clock.Today());
  if (!cycles.empty() && cycles.back().cycle.open &&
      selected >= cycles.back().cycle.first) {
    const std::u16string shift =
        TemperatureShiftLine(context_.locale, cycles.back().shift);
    if (!shift.empty())
      lines += u"\r\n" + shift;
  }
  return lines;
}

bool CPaneInfo::OnCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED)
    return false;
  switch (id) {
  case IDC_INFO_TODAY:
    context_.host.ShowToday();
    return true;
  case IDC_INFO_TEMPERATURE:
    EditTemperature();
    return true;
  case IDC_INFO_PERIOD: {
    CDayInfoDlg dialog(context_);
    dialog.DoModal(GetAncestor(Hwnd(), GA_ROOT));
    return true;
  }
  default:
    return false;
  }
}

// The same entry as the day menu's.
void CPaneInfo::EditTemperature() {
  IPaneHost& host = context_.host;
  const DayEntry entry(context_.model, context_.options, context_.locale, context_.prompts, context_.resources,
                       [&host](HWND helpOwner) { host.OpenTemperatureHelp(helpOwner); });
  if (entry.EditTemperature(host.SelectedDate(), GetAncestor(Hwnd(), GA_ROOT)) == DayEntry::Outcome::kCancelled) {
    return;
  }
  // The frame shows the day afresh everywhere, this pane included.
  host.DaysChanged();
}
