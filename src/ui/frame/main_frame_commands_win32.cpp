// How commands reach the main window's pieces: the command table (which piece
// serves each command of the band menus, the tray menu and the panes), and
// the day menu with the one way every day command takes.

#include "model/menstual_manager.h"
#include "resources/resource.h"
#include "settings/options_manager.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/frame/about_dlg_win32.h"
#include "ui/frame/day_menu_items.h"
#include "ui/frame/day_menu_win32.h"
#include "ui/frame/main_frame_win32.h"
#include "ui/reports/cycles_dlg_win32.h"
#include "ui/reports/planning_dialogs_win32.h"
#include "ui/reports/statistic_dlg_win32.h"

void CMainFrame::FillCommands() {
  CommandTable& c = commands_;
  c.Add(ID_FILE_EXIT, [this] { PostMessageW(Hwnd(), WM_CLOSE, 0, 0); });
  c.Add(ID_FILE_LOGOUT, [this] { static_cast<void>(lock_.RunLoginFlow()); });
  c.Add(ID_FILE_CONFIGURE, [this] { settings_.Open(Hwnd()); });
  c.Add(ID_FILE_PRINTALL, [this] {
    if (calendar_) static_cast<void>(printer_.Print(Hwnd(), calendar_->Year(), calendar_->Painter()));
  });
  c.Add(ID_FILE_BACKUP, [this] { static_cast<void>(dataCommands_.BackUp()); });
  c.Add(ID_FILE_RESTORE, [this] { dataCommands_.Restore(); });
  c.Add(ID_FILE_EXPORT, [this] { dataCommands_.Export(); });
  c.Add(ID_NAVIGATE_NEXT, [this] {
    if (calendar_) calendar_->ShowNextMonth();
  });
  c.Add(ID_NAVIGATE_PREV, [this] {
    if (calendar_) calendar_->ShowPreviousMonth();
  });
  c.Add(ID_NAVIGATE_TODAY, [this] { ShowToday(); });
  c.Add(ID_REPORTS_STATISTIC, [this] {
    CStatisticDlg dialog(context_.model, context_.options, context_.locale, context_.clock, context_.resources);
    static_cast<void>(dialog.DoModal(Hwnd()));
  });
  c.Add(ID_REPORTS_MYCYCLES, [this] {
    CCyclesDlg dialog(context_.model, context_.locale, context_.resources);
    static_cast<void>(dialog.DoModal(Hwnd()));
  });
  for (const UINT planning : {ID_REPORTS_BIRTH, ID_REPORTS_HOROSCOPE, ID_REPORTS_CHINA_CAL}) {
    c.Add(planning, [this, planning] {
      RunPlanningDialog(planning, Hwnd(),
                        PlanningContext{context_.model, context_.locale, FrameResources(context_),
                                        [this](HWND owner, DWORD help) { help_.Open(owner, help); }});
    });
  }
  c.Add(ID_HELP_CONTENTS, [this] { help_.OpenContents(Hwnd()); });
  c.Add(ID_HELP_HOME, [this] { help_.OpenSitePage(nullptr); });
  c.Add(ID_HELP_FEEDBACK, [this] { help_.SendFeedback(); });
  c.Add(ID_HELP_CHECK_NEW_VER, [this] { updates_.CheckNewVersion(Hwnd()); });
  for (const UINT about : {ID_APP_ABOUT, ID_HELP_ABOUT}) {
    c.Add(about, [this] {
      CAboutDlg dialog(context_.locale, context_.resources);
      static_cast<void>(dialog.DoModal(Hwnd()));
    });
  }
  c.Add(ID_TRAY_SHOW, [this] {
    ShowFromTray();
    lock_.RunLoginFlowOnce();
  });
}

void CMainFrame::ShowDayMenu(HWND calendar, const RECT& cell) {
  if (!calendar_) return;
  const PackedDate date = calendar_->SelectedDate();
  if (!IsValidDate(date)) return;
  const Day* record = context_.model.GetCachedDay(date);
  // The record pointer lives in the manager's cache until the next change;
  // the questions below only read, so it stays valid while the items are made.
  const std::vector<DayMenuItem> items = DayMenuItems(record, context_.model.CanSetStart(date),
                                                      context_.model.CanSetEnd(date), context_.options.goal);
  DayMenu menu(items, context_.locale, FrameResources(context_));
  if (!menu.Handle()) return;
  POINT at{cell.left, cell.bottom};
  ClientToScreen(calendar, &at);
  // The click selected the date: the Day pane names it before the menu opens.
  panes_.RefreshDay();
  dayMenuOpen_ = true;
  const UINT command =
      context_.prompts.trackMenu(menu.Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at,
                                 Hwnd());
  dayMenuOpen_ = false;
  // The choice arrives as a normal command, after the calendar's click is done.
  if (command) PostMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// Every day command takes this one way: the change through the cycle
// manager, then everything that shows her days made afresh.
void CMainFrame::RunDayCommand(UINT id) {
  if (calendar_) dayCommands_.Run(id, calendar_->SelectedDate(), Hwnd());
  DaysChanged();
}
