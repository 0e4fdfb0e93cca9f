#include "ui/frame/main_frame_win32.h"

#include <algorithm>
#include <exception>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/platform_win32.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/help_ids.h"
#include "resources/image_ids.h"
#include "settings/options_manager.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/desktop/desktop_manager_win32.h"
#include "ui/frame/frame_loop_filter_win32.h"
#include "ui/frame/frame_texts.h"
#include "ui/settings/settings_dialog_win32.h"
#include "ui/widgets/menu_bitmap_win32.h"
#include "ui/widgets/help_win32.h"
#include "ui/widgets/message_loop_win32.h"

CMainFrame::~CMainFrame() {
  settings_.Close();
  if (MessageLoop* loop = MessageLoop::Current()) loop->RemoveFilter(loopFilter_.get());
  // The window goes before the calendar object it holds as a child.
  if (const HWND hwnd = Hwnd()) DestroyWindow(hwnd);
}

bool CMainFrame::CreateFrame() {
  WNDCLASSEXW wc{};
  // The band, the calendar and the panes paint everything; no class brush,
  // so nothing is erased under them.
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc)) return false;
  const ScreenRect placed = placement_.InitialRect();
  const std::wstring title = ToWide(context_.locale.Translate(u"APP_NAME"));
  return Create(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, placed.left, placed.top,
                placed.Width(), placed.Height());
}

void CMainFrame::DaysChanged() {
  ShowDays();
  RepaintCalendar();
  panes_.Refresh(true);
  tray_.RefreshTip();
  UpdateDesktopCalendar();
  reminders_.DaysChanged();
}

void CMainFrame::RefreshTexts() {
  lock_.RefreshTitle();
  band_.RefreshTexts();
  panes_.RefreshTitles();
  panes_.Refresh(true);
}

void CMainFrame::ShowDays() {
  const bool hidden = lock_.Hidden();
  if (const HWND calendar = CalendarHwnd()) {
    if (hidden && calendar_) calendar_->StopTooltipTimer();
    ShowWindow(calendar, hidden ? SW_HIDE : SW_SHOW);
  }
  panes_.Show(!hidden);
  InvalidateRect(Hwnd(), nullptr, FALSE);
  UpdateWindow(Hwnd());
}

void CMainFrame::LockChanged() {
  ShowDays();
  // Nor does the tray icon tell anybody's day while the calendar is locked.
  tray_.RefreshTip();
}

HWND CMainFrame::CalendarHwnd() const { return GetDlgItem(Hwnd(), AFCYearSelectWnd::kControlId); }

void CMainFrame::UpdateDesktopCalendar() {
  if (context_.desktop) context_.desktop->Update(Hwnd());
  Refreshed(FrameDependent::kDesktop);
}

PackedDate CMainFrame::SelectedDate() const { return calendar_ ? calendar_->SelectedDate() : PackedDate{}; }

void CMainFrame::ShowToday() {
  if (calendar_) calendar_->ShowToday();
  // Today is the selected day again; the Day pane describes it.
  panes_.RefreshDay();
}

void CMainFrame::RepaintCalendar() {
  if (const HWND calendar = CalendarHwnd()) InvalidateRect(calendar, nullptr, TRUE);
  Refreshed(FrameDependent::kCalendar);
}

void CMainFrame::RepaintMainWindow() {
  RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool CMainFrame::RouteMouseMessage(MSG& msg) { return loopFilter_ && loopFilter_->RouteMouse(msg); }

bool CMainFrame::RouteKeyMessage(MSG& msg) { return loopFilter_ && loopFilter_->RouteKey(msg); }

void CMainFrame::ForgetPointer(int keepTitle) {
  if (calendar_ && CalendarHwnd()) calendar_->ForgetHover();
  band_.ForgetPointer(keepTitle);
}

// Deactivated, the window remembers the control she was in and nothing stays
// lit; activated, the default handling gives the frame the focus, and
// OnSetFocus hands it on to that control.
LRESULT CMainFrame::OnActivate(WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    lastFocus_ = focus && IsChild(Hwnd(), focus) ? focus : nullptr;
    ForgetPointer(-1);
  }
  return CWindow::HandleMessage(WM_ACTIVATE, wp, lp);
}

LRESULT CMainFrame::OnSetFocus(WPARAM, LPARAM) {
  // Back to the control she left, as a dialog does; else the calendar.
  if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Hwnd(), lastFocus_) && IsWindowVisible(lastFocus_) &&
      IsWindowEnabled(lastFocus_)) {
    SetFocus(lastFocus_);
    return 0;
  }
  if (const HWND calendar = CalendarHwnd(); calendar && IsWindowVisible(calendar)) SetFocus(calendar);
  return 0;
}

