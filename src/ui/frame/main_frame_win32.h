#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backup/backup_files.h"
#include "ui/calendar/calendar_host_win32.h"
#include "ui/frame/band_layout.h"
#include "ui/frame/band_painter_win32.h"
#include "ui/frame/calendar_printer_win32.h"
#include "ui/days/day_commands_win32.h"
#include "ui/frame/update_offer_win32.h"
#include "ui/frame/window_fit.h"
#include "ui/panes/pane_host_win32.h"
#include "ui/reminders/reminders.h"
#include "ui/widgets/settings_page_win32.h"
#include "ui/widgets/double_buffer_win32.h"
#include "ui/widgets/prompts_win32.h"
#include "ui/widgets/resizable_dlg_bar_win32.h"
#include "ui/widgets/taskbar_notifier_win32.h"
#include "ui/widgets/tray_position_watcher_win32.h"
#include "ui/widgets/tray_icon_win32.h"
#include "ui/widgets/window_win32.h"

class OptionsManager;
class LocaleManager;
class MenstualManager;
class IClock;
class AFCYearSelectWnd;
class IAnsiCodec;
class LogonManager;
class CPaneGoal;
class CPaneInfo;
class CPanePeriod;
class CPaneLegend;
class CPaneDialog;
class CSettingsDialog;
class DesktopManager;
class DatabaseManager;

// What the frame works with. The program passes its single instances; tests
// pass their own objects, so nothing touches the real registry or data file.
struct FrameContext {
  OptionsManager& options;
  const LocaleManager& locale;
  MenstualManager& model;
  const IClock& clock;
  // Where menus, dialogs and pictures come from; null is the program itself.
  HINSTANCE resources = nullptr;
  Prompts prompts = SystemPrompts();
  // The program ends with its main window; a test's frame does not.
  bool quitOnDestroy = true;
  // The users and the codec of their names; without them there is no login.
  LogonManager* logon = nullptr;
  const IAnsiCodec* codec = nullptr;
  // The colour chooser of the legend pane; null is the system's.
  std::function<bool(HWND owner, COLORREF& colour)> chooseColor = nullptr;
  // The print dialog (the printer and where the page goes); null is the system's.
  CalendarPrinter::ChoosePrinter choosePrinter = nullptr;
  // The desktop calendar; null draws nothing on the desktop.
  DesktopManager* desktop = nullptr;
  // Makes a language current by its display name (the settings window).
  std::function<void(std::u16string_view displayName)> setLanguage = nullptr;
  // The reminder's chime; null plays the program's own sound.
  std::function<void()> playAlert = nullptr;
  // Where db.dat and user.dat are and how whole files are put in place, for
  // File > Back up, Restore and Export; without them those commands do nothing.
  std::optional<DataFiles> dataFiles = std::nullopt;
  IFileReplacer* files = nullptr;
  // Opens db.dat again after a restore (the program's own way of opening it).
  std::function<std::unique_ptr<DatabaseManager>()> openDatabase = nullptr;
  // The work area and the whole area of a monitor (screen coordinates); null
  // asks the system. Tests give the frame a laptop's screen this way.
  std::function<bool(HMONITOR monitor, RECT& work, RECT& whole)> monitorAreas = nullptr;
  // How often the tray position watcher looks at the cursor.
  std::chrono::milliseconds trayWatchInterval{2000};
};

// The program's top-level window: the 97-pixel band with its logo and menu
// titles, the calendar control below it on the left, the panes' place on
// the right (311 pixels), the tray icon, the timers, and every command.
// The client area is laid out by the frame itself: the band is painted here,
// the calendar control sits directly below it, and there is no separate
// client view.
class CMainFrame : public CWindow, public ICalendarHost, public IPaneHost {
 public:
  static constexpr const wchar_t* kClassName = L"TamarelMainFrame";
  // The tray icon's callback message; a second start of the program sends it
  // too, with lParam WM_LBUTTONDOWN.
  static constexpr UINT kTrayMessage = WM_USER + 87;
  // The settings window's closing notification (CSettingsDialog::kClosedMessage).
  static constexpr UINT kSettingsClosedMessage = WM_USER + 5;
  static constexpr UINT kTrayIconId = 128;
  static constexpr int kMinWidth = 900;
  static constexpr int kMinHeight = 800;
  static constexpr UINT_PTR kReminderTimer = 0;
  static constexpr UINT kReminderPeriodMs = 15000;
  static constexpr UINT_PTR kTrayHoverTimer = 1;
  static constexpr UINT kTrayHoverDelayMs = 1500;
  static constexpr int kPaneBarId = 0xE81B;
  static constexpr int kPaneBarStrip = 4;

