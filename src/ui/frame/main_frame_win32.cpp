#include "ui/frame/main_frame_win32.h"

#include <cwchar>
#include <string>

#include "ui/login/login_dlg_win32.h"
#include "accounts/logon_manager.h"
#include "settings/options_manager.h"
#include "env/access_key.h"
#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/platform_win32.h"
#include "env/text_format.h"
#include "env/update_fetch_win32.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/help_ids.h"
#include "resources/image_ids.h"
#include "resources/resource.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/frame/about_dlg_win32.h"
#include "ui/frame/band_menu_switch_win32.h"
#include "ui/frame/band_menu_win32.h"
#include "ui/frame/day_menu_items.h"
#include "ui/frame/day_menu_win32.h"
#include "ui/frame/frame_texts.h"
#include "ui/frame/window_fit.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "ui/panes/pane_legend_win32.h"
#include "ui/panes/pane_period_win32.h"
#include "ui/desktop/desktop_manager_win32.h"
#include "ui/reports/cycles_dlg_win32.h"
#include "ui/reports/planning_dialogs_win32.h"
#include "ui/reports/statistic_dlg_win32.h"
#include "ui/settings/settings_dialog_win32.h"
#include "ui/widgets/menu_bitmap_win32.h"
#include "ui/widgets/help_win32.h"
#include "ui/widgets/message_loop_win32.h"

namespace {

HINSTANCE ResourceModule(HINSTANCE given) { return given ? given : GetModuleHandleW(nullptr); }

// "tamarel_help.chm" in the program's own folder, whatever the executable
// is called (an installer or a user may rename it).
std::wstring MakeHelpPath() {
  std::wstring folder = ExecutableFolder().wstring();
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder + L"tamarel_help.chm";
}

ScreenRect ToScreenRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }


bool IsRoutedMouseMessage(UINT message) {
  return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
}

}  // namespace

// The frame's place among the message loop's filters. Kept out of the
// header: the loop's IMessageFilter shares its name with a COM interface.
class CMainFrame::LoopFilter final : public IMessageFilter {
 public:
  explicit LoopFilter(CMainFrame& frame) : frame_(frame) {}
  bool PreTranslateMessage(MSG& msg) override { return frame_.RouteMouseMessage(msg) || frame_.RouteKeyMessage(msg); }

 private:
  CMainFrame& frame_;
};

CMainFrame::CMainFrame(FrameContext context)
    : context_(std::move(context)),
      loopFilter_(std::make_unique<LoopFilter>(*this)),
      bandPainter_(ResourceModule(context_.resources)),
      dayCommands_(context_.model, context_.options, context_.locale, context_.prompts,
                   ResourceModule(context_.resources), [this](HWND owner) { OpenHelp(owner, IDH_TEMPERATURE); }),
      paneContext_{context_.options, context_.locale, context_.model, context_.clock, *this,
                   context_.prompts, ResourceModule(context_.resources), context_.chooseColor},
      helpPath_(MakeHelpPath()),
      printer_(context_.options, context_.locale, context_.prompts, context_.choosePrinter),
      updates_(context_.options, context_.locale, context_.clock, context_.prompts, ResourceModule(context_.resources),
               [this] {
                 static const Win32AnsiCodec systemCodec;
                 UpdateFetcher fetcher(context_.locale, context_.codec ? *context_.codec : systemCodec);
                 return fetcher.FetchVersionFile();
               }),
      settingsContext_{context_.options, context_.locale, ResourceModule(context_.resources), context_.setLanguage,
                       [this] { RefreshTexts(); },
                       [this] {
                         ColorPaneBar();
                         RepaintMainWindow();
                       },
                       context_.prompts} {}

CMainFrame::~CMainFrame() {
  settings_.reset();
  if (MessageLoop* loop = MessageLoop::Current()) loop->RemoveFilter(loopFilter_.get());
  // The window goes before the calendar object it holds as a child.
  if (const HWND hwnd = Hwnd()) DestroyWindow(hwnd);
}

// The work area and the whole area of the monitor a window or rectangle is on.
bool CMainFrame::MonitorAreas(HMONITOR monitor, ScreenRect* work, ScreenRect* whole) const {
  RECT workRect{}, wholeRect{};
  if (context_.monitorAreas) {
    if (!context_.monitorAreas(monitor, workRect, wholeRect)) return false;
  } else {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return false;
    workRect = info.rcWork;
    wholeRect = info.rcMonitor;
  }
  *work = ToScreenRect(workRect);
  *whole = ToScreenRect(wholeRect);
  return true;
}