LRESULT CMainFrame::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kTrayMessage) return tray_.OnMessage(lp);
  if (msg == UpdateThread::FoundMessage() && msg != 0) {
    if (const auto found = UpdateThread::TakeFound(lp)) updates_.OnFound(Hwnd(), *found);
    return 0;
  }
  if (msg == kSettingsClosedMessage) {
    settings_.OnClosed(wp);
    return 0;
  }
  if (tray_.OnTaskbarCreated(msg)) return 0;
  if (msg == CTaskbarNotifier::kClickedMessage) {
    // A click on a reminder brings Tamarel back, as a click on the tray icon
    // does; the reminder has been read.
    reminders_.Hide();
    ShowFromTray();
    lock_.RunLoginFlowOnce();
    return 0;
  }
  switch (msg) {
    case WM_ACTIVATE: return OnActivate(wp, lp);
    case WM_HELP: help_.OpenContents(Hwnd()); return TRUE;  // F1 in the main window or a pane: the contents
    case WM_MEASUREITEM:
      if (MenuIcon::Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (MenuIcon::Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_ENTERMENULOOP:
      // A menu takes the mouse: the calendar's hover, balloon and pale
      // buttons go (the day menu's calendar forgot them itself); a band menu
      // keeps its own title lit while it is open.
      if (dayMenuOpen_) {
        band_.ForgetPointer(-1);
      } else {
        ForgetPointer(band_.OpenTitle());
      }
      return 0;
    case WM_EXITMENULOOP: band_.HoverFromCursor(); return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_KEYMENU && band_.OnKeyMenu(lp)) return 0;
      break;
    default: break;
  }
  return CWindow::HandleMessage(msg, wp, lp);
}

LRESULT CMainFrame::OnTimer(WPARAM wp, LPARAM lp) {
  switch (wp) {
    case ReminderPresenter::kTimer:
      tray_.RefreshTipOnNewDay();
      reminders_.Check(tray_.HoverPending());
      return 0;
    case TrayPresence::kHoverTimer: tray_.OnHoverTimer(); return 0;
    default: return DefaultProc(WM_TIMER, wp, lp);
  }
}

LRESULT CMainFrame::OnCommand(WPARAM wp, LPARAM lp) {
  const UINT id = LOWORD(wp);
  if (DayCommands::IsDayCommand(id)) {
    RunDayCommand(id);
    return 0;
  }
  if (commands_.Run(id)) return 0;
  return DefaultProc(WM_COMMAND, wp, lp);
}

// Every day command takes this one way: the change through the cycle
// manager, then everything that shows her days made afresh.
void CMainFrame::RunDayCommand(UINT id) {
  if (calendar_) dayCommands_.Run(id, calendar_->SelectedDate(), Hwnd());
  DaysChanged();
}

LRESULT CMainFrame::OnSize(WPARAM wp, LPARAM) {
  if (wp == SIZE_MINIMIZED) {
    // Minimized, the program lives on as its tray icon only.
    ShowWindow(Hwnd(), SW_HIDE);
    tray_.TellOnceItKeepsRunning();
    return 0;
  }
  placement_.OnSize(wp);
  if (calendar_ && CalendarHwnd()) calendar_->OnHostSize();
  const RECT c = ClientArea();
  band_.Resize(c.right);
  panes_.MoveTo(PaneColumn::Area(c));
  // The strips above and below the bar are painted by the frame.
  const RECT right{c.right - kPaneBarWidth, kBandHeight, c.right, c.bottom};
  InvalidateRect(Hwnd(), &right, FALSE);
  return 0;
}

LRESULT CMainFrame::OnSizing(WPARAM wp, LPARAM lp) {
  if (calendar_ && CalendarHwnd()) calendar_->OnHostSize();
  return DefaultProc(WM_SIZING, wp, lp);
}

LRESULT CMainFrame::OnGetMinMaxInfo(WPARAM, LPARAM lp) {
  placement_.OnGetMinMaxInfo(Hwnd(), *reinterpret_cast<MINMAXINFO*>(lp));
  return 0;
}

LRESULT CMainFrame::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

// Below the band (which paints itself): the locked area, or what the calendar
// and the pane bar leave.
LRESULT CMainFrame::OnPaint(WPARAM, LPARAM) {
  PaintDC paint(Hwnd());
  const RECT c = ClientArea();
  if (c.right <= 0) return 0;
  if (lock_.Hidden()) {
    lock_.PaintLocked(paint.Get(), RECT{0, kBandHeight, c.right, std::max(c.bottom, static_cast<LONG>(kBandHeight))});
    return 0;
  }
  panes_.PaintAround(paint.Get(), c);
  return 0;
}

LRESULT CMainFrame::OnClose(WPARAM, LPARAM) {
  reminders_.Stop();
  DestroyWindow(Hwnd());
  return 0;
}

// Windows may end the process right after this message without destroying
// the window; the settings are saved now.
LRESULT CMainFrame::OnEndSession(WPARAM wp, LPARAM) {
  if (wp) placement_.StoreAndSave(Hwnd());
  return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM, LPARAM) {
  settings_.Close();
  placement_.StoreAndSave(Hwnd());
  if (context_.desktop) context_.desktop->RestoreWallpaper();
  tray_.Remove();
  reminders_.Stop();
  if (MessageLoop* loop = MessageLoop::Current()) loop->RemoveFilter(loopFilter_.get());
  if (context_.quitOnDestroy) PostQuitMessage(0);
  return 0;
}