  explicit CMainFrame(FrameContext context);
  ~CMainFrame() override;

  // Creates the frame, hidden, at the stored rectangle.
  [[nodiscard]] bool CreateFrame();
  // Shows the window as it was (maximized when it was) and brings it to the
  // front; what a click on the tray icon and a second start do.
  void ShowFromTray();

  // ICalendarHost
  [[nodiscard]] RECT CalendarArea() const override;
  void ShowDayMenu(HWND calendar, const RECT& cell) override;
  [[nodiscard]] bool IsHostActive() const override;
  void SelectionChanged() override;

  // Mouse routing between the band and the calendar, for every mouse move
  // and button press of the message loop before dispatch (the frame adds
  // itself to the loop's filters). Never eats the message.
  bool RouteMouseMessage(MSG& msg);
  // The keyboard of the message loop before dispatch: Tab and Shift+Tab move
  // the focus through the calendar and every pane's controls in reading
  // order (the dialog navigation over the whole window), Alt with a band
  // title's underlined letter opens that band menu. True when it took the
  // message.
  bool RouteKeyMessage(MSG& msg);
  // The band title whose access key is the character (any case), or -1.
  [[nodiscard]] int BandTitleForKey(wchar_t key) const;

  // IPaneHost
  [[nodiscard]] PackedDate SelectedDate() const override;
  void ShowToday() override;
  void RepaintCalendar() override;
  void RepaintMainWindow() override;
  void RunCommand(UINT id) override;
  void GoalChanged() override;
  void OpenTemperatureHelp(HWND owner) override;

  // File > Configure and the tray's Configure: the settings window, made
  // anew or shown again as it was left by Cancel.
  void OpenSettings();
  // The settings window is closed with OK (1), Cancel (2) or Apply (2347).
  void OnSettingsClosed(WPARAM code);
  [[nodiscard]] CSettingsDialog* Settings() const { return settings_.get(); }

  // The login dialog with mouse routing suspended; after a login the user's
  // days are loaded and shown and her name is in the title. True on login.
  // With logins on, nobody's calendar shows behind the dialog, and Cancel
  // leaves nobody logged in.
  bool RunLoginFlow();
  // Start-up asked for the login already; the first restore from the tray
  // does not ask again.
  void LoginAskedAtStart() { loginShown_ = true; }
  // With logins on and nobody logged in, no day of anybody's is on screen:
  // the calendar and the panes are hidden and the frame offers the login.
  [[nodiscard]] bool CalendarLocked() const;
  // Texts of the title, the band and the panes again (after a login or a
  // change of language).
  void RefreshTexts();
  // The panes refreshed from the settings and the selected day.
  void RefreshPanes(bool forceInfo);

  [[nodiscard]] CPaneGoal* GoalPane() const { return goalPane_.get(); }
  [[nodiscard]] CPaneInfo* InfoPane() const { return infoPane_.get(); }
  [[nodiscard]] CPanePeriod* PeriodPane() const { return periodPane_.get(); }
  [[nodiscard]] CPaneLegend* LegendPane() const { return legendPane_.get(); }