bool CMainFrame::CreateFrame() {
  WNDCLASSEXW wc{};
  // The band and the calendar paint everything; no class brush, so nothing
  // is erased under them. The arrow is the cursor over the band.
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc)) return false;

  // Made where it is going to stay, at its final size: a window moved after
  // its creation lays out its band, calendar and panes a second time.
  // The stored rectangle is grown to the minimum size first and then held
  // inside the work area of its monitor, so a laptop screen shows the whole
  // window, title bar included.
  const OptionsManager& o = context_.options;
  ScreenRect placed{o.x1, o.y1, o.x2, o.y2};
  const RECT stored{o.x1, o.y1, o.x2, o.y2};
  ScreenRect work, whole;
  if (MonitorAreas(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &work, &whole)) {
    const ScreenSize minimum = MinimumWindowSize(ScreenSize{kMinWidth, kMinHeight}, work);
    placed.right = placed.left + std::max(placed.Width(), minimum.width);
    placed.bottom = placed.top + std::max(placed.Height(), minimum.height);
    placed = FitIntoWorkArea(placed, work);
  }
  const std::wstring title = ToWide(context_.locale.Translate(u"APP_NAME"));
  return Create(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, placed.left, placed.top,
                placed.Width(), placed.Height());
}

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM) {
  const HINSTANCE module = ResourceModule(context_.resources);
  if (const auto big = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(IDI_TAMAREL), IMAGE_ICON, 0, 0,
                                                     LR_DEFAULTSIZE | LR_SHARED))) {
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  }
  if (const auto small = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(IDI_TAMAREL), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                       LR_SHARED))) {
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }

  calendar_ = std::make_unique<AFCYearSelectWnd>(*this, context_.model, context_.options, context_.locale,
                                                 context_.clock);
  const RECT area = CalendarArea();
  const RECT below{0, kBandHeight, area.right, std::max(area.bottom, static_cast<LONG>(kBandHeight))};
  if (!calendar_->CreateControl(below, Hwnd(), AFCYearSelectWnd::kControlId)) {
    LogMessage(L"the calendar control could not be created");
  } else {
    calendar_->OnHostSize();
  }

  CreatePaneBar();
  AddTrayIcon();
  // Watches for the mouse leaving the tray icon; its thread starts with the first hover.
  if (!trayWatcher_.Start(Hwnd(), kTrayMessage, context_.trayWatchInterval)) {
    LogMessage(L"the tray position watcher could not be set up");
  }
  SetTimer(Hwnd(), kReminderTimer, kReminderPeriodMs, nullptr);
  if (MessageLoop* loop = MessageLoop::Current()) loop->AddFilter(loopFilter_.get());
  RefreshTexts();
  ApplyLock();
  return 0;
}

RECT CMainFrame::PaneBarArea() const {
  RECT c{};
  GetClientRect(Hwnd(), &c);
  const LONG top = kBandHeight + kPaneBarStrip;
  return RECT{c.right - kPaneBarWidth, top, c.right, std::max(top, c.bottom - kPaneBarStrip)};
}

void CMainFrame::CreatePaneBar() {
  if (!paneBar_.CreateBar(Hwnd(), PaneBarArea(), kPaneBarId)) {
    LogMessage(L"the pane bar could not be created");
    return;
  }
  paneBar_.SetMouseMoveHook([this] {
    if (calendar_) calendar_->StopTooltipTimer();
  });
  ColorPaneBar();
  CreatePanes();
  // The Day pane's tip box takes the height the other panes leave: all of
  // its text on a tall screen, two lines on a laptop's short one.
  if (infoPane_ && infoPane_->Hwnd()) {
    CPaneInfo* info = infoPane_.get();
    paneBar_.SetElasticPane(1, [info] { return info->Heights(); }, [info](int height) { info->ResizeTo(height); });
  }
  paneBar_.Layout();
}

// The four panes, children of the bar, in the order goal, info, period,
// legend; each under its translated title.
void CMainFrame::CreatePanes() {
  goalPane_ = std::make_unique<CPaneGoal>(paneContext_);
  infoPane_ = std::make_unique<CPaneInfo>(paneContext_);
  periodPane_ = std::make_unique<CPanePeriod>(paneContext_);
  legendPane_ = std::make_unique<CPaneLegend>(paneContext_);
  const HWND bar = paneBar_.Hwnd();
  const std::pair<CPaneDialog*, const char16_t*> panes[] = {{goalPane_.get(), kPaneTitleKeys[0]},
                                                           {infoPane_.get(), kPaneTitleKeys[1]},
                                                           {periodPane_.get(), kPaneTitleKeys[2]},
                                                           {legendPane_.get(), kPaneTitleKeys[3]}};
  for (const auto& [pane, key] : panes) {
    const HWND hwnd = pane->Create(bar);
    if (!hwnd) {
      LogMessage(L"a pane could not be created");
      continue;
    }
    pane->SetBackground(paneBar_.Background());
    paneBar_.AddPane(ToWide(context_.locale.Translate(key)), hwnd);
  }
}

void CMainFrame::ColorPaneBar() {
  const ThemeRecord& theme = context_.options.theme;
  paneBar_.SetColors(static_cast<COLORREF>(theme.base), static_cast<COLORREF>(theme.dark),
                     static_cast<COLORREF>(theme.pale));
  for (CPaneDialog* pane : LivePanes()) pane->SetBackground(paneBar_.Background());
}

std::vector<CPaneDialog*> CMainFrame::LivePanes() const {
  std::vector<CPaneDialog*> panes;
  for (CPaneDialog* pane : {static_cast<CPaneDialog*>(goalPane_.get()), static_cast<CPaneDialog*>(infoPane_.get()),
                            static_cast<CPaneDialog*>(periodPane_.get()), static_cast<CPaneDialog*>(legendPane_.get())}) {
    if (pane && pane->Hwnd()) panes.push_back(pane);
  }
  return panes;
}

