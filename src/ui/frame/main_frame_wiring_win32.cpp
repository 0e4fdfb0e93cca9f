// How the main window is put together: its pieces made and wired to each
// other, their windows created, the command table (which piece serves each
// command of the band menus, the tray menu and the panes) and the day menu.

#include <algorithm>

#include "accounts/calendar_session.h"

#include "env/debug_log_win32.h"
#include "model/menstual_manager.h"
#include "resources/help_ids.h"
#include "resources/image_ids.h"
#include "resources/resource.h"
#include "settings/options_manager.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/frame/about_dlg_win32.h"
#include "ui/frame/day_menu_items.h"
#include "ui/frame/day_menu_win32.h"
#include "ui/frame/frame_loop_filter_win32.h"
#include "ui/frame/frame_texts.h"
#include "ui/frame/main_frame_win32.h"
#include "ui/reports/cycles_dlg_win32.h"
#include "ui/reports/planning_dialogs_win32.h"
#include "ui/reports/statistic_dlg_win32.h"
#include "ui/settings/settings_dialog_win32.h"
#include "ui/widgets/dialog_win32.h"
#include "ui/widgets/message_loop_win32.h"

static_assert(CMainFrame::kSettingsClosedMessage == CSettingsDialog::kClosedMessage);

CMainFrame::CMainFrame(FrameContext context)
    : context_(std::move(context)),
      calendarHost_({[this] { return CalendarRect(); },
                     [this](HWND calendar, const RECT& cell) { OpenDayMenu(calendar, cell); },
                     [this] { return GetActiveWindow() == Hwnd(); },
                     // The keyboard moved the selected day: the Day pane names it, as after a click.
                     [this] { panes_.RefreshDay(); }}),
      help_(context_.locale, context_.prompts),
      placement_(context_.options, context_.monitorAreas),
      band_(context_.options, context_.locale, context_.prompts, FrameResources(context_)),
      panes_(PaneContext{context_.options, context_.locale, context_.model, context_.clock, *this, context_.prompts,
                         FrameResources(context_), context_.chooseColor},
             [this] { Refreshed(FrameDependent::kPanes); }),
      lock_(context_, {[this] { LockChanged(); }, [this] { DaysChanged(); },
                       [this](HWND owner) { return dataCommands_.BackUp(owner); }}),
      tray_(context_.options, context_.locale, context_.clock, context_.prompts,
            {[this] {
               if (lock_.Hidden()) return LockedTrayTooltip(context_.locale);
               const PackedDate today = context_.clock.Today();
               return TrayTooltip(context_.locale, context_.model, today);
             },
             [this] { reminders_.Check(true); }, [this] { reminders_.Hide(); },
             [this] {
               ShowFromTray();
               lock_.RunLoginFlowOnce();
             },
             [this] { Refreshed(FrameDependent::kTrayTip); }}),
      reminders_(
          context_, [this] { return lock_.Hidden(); }, [this] { Refreshed(FrameDependent::kReminders); },
          [this](bool onScreen) { tray_.QuietTip(onScreen); }),
      dayCommands_(context_.model, context_.options, context_.locale, context_.prompts, FrameResources(context_),
                   [this](HWND owner) { help_.Open(owner, IDH_TEMPERATURE); }),
      dataCommands_(context_,
                    [this] {
                      lock_.RefreshTitle();
                      DaysChanged();
                    }),
      printer_(context_.options, context_.locale, context_.prompts, context_.choosePrinter),
      updates_(context_.options, context_.locale, context_.clock, context_.prompts, FrameResources(context_),
               context_.codec),
      settings_(
          context_, [this] { RefreshTexts(); },
          [this] {
            panes_.Colour(context_.options.theme);
            RepaintMainWindow();
          },
          [this] {
            // Logins turned off: everybody works on db.dat's shared days,
            // and her key goes.
            if (!context_.options.userLogins && context_.session) context_.session->Close();
            // New colours: the calendar is made again in them.
            if (calendar_ && CalendarHwnd()) calendar_->OnHostSize();
            panes_.Colour(context_.options.theme);
            DaysChanged();
            RepaintMainWindow();
          },
          [this](HWND owner) { return dataCommands_.BackUp(owner); }, [this] { DaysChanged(); }) {
  FillCommands();
}

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM) {
  const HINSTANCE module = FrameResources(context_);
  SetCaptionIcons(Hwnd(), module, IDI_TAMAREL, CaptionIcons::kBoth);
  lock_.Attach(Hwnd());
  dataCommands_.Attach(Hwnd());
  const RECT client = ClientArea();
  calendar_ = std::make_unique<AFCYearSelectWnd>(calendarHost_, context_.model, context_.options, context_.locale,
                                                 context_.clock);
  const RECT area = CalendarRect();
  const RECT below{0, kBandHeight, area.right, std::max(area.bottom, static_cast<LONG>(kBandHeight))};
  if (!calendar_->CreateControl(below, Hwnd(), AFCYearSelectWnd::kControlId)) {
    LogMessage(L"the calendar control could not be created");
  } else {
    calendar_->OnHostSize();
  }
  if (!band_.CreateBand(Hwnd(), client.right)) LogMessage(L"the band could not be created");
  panes_.Create(Hwnd(), PaneColumn::Area(client), [this] {
    if (calendar_) calendar_->StopTooltipTimer();
  });
  tray_.Add(Hwnd(), module, context_.trayWatchInterval);
  reminders_.Start(Hwnd());
  loopFilter_ = std::make_unique<FrameLoopFilter>([this] { return Hwnd(); }, [this] { return CalendarHwnd(); }, band_,
                                                  panes_, lock_);
  if (MessageLoop* loop = MessageLoop::Current()) loop->AddFilter(loopFilter_.get());
  RefreshTexts();
  LockChanged();
  return 0;
}

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

// The day menu of the selected date under its cell; the choice arrives as a
// normal command, after the calendar's click is done.
void CMainFrame::OpenDayMenu(HWND calendar, const RECT& cell) {
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
  if (command) PostMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