  [[nodiscard]] AFCYearSelectWnd* Calendar() const { return calendar_.get(); }
  [[nodiscard]] HWND CalendarHwnd() const;
  [[nodiscard]] const BandTitles& Band() const { return band_; }
  [[nodiscard]] int HoveredTitle() const { return hovered_; }
  // While a band menu or the login dialog is open.
  [[nodiscard]] bool MouseRoutingSuspended() const { return suspended_ || loginFlowRunning_; }
  [[nodiscard]] bool WasMaximized() const { return wasMaximized_; }
  [[nodiscard]] const TrayIcon& Tray() const { return tray_; }
  // The two reminder popups: the large one for long texts, the small one
  // for short texts and the pill.
  // The reminder popups, made on first use.
  [[nodiscard]] CTaskbarNotifier& LargePopup() {
    static_cast<void>(EnsureReminderPopups());
    return largePopup_;
  }
  [[nodiscard]] CTaskbarNotifier& SmallPopup() {
    static_cast<void>(EnsureReminderPopups());
    return smallPopup_;
  }
  [[nodiscard]] bool ReminderPopupsMade() const { return popupsMade_; }
  [[nodiscard]] const TrayPositionWatcher& TrayWatcher() const { return trayWatcher_; }
  // The mouse rests on the tray icon: the next reminder check is forced.
  [[nodiscard]] bool HoverPending() const { return mouseOverTray_; }
  [[nodiscard]] CResizableDlgBar& PaneBar() { return paneBar_; }
  // The pane bar's place: the right 311 pixels below the band, inside the
  // 4-pixel strips the frame paints above and below it.
  [[nodiscard]] RECT PaneBarArea() const;
  // The help file beside the program.
  [[nodiscard]] const std::wstring& HelpPath() const { return helpPath_; }
  // File > Print and the check for a newer version.
  [[nodiscard]] CalendarPrinter& Printer() { return printer_; }
  [[nodiscard]] UpdateOffer& Updates() { return updates_; }
  // Opens the help file at a context (the temperature dialog uses 10).
  void OpenHelp(HWND owner, DWORD context) const;
  void OpenHelpContents() const;

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
  LRESULT OnTrayMessage(LPARAM mouseMessage);
  void AddTrayIcon();
  void CreatePanes();
  void ApplyGoalToPanes();
  // The panes whose windows exist, in bar order.
  [[nodiscard]] std::vector<CPaneDialog*> LivePanes() const;
  void RunLoginFlowOnce();
  // Shows or hides the calendar and the panes as the lock says.
  void ApplyLock();
  [[nodiscard]] RECT LockedArea() const;
  [[nodiscard]] std::wstring WindowTitle() const;
  void StoreRectangleAndSave();
  bool MonitorAreas(HMONITOR monitor, ScreenRect* work, ScreenRect* whole) const;
  void RelayoutBand();
  void UpdateBandHover(POINT client);
  void SetHoveredTitle(int title);
  void ForgetPointer(int keepTitle);
  // byKeyboard: the menu opens with its first item selected, and the left
  // and right arrows go on to the neighbouring titles' menus.
  void OpenBandMenu(int title, bool byKeyboard = false);
  void ShowTrayMenu();
  void TellOnceItKeepsRunning();
  void OpenSitePage(const char16_t* page) const;
  void CreatePaneBar();
  void ColorPaneBar();
  [[nodiscard]] bool IsInPaneBar(HWND hwnd) const;

  // Reminders (main_frame_reminders_win32.cpp).
  bool EnsureReminderPopups();
  void RunReminderCheck();
  void HideReminderPopups();
  void PlayAlert() const;
  // The tray tooltip shows today's date and class: made again after a day
  // changes, a login, and when the date moves on.
  void RefreshTrayTip();
  void RefreshTrayTipOnNewDay();
  [[nodiscard]] std::u16string CurrentTrayTip() const;
  [[nodiscard]] int ReminderUser() const;

  // File > Back up, Restore and Export (main_frame_data_win32.cpp).
  void BackUpCommand();
  void RestoreCommand();
  void ExportCommand();
  void ShowError(const std::u16string& text);
  void ShowInformation(const std::u16string& text);

  // Features that come later hook in here; for now they do nothing.
  void UpdateDesktopCalendar();

  class LoopFilter;

  FrameContext context_;
  std::unique_ptr<LoopFilter> loopFilter_;
  std::unique_ptr<AFCYearSelectWnd> calendar_;
  BandPainter bandPainter_;
  BandPainter::Titles titles_;
  BandTitles band_;
  DoubleBuffer bandBuffer_;
  int hovered_ = -1;
  int openTitle_ = -1;
  bool trackingLeave_ = false;     // the frame asked to be told when the mouse leaves
  bool hoverTitleForced_ = false;  // a band menu is open under its lit title
  bool suspended_ = false;  // a band menu (later: the settings window) is open
  bool loginFlowRunning_ = false;
  bool hideForLogin_ = false;  // the login dialog of Logout is open
  bool wasMaximized_ = false;
  bool mouseOverTray_ = false;
  bool loginShown_ = false;
  // The control that had the focus when the window was last deactivated; it
  // gets it back when the window is active again.
  HWND lastFocus_ = nullptr;
  TrayIcon tray_;
  PackedDate trayTipDate_;
  TrayPositionWatcher trayWatcher_;
  CTaskbarNotifier largePopup_;
  CTaskbarNotifier smallPopup_;
  bool popupsMade_ = false;
  ReminderLog reminderLog_;
  CResizableDlgBar paneBar_;
  DayCommands dayCommands_;
  PaneContext paneContext_;
  std::unique_ptr<CPaneGoal> goalPane_;
  std::unique_ptr<CPaneInfo> infoPane_;
  std::unique_ptr<CPanePeriod> periodPane_;
  std::unique_ptr<CPaneLegend> legendPane_;
  std::wstring helpPath_;
  bool saved_ = false;  // the settings are written once, by whichever way the window goes
  CalendarPrinter printer_;
  UpdateOffer updates_;
  SettingsContext settingsContext_;
  std::unique_ptr<CSettingsDialog> settings_;
};