bool CMainFrame::IsInPaneBar(HWND hwnd) const {
  const HWND bar = paneBar_.Hwnd();
  return bar && (hwnd == bar || IsChild(bar, hwnd));
}

void CMainFrame::AddTrayIcon() {
  trayTipDate_ = context_.clock.Today();
  const auto icon = static_cast<HICON>(LoadImageW(ResourceModule(context_.resources), MAKEINTRESOURCEW(IDI_TAMAREL),
                                                  IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  tray_.Add(Hwnd(), kTrayIconId, kTrayMessage, icon, ToWide(CurrentTrayTip()));
}

std::wstring CMainFrame::WindowTitle() const {
  std::wstring title = ToWide(context_.locale.Translate(u"APP_NAME"));
  if (context_.options.userLogins && context_.logon && context_.codec) {
    const std::string& name = context_.logon->CurrentUser().name;
    if (!name.empty()) title += L" (" + ToWide(context_.codec->FromAnsi(name)) + L")";
  }
  return title;
}

void CMainFrame::RefreshTexts() {
  SetWindowTextW(Hwnd(), WindowTitle().c_str());
  for (size_t i = 0; i < titles_.size(); ++i) titles_[i] = ToWide(context_.locale.Translate(kBandTitleKeys[i]));
  RelayoutBand();
  for (size_t i = 0; i < paneBar_.SectionCount() && i < std::size(kPaneTitleKeys); ++i) {
    paneBar_.SetTitle(i, ToWide(context_.locale.Translate(kPaneTitleKeys[i])));
  }
  RefreshPanes(true);
}

void CMainFrame::RefreshPanes(bool forceInfo) {
  if (goalPane_ && goalPane_->Hwnd()) goalPane_->Refresh();
  if (infoPane_ && infoPane_->Hwnd()) infoPane_->Refresh(forceInfo);
  if (periodPane_ && periodPane_->Hwnd()) periodPane_->RefreshTexts();
  if (legendPane_ && legendPane_->Hwnd()) legendPane_->Refresh();
  ApplyGoalToPanes();
}

// The Birth button and the legend's boy, girl and pill entries follow the goal.
void CMainFrame::ApplyGoalToPanes() {
  const int goal = context_.options.goal;
  if (goalPane_ && goalPane_->Hwnd()) goalPane_->ApplyGoalVisibility(goal);
  if (legendPane_ && legendPane_->Hwnd()) legendPane_->ApplyGoalVisibility(goal);
}

PackedDate CMainFrame::SelectedDate() const { return calendar_ ? calendar_->SelectedDate() : PackedDate{}; }

void CMainFrame::ShowToday() {
  if (calendar_) calendar_->ShowToday();
  // Today is the selected day again; the Day pane describes it.
  if (infoPane_ && infoPane_->Hwnd()) infoPane_->Refresh(false);
}

void CMainFrame::RepaintMainWindow() {
  RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainFrame::RunCommand(UINT id) { SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void CMainFrame::GoalChanged() {
  ApplyGoalToPanes();
  RepaintCalendar();
}

void CMainFrame::OpenTemperatureHelp(HWND owner) { OpenHelp(owner, IDH_TEMPERATURE); }

bool CMainFrame::RunLoginFlow() {
  if (!context_.logon || !context_.codec) return false;
  loginFlowRunning_ = true;
  // Her calendar is not left open behind the dialog for whoever sits down.
  hideForLogin_ = context_.options.userLogins;
  ApplyLock();
  CLoginDlg dialog(*context_.logon, context_.locale, *context_.codec, context_.prompts,
                   ResourceModule(context_.resources));
  dialog.SetModel(&context_.model);
  const bool loggedIn = dialog.DoModal(Hwnd()) == IDOK;
  loginFlowRunning_ = false;
  hideForLogin_ = false;
  if (!loggedIn) {
    // Logged out: nobody's days stay on screen.
    if (context_.options.userLogins && context_.logon->CurrentUser().id != 0) {
      context_.logon->Logout();
      context_.model.Reload();
      SetWindowTextW(Hwnd(), WindowTitle().c_str());
    }
    ApplyLock();
    return false;
  }
  context_.options.userLogins = true;
  // Her own days: the caches go, and every view asks again.
  context_.model.Reload();
  RepaintCalendar();
  UpdateDesktopCalendar();
  SetWindowTextW(Hwnd(), WindowTitle().c_str());
  ApplyLock();
  RefreshPanes(true);
  RefreshTrayTip();
  return true;
}

bool CMainFrame::CalendarLocked() const {
  return context_.options.userLogins && context_.logon && context_.logon->CurrentUser().id == 0;
}

void CMainFrame::ApplyLock() {
  const bool locked = hideForLogin_ || CalendarLocked();
  const int show = locked ? SW_HIDE : SW_SHOW;
  if (const HWND calendar = CalendarHwnd()) {
    if (locked && calendar_) calendar_->StopTooltipTimer();
    ShowWindow(calendar, show);
  }
  if (paneBar_.Hwnd()) ShowWindow(paneBar_.Hwnd(), show);
  // Nor does the tray icon tell anybody's day while the calendar is locked.
  if (tray_.Added()) RefreshTrayTip();
  InvalidateRect(Hwnd(), nullptr, FALSE);
  UpdateWindow(Hwnd());
}

RECT CMainFrame::LockedArea() const {
  RECT c{};
  GetClientRect(Hwnd(), &c);
  return RECT{0, kBandHeight, c.right, std::max(c.bottom, static_cast<LONG>(kBandHeight))};
}

void CMainFrame::RunLoginFlowOnce() {
  if (loginShown_ || !context_.options.userLogins) return;
  loginShown_ = true;
  RunLoginFlow();
}

void CMainFrame::RelayoutBand() {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  ClientDC dc(Hwnd());
  band_ = bandPainter_.Layout(dc.Get(), client.right, titles_);
  const RECT bandArea{0, 0, client.right, kBandHeight};
  InvalidateRect(Hwnd(), &bandArea, FALSE);
}

RECT CMainFrame::CalendarArea() const {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  return RECT{0, 0, client.right - kPaneBarWidth, client.bottom};
}

HWND CMainFrame::CalendarHwnd() const { return GetDlgItem(Hwnd(), AFCYearSelectWnd::kControlId); }

bool CMainFrame::IsHostActive() const { return GetActiveWindow() == Hwnd(); }

// The keyboard moved the selected day: the Day pane names it, as after a click.
void CMainFrame::SelectionChanged() {
  if (infoPane_ && infoPane_->Hwnd()) infoPane_->Refresh(false);
}

bool CMainFrame::RouteKeyMessage(MSG& msg) {
  if (!Hwnd() || loginFlowRunning_) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR) return false;
  if (msg.hwnd != Hwnd() && !IsChild(Hwnd(), msg.hwnd)) return false;
  if (msg.message == WM_SYSCHAR) {
    const int title = BandTitleForKey(static_cast<wchar_t>(msg.wParam));
    if (title < 0) return false;  // Alt+Space and the like keep their meaning
    OpenBandMenu(title, true);
    return true;
  }
  if (msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  // Only a control that asks for Tab itself keeps it (DLGC_WANTALLKEYS, which
  // the calendar and multi-line edits give for Enter, is no such request).
  if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB) return false;
  // The dialog navigation over the whole window: the frame's children in
  // their order (Back, Next, the calendar, the pane bar), stepping into the
  // bar and its panes, which are control parents. Each pane's own dialog
  // navigation would keep Tab inside that pane.
  const HWND focus = GetFocus();
  const bool inside = focus && IsChild(Hwnd(), focus);
  const bool back = GetKeyState(VK_SHIFT) < 0;
  const HWND next = GetNextDlgTabItem(Hwnd(), inside ? focus : nullptr, inside && back);
  if (next && next != focus) {
    SetFocus(next);
    // An edit field shows its whole text selected, as in a dialog.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
  }
  SendMessageW(Hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  return true;
}

int CMainFrame::BandTitleForKey(wchar_t key) const {
  if (key == 0) return -1;
  const auto upper = [](wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
  };
  for (size_t i = 0; i < titles_.size(); ++i) {
    const char16_t mark = AccessKeyOf(std::u16string_view(reinterpret_cast<const char16_t*>(titles_[i].data()),
                                                          titles_[i].size()));
    if (mark != 0 && upper(static_cast<wchar_t>(mark)) == upper(key)) return static_cast<int>(i);
  }
  return -1;
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
  DayMenu menu(items, context_.locale, ResourceModule(context_.resources));
  if (!menu.Handle()) return;
  POINT at{cell.left, cell.bottom};
  ClientToScreen(calendar, &at);
  // The click selected the date: the Day pane names it before the menu opens.
  if (infoPane_ && infoPane_->Hwnd()) infoPane_->Refresh(false);
  const UINT command =
      context_.prompts.trackMenu(menu.Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at,
                                 Hwnd());
  // The click selected the date; the info pane shows it.
  if (infoPane_ && infoPane_->Hwnd()) infoPane_->Refresh(false);
  // The choice arrives as a normal command, after the calendar's click is done.
  if (command) PostMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool CMainFrame::RouteMouseMessage(MSG& msg) {
  if (!Hwnd() || !IsRoutedMouseMessage(msg.message) || loginFlowRunning_) return false;
  if (msg.hwnd != Hwnd() && !IsChild(Hwnd(), msg.hwnd)) return false;
  // The bar and its panes keep their own mouse messages.
  if (IsInPaneBar(msg.hwnd)) return false;
  POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  MapWindowPoints(msg.hwnd, Hwnd(), &p, 1);
  if (p.y >= kBandHeight && !suspended_ && (hideForLogin_ || CalendarLocked())) {
    if (hovered_ != -1) UpdateBandHover(p);
    // Nothing to route to: the calendar is hidden. A click asks for the login.
    if (msg.message == WM_LBUTTONDOWN && msg.hwnd == Hwnd() && !hideForLogin_) {
      PostMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(ID_FILE_LOGOUT, 0), 0);
    }
    return false;
  }
  if (p.y >= kBandHeight && !suspended_) {
    if (hovered_ != -1) UpdateBandHover(p);
    // The calendar's own messages reach it anyway; the frame passes on the
    // ones that landed on it below the band, in calendar coordinates.
    const HWND calendar = CalendarHwnd();
    if (calendar && msg.hwnd != calendar) {
      POINT c = p;
      MapWindowPoints(Hwnd(), calendar, &c, 1);
      SendMessageW(calendar, msg.message, msg.wParam, MAKELPARAM(c.x, c.y));
    }
    return false;
  }
  if (msg.message == WM_MOUSEMOVE) {
    UpdateBandHover(p);
  } else if (msg.message == WM_LBUTTONDOWN) {
    const int title = BandTitleAt(band_, p.x, p.y);
    if (title >= 0) OpenBandMenu(title);
  }
  return false;
}

// Hover marks of the band and the calendar go; keepTitle stays lit (the
// title whose menu is open) or -1.
void CMainFrame::ForgetPointer(int keepTitle) {
  if (calendar_ && CalendarHwnd()) calendar_->ForgetHover();
  hoverTitleForced_ = keepTitle >= 0;
  SetHoveredTitle(keepTitle);
}

void CMainFrame::UpdateBandHover(POINT client) {
  const int title = client.y >= 0 && client.y < kBandHeight ? BandTitleAt(band_, client.x, client.y) : -1;
  if (title >= 0 && !trackingLeave_) {
    // Told when the mouse leaves the window, so no title stays lit.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  SetHoveredTitle(title);
}

void CMainFrame::SetHoveredTitle(int title) {
  if (title == hovered_) return;
  hovered_ = title;
  RECT c{};
  GetClientRect(Hwnd(), &c);
  const BandRect a = band_.HoverArea(c.right);
  const RECT area{a.left, a.top, a.right, a.bottom};
  InvalidateRect(Hwnd(), &area, FALSE);
}

// Moving onto another title while a band menu is open closes it and opens
// that title's menu, as a menu bar does.
void CMainFrame::OpenBandMenu(int title, bool byKeyboard) {
  UINT command = 0;
  while (title >= 0 && Hwnd()) {
    BandMenu menu(ResourceModule(context_.resources), title, context_.locale, context_.options.goal);
    if (!menu.Popup()) return;
    const BandRect& r = band_.rects[static_cast<size_t>(title)];
    POINT at{r.left, r.bottom + 4};
    ClientToScreen(Hwnd(), &at);
    suspended_ = true;
    openTitle_ = title;
    BandMenuSwitch watch(
        title,
        [this](POINT screen) {
          ScreenToClient(Hwnd(), &screen);
          return BandTitleAt(band_, screen.x, screen.y);
        },
        byKeyboard ? static_cast<int>(titles_.size()) : 0);
    // Opened from the keyboard, the menu starts on its first item, as a menu
    // bar's does; the menu's own loop takes this key.
    if (byKeyboard) PostMessageW(Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    command = context_.prompts.trackMenu(menu.Popup(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                         at, Hwnd());
    openTitle_ = -1;
    suspended_ = false;
    title = command ? -1 : watch.NextTitle();
    byKeyboard = title >= 0 && watch.SwitchedByKey();
  }
  // The clicked title is lit no longer than the mouse stays on it.
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(Hwnd(), &cursor);
  hoverTitleForced_ = false;
  UpdateBandHover(cursor);
  if (command) SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

LRESULT CMainFrame::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kTrayMessage) return OnTrayMessage(lp);
  if (msg == UpdateThread::FoundMessage() && msg != 0) {
    if (const auto found = UpdateThread::TakeFound(lp)) updates_.OnFound(Hwnd(), *found);
    return 0;
  }
  if (msg == kSettingsClosedMessage) {
    OnSettingsClosed(wp);
    return 0;
  }
  switch (msg) {
    case WM_HELP: OpenHelpContents(); return TRUE;  // F1 in the main window or a pane: the contents
    case WM_MEASUREITEM:
      if (MenuIcon::Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
      return CWindow::HandleMessage(msg, wp, lp);
    case WM_DRAWITEM:
      if (MenuIcon::Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      return CWindow::HandleMessage(msg, wp, lp);
    case WM_ENTERMENULOOP:
      // A menu takes the mouse: the calendar's hover, balloon and pale
      // buttons go; a band menu keeps its own title lit while it is open.
      ForgetPointer(openTitle_);
      return 0;
    case WM_EXITMENULOOP: {
      // The title lit for the menu stays lit only with the mouse still on it.
      POINT cursor{};
      GetCursorPos(&cursor);
      ScreenToClient(Hwnd(), &cursor);
      hoverTitleForced_ = false;
      UpdateBandHover(cursor);
      return 0;
    }
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (!hoverTitleForced_) ForgetPointer(-1);
      return 0;
    case WM_ACTIVATE:
      // A dialog or another program comes to the front: nothing stays lit.
      if (LOWORD(wp) == WA_INACTIVE) ForgetPointer(-1);
      return CWindow::HandleMessage(msg, wp, lp);
    default: break;
  }
  if (msg == TrayIcon::TaskbarCreatedMessage() && msg != 0) {
    tray_.Readd();
    return 0;
  }
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_KEYMENU) {
    // The band is the menu bar: F10 or Alt alone opens the first menu,
    // Alt with a title's letter that title's menu.
    const int title = lp == 0 ? 0 : BandTitleForKey(static_cast<wchar_t>(lp));
    if (title >= 0) {
      OpenBandMenu(title, true);
      return 0;
    }
    if (lp != L' ') return 0;  // no such title: nothing, rather than the system menu's beep
  }
  if (msg == WM_ACTIVATE) {
    if (LOWORD(wp) == WA_INACTIVE) {
      const HWND focus = GetFocus();
      lastFocus_ = focus && IsChild(Hwnd(), focus) ? focus : nullptr;
    }
    return CWindow::HandleMessage(msg, wp, lp);
  }
  return CWindow::HandleMessage(msg, wp, lp);
}

LRESULT CMainFrame::OnTrayMessage(LPARAM mouseMessage) {
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_MOUSEMOVE:
      // The reminders show when the mouse rests on the icon a moment.
      if (!mouseOverTray_) {
        mouseOverTray_ = true;
        SetTimer(Hwnd(), kTrayHoverTimer, kTrayHoverDelayMs, nullptr);
      }
      // Every move, the first too: a mouse that only crosses the icon is
      // seen leaving before the hover timer shows a popup nobody asked for.
      if (!trayWatcher_.MouseOver()) LogMessage(L"the tray position watcher is not running");
      return 0;
    case WM_MOUSELEAVE:
      mouseOverTray_ = false;
      KillTimer(Hwnd(), kTrayHoverTimer);
      HideReminderPopups();
      return 0;
    case WM_LBUTTONDOWN:
      ShowFromTray();
      KillTimer(Hwnd(), kTrayHoverTimer);
      HideReminderPopups();
      RunLoginFlowOnce();
      return 0;
    case WM_RBUTTONDOWN:
      KillTimer(Hwnd(), kTrayHoverTimer);
      HideReminderPopups();
      ShowTrayMenu();
      return 0;
    default: return 0;
  }
}

void CMainFrame::ShowTrayMenu() {
  const UniqueMenu menu = BuildTrayMenu(context_.locale);
  if (!menu) return;
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close on a click elsewhere.
  SetForegroundWindow(Hwnd());
  const UINT command = context_.prompts.trackMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD, at, Hwnd());
  PostMessageW(Hwnd(), WM_NULL, 0, 0);
  if (command) SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void CMainFrame::ShowFromTray() {
  if (wasMaximized_) {
    ShowWindow(Hwnd(), SW_SHOWMAXIMIZED);
  } else {
    ShowWindow(Hwnd(), IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
  }
  SetForegroundWindow(Hwnd());
}

LRESULT CMainFrame::OnTimer(WPARAM wp, LPARAM lp) {
  switch (wp) {
    case kReminderTimer:
      RefreshTrayTipOnNewDay();
      RunReminderCheck();
      return 0;
    case kTrayHoverTimer:
      KillTimer(Hwnd(), kTrayHoverTimer);
      RunReminderCheck();
      mouseOverTray_ = false;
      return 0;
    default: return DefaultProc(WM_TIMER, wp, lp);
  }
}

void CMainFrame::RepaintCalendar() {
  if (const HWND calendar = CalendarHwnd()) InvalidateRect(calendar, nullptr, TRUE);
}

void CMainFrame::OpenSitePage(const char16_t* page) const {
  const std::string language = context_.locale.GetLanguageName();
  const std::u16string site = context_.locale.Translate(u"APP_SITE");
  const std::u16string url = page ? SitePage(site, std::u16string(language.begin(), language.end()), page) : site;
  if (context_.prompts.shellOpen) context_.prompts.shellOpen(ToWide(url));
}

void CMainFrame::OpenHelp(HWND owner, DWORD context) const {
  // The thread's help viewer places the help beside the asker; without one
  // (a frame of its own) HTML Help opens where it likes.
  if (!OpenHelpBeside(owner, context)) static_cast<void>(ShowHtmlHelpTopic(owner, helpPath_, context));
}

// The help file beside the program; the support page when it is missing.
void CMainFrame::OpenHelpContents() const {
  if (GetFileAttributesW(helpPath_.c_str()) != INVALID_FILE_ATTRIBUTES) {
    OpenHelp(Hwnd(), IDH_CONTENTS);
  } else {
    OpenSitePage(u"support");
  }
}

LRESULT CMainFrame::OnCommand(WPARAM wp, LPARAM lp) {
  const UINT id = LOWORD(wp);
  if (DayCommands::IsDayCommand(id)) {
    if (calendar_) dayCommands_.Run(id, calendar_->SelectedDate(), Hwnd());
    RepaintCalendar();
    // The day's note, temperature and class may have changed: shown afresh.
    if (infoPane_ && infoPane_->Hwnd()) infoPane_->Refresh(true);
    if (id == ID_DAY_SET_START || id == ID_DAY_UNSET_START) UpdateDesktopCalendar();
    RefreshTrayTip();
    return 0;
  }
  switch (id) {
    case ID_FILE_EXIT: PostMessageW(Hwnd(), WM_CLOSE, 0, 0); return 0;
    case ID_NAVIGATE_NEXT:
      if (calendar_) calendar_->ShowNextMonth();
      return 0;
    case ID_NAVIGATE_PREV:
      if (calendar_) calendar_->ShowPreviousMonth();
      return 0;
    case ID_NAVIGATE_TODAY: ShowToday(); return 0;
    case ID_FILE_LOGOUT: RunLoginFlow(); return 0;
    case ID_HELP_CONTENTS: OpenHelpContents(); return 0;
    case ID_APP_ABOUT:
    case ID_HELP_ABOUT: {
      CAboutDlg about(context_.locale, context_.resources);
      (void)about.DoModal(Hwnd());
      return 0;
    }
    case ID_HELP_HOME: OpenSitePage(nullptr); return 0;
    case ID_HELP_FEEDBACK:
      if (context_.prompts.shellOpen) {
        context_.prompts.shellOpen(ToWide(FeedbackAddress(context_.locale.Translate(u"SUPPORT_EMAIL"),
                                                          context_.locale.Translate(u"APP_NAME"))));
      }
      return 0;
    case ID_REPORTS_STATISTIC: {
      CStatisticDlg dialog(context_.model, context_.options, context_.locale, context_.clock, context_.resources);
      (void)dialog.DoModal(Hwnd());
      return 0;
    }
    case ID_REPORTS_MYCYCLES: {
      CCyclesDlg dialog(context_.model, context_.locale, context_.resources);
      (void)dialog.DoModal(Hwnd());
      return 0;
    }
    case ID_TRAY_SHOW:
      ShowFromTray();
      RunLoginFlowOnce();
      return 0;
    case ID_FILE_CONFIGURE: OpenSettings(); return 0;
    case ID_FILE_PRINTALL:
      if (calendar_) static_cast<void>(printer_.Print(Hwnd(), calendar_->Year(), calendar_->Painter()));
      return 0;
    case ID_HELP_CHECK_NEW_VER: updates_.CheckNewVersion(Hwnd()); return 0;
    case ID_FILE_BACKUP: BackUpCommand(); return 0;
    case ID_FILE_RESTORE: RestoreCommand(); return 0;
    case ID_FILE_EXPORT: ExportCommand(); return 0;
    case ID_REPORTS_BIRTH:
    case ID_REPORTS_HOROSCOPE:
    case ID_REPORTS_CHINA_CAL:
      RunPlanningDialog(id, Hwnd(), PlanningContext{context_.model, context_.locale, ResourceModule(context_.resources),
                                                    [this](HWND owner, DWORD help) { OpenHelp(owner, help); }});
      return 0;
    default: return DefaultProc(WM_COMMAND, wp, lp);
  }
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

LRESULT CMainFrame::OnSize(WPARAM wp, LPARAM) {
  if (wp == SIZE_MINIMIZED) {
    // Minimized, the program lives on as its tray icon only.
    ShowWindow(Hwnd(), SW_HIDE);
    TellOnceItKeepsRunning();
    return 0;
  }
  wasMaximized_ = wp == SIZE_MAXIMIZED;
  if (calendar_ && CalendarHwnd()) calendar_->OnHostSize();
  RelayoutBand();
  if (paneBar_.Hwnd()) {
    const RECT bar = PaneBarArea();
    MoveWindow(paneBar_.Hwnd(), bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, TRUE);
  }
  // The strips above and below the bar are painted by the frame.
  RECT c{};
  GetClientRect(Hwnd(), &c);
  const RECT right{c.right - kPaneBarWidth, kBandHeight, c.right, c.bottom};
  InvalidateRect(Hwnd(), &right, FALSE);
  return 0;
}

// The first time she minimizes, the window seems to vanish: the tray icon
// says once where Tamarel went. Remembered in the settings at once, so a
// crash before the next save does not bring it back.
void CMainFrame::TellOnceItKeepsRunning() {
  OptionsManager& options = context_.options;
  if (options.trayNoticeShown || !tray_.Added()) return;
  const std::u16string name = context_.locale.Translate(u"APP_NAME");
  const std::u16string text = FormatText(context_.locale.Translate(u"TRAY_KEEPS_RUNNING"), {name});
  if (!tray_.ShowBalloon(ToWide(name), ToWide(text))) return;
  options.trayNoticeShown = true;
  options.Save();
}

LRESULT CMainFrame::OnSizing(WPARAM wp, LPARAM lp) {
  if (calendar_ && CalendarHwnd()) calendar_->OnHostSize();
  return DefaultProc(WM_SIZING, wp, lp);
}

LRESULT CMainFrame::OnGetMinMaxInfo(WPARAM, LPARAM lp) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lp);
  ScreenSize minimum{kMinWidth, kMinHeight};
  ScreenRect work, whole;
  if (MonitorAreas(MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST), &work, &whole)) {
    minimum = MinimumWindowSize(minimum, work);
  }
  info->ptMinTrackSize.x = minimum.width;
  info->ptMinTrackSize.y = minimum.height;
  // Maximized, the window fills the work area (the screen less the taskbar):
  // its client area is on screen whole, the sizing borders just beyond.
  if (MonitorAreas(MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST), &work, &whole) && work.Width() > 0) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_THICKFRAME, FALSE, 0);
    const LONG border = -frame.left;
    info->ptMaxPosition.x = work.left - whole.left - border;
    info->ptMaxPosition.y = work.top - whole.top - border;
    info->ptMaxSize.x = work.Width() + 2 * border;
    info->ptMaxSize.y = work.Height() + 2 * border;
  }
  return 0;
}

LRESULT CMainFrame::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CMainFrame::OnPaint(WPARAM, LPARAM) {
  PaintDC paint(Hwnd());
  RECT c{};
  GetClientRect(Hwnd(), &c);
  if (c.right <= 0) return 0;
  if (const HDC buffer = bandBuffer_.Prepare(paint.Get(), c.right, kBandHeight)) {
    bandPainter_.Paint(buffer, c.right, context_.options.theme, titles_, band_, hovered_);
    const RECT band{0, 0, c.right, kBandHeight};
    bandBuffer_.Present(paint.Get(), band);
    // Kept only while a title is hovered, when the band repaints often.
    if (hovered_ < 0) bandBuffer_.Release();
  }
  if (hideForLogin_ || CalendarLocked()) {
    // Locked: one plain area with the way in, and no day of anybody's.
    const RECT area = LockedArea();
    const Brush base(CreateSolidBrush(static_cast<COLORREF>(context_.options.theme.base)));
    FillRect(paint.Get(), &area, base.Get());
    if (!hideForLogin_) {
      RECT text = area;
      const std::wstring invite = ToWide(context_.locale.Translate(u"LOGIN_TO_SEE"));
      SetBkMode(paint.Get(), TRANSPARENT);
      SetTextColor(paint.Get(), static_cast<COLORREF>(context_.options.theme.dark));
      SelectObject(paint.Get(), GetStockObject(DEFAULT_GUI_FONT));
      DrawTextW(paint.Get(), invite.c_str(), static_cast<int>(invite.size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    return 0;
  }
  // Below the band: the strips above and below the pane bar in its colour,
  // and whatever else the calendar and the bar leave uncovered.
  const Brush strip(CreateSolidBrush(paneBar_.Background()));
  const LONG left = c.right - kPaneBarWidth;
  for (const RECT r : {RECT{left, kBandHeight, c.right, kBandHeight + kPaneBarStrip},
                       RECT{left, c.bottom - kPaneBarStrip, c.right, c.bottom}}) {
    FillRect(paint.Get(), &r, strip.Get());
  }
  const RECT rest{0, kBandHeight, left, c.bottom};
  if (rest.bottom > rest.top) FillRect(paint.Get(), &rest, GetSysColorBrush(COLOR_WINDOW));
  const RECT bar = PaneBarArea();
  if (bar.bottom > bar.top && !paneBar_.Hwnd()) FillRect(paint.Get(), &bar, strip.Get());
  return 0;
}

LRESULT CMainFrame::OnClose(WPARAM, LPARAM) {
  KillTimer(Hwnd(), kReminderTimer);
  DestroyWindow(Hwnd());
  return 0;
}

// Windows may end the process right after this message without destroying
// the window; the settings are saved now.
LRESULT CMainFrame::OnEndSession(WPARAM wp, LPARAM) {
  if (wp) StoreRectangleAndSave();
  return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM, LPARAM) {
  settings_.reset();
  StoreRectangleAndSave();
  // The watcher posts to this window: it ends before the window does.
  trayWatcher_.Stop();
  if (context_.desktop) context_.desktop->RestoreWallpaper();
  tray_.Remove();
  for (UINT_PTR timer : {kReminderTimer, kTrayHoverTimer}) KillTimer(Hwnd(), timer);
  if (MessageLoop* loop = MessageLoop::Current()) loop->RemoveFilter(loopFilter_.get());
  if (context_.quitOnDestroy) PostQuitMessage(0);
  return 0;
}

void CMainFrame::StoreRectangleAndSave() {
  if (saved_) return;
  saved_ = true;
  // A minimized (hidden) or maximized window keeps its normal rectangle in
  // its placement; that is the one to come back to. The placement gives it in
  // work-area coordinates, the stored rectangle is in screen coordinates.
  RECT r{};
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  const bool normal = !IsIconic(Hwnd()) && !IsZoomed(Hwnd());
  if (normal ? GetWindowRect(Hwnd(), &r) != FALSE : GetWindowPlacement(Hwnd(), &placement) != FALSE) {
    if (!normal) {
      r = placement.rcNormalPosition;
      ScreenRect work, whole;
      if (MonitorAreas(MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST), &work, &whole)) {
        const ScreenRect screen = WorkspaceToScreen(ToScreenRect(r), work, whole);
        r = RECT{screen.left, screen.top, screen.right, screen.bottom};
      }
    }
    OptionsManager& o = context_.options;
    o.x1 = r.left;
    o.y1 = r.top;
    o.x2 = r.right;
    o.y2 = r.bottom;
  } else {
    LogLastError(L"GetWindowRect");
  }
  context_.options.Save();
  if (context_.options.LastSaveFailures() > 0) {
    wchar_t line[96];
    std::swprintf(line, 96, L"saving the settings: %d registry calls failed", context_.options.LastSaveFailures());
    LogMessage(line);
  }
}
