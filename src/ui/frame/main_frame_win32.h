#pragma once

#include <windows.h>

#include <memory>

#include "resources/help_ids.h"
#include "ui/calendar/calendar_host_win32.h"
#include "ui/frame/band_bar_win32.h"
#include "ui/frame/calendar_printer_win32.h"
#include "ui/days/day_commands_win32.h"
#include "ui/frame/command_table.h"
#include "ui/frame/data_commands_win32.h"
#include "ui/frame/frame_context_win32.h"
#include "ui/frame/frame_help_win32.h"
#include "ui/frame/login_lock_win32.h"
#include "ui/frame/pane_column_win32.h"
#include "ui/frame/reminder_presenter_win32.h"
#include "ui/frame/settings_window_host_win32.h"
#include "ui/frame/tray_presence_win32.h"
#include "ui/frame/update_offer_win32.h"
#include "ui/frame/window_placement_win32.h"
#include "ui/panes/pane_host_win32.h"
#include "ui/widgets/window_win32.h"

class AFCYearSelectWnd;
class FrameLoopFilter;

// The program's top-level window. It keeps the window, owns the pieces that
// each do one job (the band, the calendar, the pane column, the tray, the
// reminders, the login lock, the placement, the settings window) and routes
// messages and commands to them. After anything that changes her days, the
// goal, the lengths, the user or the settings, DaysChanged makes afresh
// everything that shows them, once.
class CMainFrame : public CWindow, public IPaneHost {
 public:
  static constexpr const wchar_t* kClassName = L"TamarelMainFrame";
  static constexpr UINT kTrayMessage = TrayPresence::kMessage;
  // The settings window's closing notification (CSettingsDialog::kClosedMessage).
  static constexpr UINT kSettingsClosedMessage = WM_USER + 5;

  explicit CMainFrame(FrameContext context);
  ~CMainFrame() override;

  // Creates the frame, hidden, at the stored rectangle.
  [[nodiscard]] bool CreateFrame();
  // Shows the window as it was (maximized when it was) and brings it to the
  // front; what a click on the tray icon and a second start do.
  void ShowFromTray() { placement_.ShowAsBefore(Hwnd()); }
  // Start-up asked for the login already; the first restore from the tray
  // does not ask again.
  void LoginAskedAtStart() { lock_.AskedAtStart(); }
  // Her days, the goal, the lengths, the user or the settings changed: the
  // calendar, the panes, the tray tooltip, the desktop picture and the
  // reminders are made afresh, each once.
  void DaysChanged() override;

  // The calendar's place in the client area: all of it but the pane column
  // on the right.
  [[nodiscard]] RECT CalendarRect() const {
    const RECT client = ClientArea();
    return RECT{0, 0, client.right - kPaneBarWidth, client.bottom};
  }

  // The message loop's filter (FrameLoopFilter); true when it took the message.
  bool RouteMouseMessage(MSG& msg);
  bool RouteKeyMessage(MSG& msg);
  // While a band menu or the login dialog is open.
  [[nodiscard]] bool MouseRoutingSuspended() const { return band_.OpenTitle() >= 0 || lock_.FlowRunning(); }

  // IPaneHost
  [[nodiscard]] PackedDate SelectedDate() const override;
  void ShowToday() override;
  void RepaintCalendar() override;
  void RepaintMainWindow() override;
  void RunCommand(UINT id) override { SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void GoalChanged() override { DaysChanged(); }
  void OpenTemperatureHelp(HWND owner) override { help_.Open(owner, IDH_TEMPERATURE); }

  // The pieces.
  [[nodiscard]] AFCYearSelectWnd* Calendar() const { return calendar_.get(); }
  [[nodiscard]] HWND CalendarHwnd() const;
  [[nodiscard]] CBandBar& Band() { return band_; }
  [[nodiscard]] PaneColumn& Panes() { return panes_; }
  [[nodiscard]] TrayPresence& Tray() { return tray_; }
  [[nodiscard]] ReminderPresenter& Reminders() { return reminders_; }
  [[nodiscard]] LoginLock& Lock() { return lock_; }
  [[nodiscard]] const WindowPlacement& Placement() const { return placement_; }
  [[nodiscard]] SettingsWindowHost& SettingsWindow() { return settings_; }
  [[nodiscard]] UpdateOffer& Updates() { return updates_; }
  [[nodiscard]] const FrameHelp& Help() const { return help_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnCreate(WPARAM wp, LPARAM lp) override;
  LRESULT OnClose(WPARAM wp, LPARAM lp) override;
  LRESULT OnEndSession(WPARAM wp, LPARAM lp) override;
  LRESULT OnDestroy(WPARAM wp, LPARAM lp) override;
  LRESULT OnSize(WPARAM wp, LPARAM lp) override;
  LRESULT OnSizing(WPARAM wp, LPARAM lp) override;
  LRESULT OnGetMinMaxInfo(WPARAM wp, LPARAM lp) override;
  LRESULT OnPaint(WPARAM wp, LPARAM lp) override;
  LRESULT OnEraseBkgnd(WPARAM wp, LPARAM lp) override;
  LRESULT OnTimer(WPARAM wp, LPARAM lp) override;
  LRESULT OnCommand(WPARAM wp, LPARAM lp) override;
  LRESULT OnSetFocus(WPARAM wp, LPARAM lp) override;

 private:
  // main_frame_wiring_win32.cpp: which piece serves each command.
  void FillCommands();
  void OpenDayMenu(HWND calendar, const RECT& cell);
  void RunDayCommand(UINT id);
  void RefreshTexts();
  // The calendar and the panes shown or hidden as the lock says.
  void ShowDays();
  // The lock changed without a change of days (the login dialog opens).
  void LockChanged();
  void UpdateDesktopCalendar();
  // Hover marks of the band and the calendar go; keepTitle stays lit.
  void ForgetPointer(int keepTitle);
  LRESULT OnActivate(WPARAM wp, LPARAM lp);
  void Refreshed(FrameDependent what) const {
    if (context_.refreshed) context_.refreshed(what);
  }
  [[nodiscard]] RECT ClientArea() const {
    RECT c{};
    GetClientRect(Hwnd(), &c);
    return c;
  }

  FrameContext context_;
  // What the calendar asks of the frame, answered without the calendar
  // calling the frame itself.
  CalendarHostHooks calendarHost_;
  std::unique_ptr<FrameLoopFilter> loopFilter_;
  std::unique_ptr<AFCYearSelectWnd> calendar_;
  FrameHelp help_;
  WindowPlacement placement_;
  CBandBar band_;
  PaneColumn panes_;
  LoginLock lock_;
  TrayPresence tray_;
  ReminderPresenter reminders_;
  DayCommands dayCommands_;
  DataCommands dataCommands_;
  CalendarPrinter printer_;
  UpdateOffer updates_;
  SettingsWindowHost settings_;
  CommandTable commands_;
  // The control that had the focus when the window was last deactivated; it
  // gets it back when the window is active again.
  HWND lastFocus_ = nullptr;
  // The day menu is open: the calendar forgot its hover itself.
  bool dayMenuOpen_ = false;
};
