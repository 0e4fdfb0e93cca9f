#include "ui/calendar/year_select_wnd_win32.h"

#include <windowsx.h>

#include <string>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/wide_win32.h"
#include "model/day_class.h"
#include "model/menstual_manager.h"
#include "ui/calendar/day_balloon_text.h"
#include "ui/widgets/gdi_win32.h"

namespace {

constexpr wchar_t kClassName[] = L"AFCYearSelectWnd";

POINT PointOf(LPARAM lp) { return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }
Point ToCal(POINT p) { return Point{p.x, p.y}; }

} // namespace

AFCYearSelectWnd::AFCYearSelectWnd(ICalendarHost &host, MenstualManager &model,
                                   const OptionsManager &options,
                                   const LocaleManager &locale,
                                   const IClock &clock)
    : host_(host), model_(model), locale_(locale), clock_(clock),
      year_(clock.Today()), painter_(model, options, locale, clock),
      backKey_([this] { ShowPreviousMonth(); }, [this] { FocusMoved(); }),
      nextKey_([this] { ShowNextMonth(); }, [this] { FocusMoved(); }) {}

// The balloon and the timer go with the window; the base class destroys a
// window that is still alive.
AFCYearSelectWnd::~AFCYearSelectWnd() { balloon_.Close(); }

bool AFCYearSelectWnd::CreateControl(const RECT &rect, HWND parent, int id) {
  WNDCLASSEXW wc{};
  // Redrawn whole on every size change; no class brush, the paint covers
  // everything.
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc))
    return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const HWND hwnd =
      Create(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left,
             rect.top, width, height, parent,
             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  if (!hwnd)
    return false;
  // Back and Next come first in the tab order, as they are read: in front of
  // the calendar among its siblings. Without them the days still take the
  // keyboard and the buttons the mouse.
  if (backKey_.CreateButton(parent) && nextKey_.CreateButton(parent)) {
    SetWindowPos(backKey_.Hwnd(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(nextKey_.Hwnd(), backKey_.Hwnd(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    LogMessage(L"the calendar's Back and Next tab stops could not be created");
  }
  year_.SetBounds(Rect{0, 0, width, height});
  UpdateWindow(hwnd);
  return true;
}

Rect AFCYearSelectWnd::CalendarArea() const {
  const RECT a = host_.CalendarArea();
  return Rect{a.left, a.top, a.right, a.bottom};
}

void AFCYearSelectWnd::OnHostSize() {
  const HWND hwnd = Hwnd();
  if (!hwnd) return;
  const Rect area = CalendarArea();
  const Rect placed = CalendarLayout::WindowRectFor(area);
  sizing_ = true;
  MoveWindow(hwnd, placed.left, placed.top, placed.Width(), placed.Height(),
             TRUE);
  sizing_ = false;
  year_.Resize(area);
  AfterRebuild();
  InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT AFCYearSelectWnd::OnSize(WPARAM, LPARAM) {
  if (!sizing_)
    OnHostSize();
  return 0;
}

void AFCYearSelectWnd::AfterRebuild() {
  // The buttons are placed by painting; placing them now too lets a click
  // that comes before the first paint (or in a hidden window) find them.
  ClientDC screen(nullptr);
  if (screen.Get())
    painter_.PlaceButtons(screen.Get(), year_);
  PlaceButtonKeys();
}

void AFCYearSelectWnd::PlaceButtonKeys() {
  const HWND hwnd = Hwnd();
  if (!hwnd)
    return;
  const HWND parent = GetParent(hwnd);
  const auto place = [&](const CPageButton& key, const Rect& button, Rect& placed) {
    if (!key.Hwnd()) return;
    POINT at{button.left, button.top};
    MapWindowPoints(hwnd, parent, &at, 1);
    const Rect wanted{at.x, at.y, at.x + button.Width(), at.y + button.Height()};
    if (wanted == placed) return;
    placed = wanted;
    // It draws nothing: moving it must not make anything repaint.
    SetWindowPos(key.Hwnd(), nullptr, wanted.left, wanted.top, wanted.Width(),
                 wanted.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
  };
  place(backKey_, year_.BackButton(), backKeyRect_);
  place(nextKey_, year_.NextButton(), nextKeyRect_);
}

void AFCYearSelectWnd::ShowNextMonth() {
  year_.ShowNextMonth();
  AfterRebuild();
  if (Hwnd())
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void AFCYearSelectWnd::ShowPreviousMonth() {
  year_.ShowPreviousMonth();
  AfterRebuild();
  if (Hwnd())
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void AFCYearSelectWnd::ShowToday() {
  year_.ShowToday(clock_.Today()); // selects today as well
  AfterRebuild();
  if (Hwnd())
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void AFCYearSelectWnd::MoveSelection(CalendarStep step) {
  const PackedDate to = SteppedDate(year_.Selected(), step);
  if (!IsValidDate(to))
    return;
  if (year_.SelectAndReveal(to))
    AfterRebuild();
  if (Hwnd())
    InvalidateRect(Hwnd(), nullptr, FALSE);
  host_.SelectionChanged();
}

void AFCYearSelectWnd::OpenSelectedDayMenu() {
  if (!year_.IsShown(year_.Selected()) && year_.SelectAndReveal(year_.Selected())) AfterRebuild();
  const DayCell* day = year_.SelectedCell();
  if (!day) return;
  const Rect cell = day->rect;
  ForgetHover();
  UpdateWindow(Hwnd());
  host_.ShowDayMenu(Hwnd(), RECT{cell.left, cell.top, cell.right, cell.bottom});
}

LRESULT AFCYearSelectWnd::OnKeyDown(WPARAM key, LPARAM lp) {
  switch (key) {
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN:
  case VK_PRIOR:
  case VK_NEXT:
  case VK_HOME:
  case VK_RETURN:
  case VK_APPS:
    // Keyboard use shows where the focus is, as the dialog navigation does.
    SendMessageW(GetAncestor(Hwnd(), GA_ROOT), WM_CHANGEUISTATE,
                 MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    break;
  default:
    return DefaultProc(WM_KEYDOWN, key, lp);
  }
  switch (key) {
  case VK_LEFT:
    MoveSelection(CalendarStep::DayBack);
    return 0;
  case VK_RIGHT:
    MoveSelection(CalendarStep::DayForward);
    return 0;
  case VK_UP:
    MoveSelection(CalendarStep::WeekBack);
    return 0;
  case VK_DOWN:
    MoveSelection(CalendarStep::WeekForward);
    return 0;
  case VK_PRIOR:
    MoveSelection(CalendarStep::MonthBack);
    return 0;
  case VK_NEXT:
    MoveSelection(CalendarStep::MonthForward);
    return 0;
  case VK_HOME:
    ShowToday();
    host_.SelectionChanged();
    return 0;
  case VK_RETURN: {
    // The character this key was translated into waits in the queue; the
    // menu's loop would take it as a choice and close at once.
    MSG typed;
    while (PeekMessageW(&typed, Hwnd(), WM_CHAR, WM_CHAR, PM_NOREMOVE) &&
           typed.wParam == L'\r') {
      PeekMessageW(&typed, Hwnd(), WM_CHAR, WM_CHAR, PM_REMOVE);
    }
    OpenSelectedDayMenu();
    return 0;
  }
  case VK_APPS:
    OpenSelectedDayMenu();
    return 0;
  default:
    return 0;
  }
}

// A keyboard's request for the context menu comes with no point (-1, -1);
// a right click has opened its menu already at the button press.
LRESULT AFCYearSelectWnd::OnContextMenu(LPARAM lp) {
  if (GET_X_LPARAM(lp) == -1 && GET_Y_LPARAM(lp) == -1)
    OpenSelectedDayMenu();
  return 0;
}

LRESULT AFCYearSelectWnd::OnSetFocus(WPARAM, LPARAM) {
  FocusMoved();
  return 0;
}

void AFCYearSelectWnd::FocusMoved() {
  if (Hwnd())
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void AFCYearSelectWnd::DrawFocusCue(HDC dc) const {
  if (SendMessageW(Hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)
    return;
  const HWND focus = GetFocus();
  Rect r;
  int inset = 2;
  if (focus == Hwnd()) {
    const DayCell *day = year_.SelectedCell();
    if (!day)
      return;
    r = day->rect;
    inset = 3; // inside the selection frame
  } else if (focus && focus == backKey_.Hwnd()) {
    r = year_.BackButton();
  } else if (focus && focus == nextKey_.Hwnd()) {
    r = year_.NextButton();
  } else {
    return;
  }
  if (r.Width() <= 2 * inset || r.Height() <= 2 * inset)
    return;
  // A dotted pen rather than the XOR of DrawFocusRect: a repaint of only the
  // hovered cells draws the cue again over a buffer that may still hold it.
  const Pen pen(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  const SelectGuard usePen(dc, pen.Get());
  const SelectGuard noFill(dc, GetStockObject(NULL_BRUSH));
  const int mode = SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, r.left + inset, r.top + inset, r.right - inset,
            r.bottom - inset);
  SetBkMode(dc, mode);
}

PackedDate AFCYearSelectWnd::SelectedDate() const { return year_.Selected(); }

LRESULT AFCYearSelectWnd::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT AFCYearSelectWnd::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PRINTCLIENT) {
    PaintView(reinterpret_cast<HDC>(wp));
    return 0;
  }
  if (msg == WM_MOUSELEAVE) {
    ForgetHover();
    return 0;
  }
  switch (msg) {
  // The dialog navigation leaves the arrows, Enter and the rest to the
  // calendar.
  case WM_GETDLGCODE:
    return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
  case WM_KEYDOWN:
    return OnKeyDown(wp, lp);
  // The menu key opened the menu as it went down; the default handling of
  // its release would ask for the menu a second time.
  case WM_KEYUP:
    if (wp == VK_APPS)
      return 0;
    break;
  case WM_SYSKEYDOWN:
    if (wp == VK_F10 && GetKeyState(VK_SHIFT) < 0) {
      OpenSelectedDayMenu();
      return 0;
    }
    break;
  case WM_CONTEXTMENU:
    return OnContextMenu(lp);
  case WM_KILLFOCUS:
    FocusMoved();
    return 0;
  case WM_SHOWWINDOW:
    // Hidden (nobody logged in), Back and Next are no tab stops either.
    for (const HWND key : {backKey_.Hwnd(), nextKey_.Hwnd()}) {
      if (key)
        ShowWindow(key, wp ? SW_SHOWNA : SW_HIDE);
    }
    break;
  // Another window took the mouse (a menu, a drag): what the pointer
  // marked here is no longer under it.
  case WM_CAPTURECHANGED:
    ForgetHover();
    return 0;
  default:
    break;
  }
  return CWindow::HandleMessage(msg, wp, lp);
}

void AFCYearSelectWnd::PaintView(HDC dc) {
  // The view fills the calendar area below the band; the months keep the
  // layout of the last size event.
  const Rect area = CalendarArea();
  year_.SetBounds(Rect{area.left, area.top, area.right, area.bottom - CalendarLayout::kFrameBandHeight});
  painter_.DrawYear(dc, year_, overBack_, overNext_);
}

bool AFCYearSelectWnd::OnlyHoverCellsInvalid() const {
  if (hoverCells_.empty())
    return false;
  Region update(CreateRectRgn(0, 0, 0, 0));
  Region cells(CreateRectRgn(0, 0, 0, 0));
  if (!update || !cells) return false;
  if (GetUpdateRgn(Hwnd(), update.Get(), FALSE) == ERROR) return false;
  for (const Rect& c : hoverCells_) {
    Region one(CreateRectRgn(c.left, c.top, c.right, c.bottom));
    if (one)
      CombineRgn(cells.Get(), cells.Get(), one.Get(), RGN_OR);
  }
  return CombineRgn(update.Get(), update.Get(), cells.Get(), RGN_DIFF) ==
         NULLREGION;
}

void AFCYearSelectWnd::InvalidateHoverCell(const Rect& cell) {
  hoverCells_.push_back(cell);
  const RECT r{cell.left, cell.top, cell.right, cell.bottom};
  InvalidateRect(Hwnd(), &r, FALSE);
}

// Everything is drawn off screen and copied in one blit, so nothing
// flickers. While the mouse works over the calendar the buffer keeps the view
// between paints: when the mouse only moved from one day to another, the two
// cells are drawn again into it and the rest stays as it was. Once the mouse
// is elsewhere the buffer (megabytes for a large window) is given back.
LRESULT AFCYearSelectWnd::OnPaint(WPARAM, LPARAM) {
  const bool onlyCells = bufferPainted_ && OnlyHoverCellsInvalid();
  PaintDC paint(Hwnd());
  RECT client{};
  GetClientRect(Hwnd(), &client);
  const bool sameSize =
      buffer_.Width() == client.right && buffer_.Height() == client.bottom;
  const HDC dc = buffer_.Prepare(paint.Get(), client.right, client.bottom);
  if (!dc)
    return 0;
  if (onlyCells && sameSize) {
    painter_.RepaintCells(dc, year_, hoverCells_);
    ++cellRepaints_;
  } else {
    PaintView(dc);
    PlaceButtonKeys();
  }
  DrawFocusCue(dc);
  hoverCells_.clear();
  bufferPainted_ = true;
  buffer_.Present(paint.Get(), paint.Area());
  if (!trackingLeave_)
    ReleaseBuffer();
  return 0;
}

void AFCYearSelectWnd::ReleaseBuffer() {
  buffer_.Release();
  bufferPainted_ = false;
}

void AFCYearSelectWnd::StartTooltipTimer() {
  if (SetTimer(Hwnd(), kTooltipTimerId, kTooltipDelayMs, nullptr)) {
    tooltipTimerRunning_ = true;
    ++tooltipTimerStarts_;
  } else {
    LogLastError(L"SetTimer(balloon delay)");
  }
}

void AFCYearSelectWnd::StopTooltipTimer() {
  if (Hwnd())
    KillTimer(Hwnd(), kTooltipTimerId);
  tooltipTimerRunning_ = false;
}

void AFCYearSelectWnd::ProcessMouseMove(POINT p) {
  // Told when the mouse leaves, so that no hover mark or pale button stays.
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  const Point at = ToCal(p);
  const bool wasOverBack = overBack_;
  const bool wasOverNext = overNext_;
  const DayCell* before = year_.HoveredDay();
  const std::optional<Rect> oldCell = before ? std::optional<Rect>(before->rect) : std::nullopt;
  overBack_ = year_.BackButton().Contains(at);
  overNext_ = year_.NextButton().Contains(at);
  pressed_ = false;
  if (const DayCell *day = year_.HitTest(at)) {
    // Moving inside one cell must not push the balloon further away.
    if (!tooltipDay_ || !(*tooltipDay_ == day->Date())) {
      StartTooltipTimer();
      tooltipDay_ = day->Date();
    }
  } else {
    // The point of the message may lag behind the mouse; only when the mouse
    // is really off every day does the balloon go. The last hovered day
    // stays marked.
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Hwnd(), &cursor);
    if (!year_.HitTest(ToCal(cursor))) {
      balloon_.Close();
      StopTooltipTimer();
      tooltipDay_.reset();
    }
  }
  // Only what changed look is painted again: the header when a button's
  // hover changed, else the cells of the day left and the day entered.
  if (overBack_ != wasOverBack || overNext_ != wasOverNext) {
    InvalidateRect(Hwnd(), nullptr, FALSE);
    return;
  }
  const DayCell* after = year_.HoveredDay();
  const std::optional<Rect> newCell = after ? std::optional<Rect>(after->rect) : std::nullopt;
  if (oldCell == newCell) return;
  if (oldCell) InvalidateHoverCell(*oldCell);
  if (newCell) InvalidateHoverCell(*newCell);
}

LRESULT AFCYearSelectWnd::OnMouseMove(WPARAM, LPARAM lp) {
  ProcessMouseMove(PointOf(lp));
  return 0;
}

// A click is what selects a day: the panes and the day commands act on the
// clicked day only, never on one the mouse merely crossed.
void AFCYearSelectWnd::OpenDayMenu(POINT p) {
  const DayCell *day = year_.SelectAt(ToCal(p));
  if (!day)
    return;
  // The cell is copied: the host may repaint or page while its menu is open.
  const Rect cell = day->rect;
  // The menu covers the balloon's place and takes the mouse: hover and
  // balloon go, and the selection frame shows at once.
  ForgetHover();
  UpdateWindow(Hwnd());
  host_.ShowDayMenu(Hwnd(), RECT{cell.left, cell.top, cell.right, cell.bottom});
}

void AFCYearSelectWnd::ForgetHover() {
  balloon_.Close();
  StopTooltipTimer();
  tooltipDay_.reset();
  year_.ClearHover();
  overBack_ = overNext_ = false;
  trackingLeave_ = false;
  ReleaseBuffer();
  if (Hwnd())
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

LRESULT AFCYearSelectWnd::OnLButtonDown(WPARAM, LPARAM lp) {
  pressed_ = true;
  // A click that only activates the program must not change a day.
  if (!host_.IsHostActive())
    return 0;
  // The keyboard goes on from the day she clicked.
  if (GetFocus() != Hwnd())
    SetFocus(Hwnd());
  const POINT p = PointOf(lp);
  switch (year_.ButtonAt(ToCal(p))) {
  case CalendarButton::Back:
    ShowPreviousMonth();
    break;
  case CalendarButton::Next:
    ShowNextMonth();
    break;
  case CalendarButton::None:
    OpenDayMenu(p);
    break;
  }
  return 0;
}

LRESULT AFCYearSelectWnd::OnLButtonUp(WPARAM, LPARAM) {
  pressed_ = false;
  return 0;
}

LRESULT AFCYearSelectWnd::OnRButtonDown(WPARAM, LPARAM lp) {
  if (host_.IsHostActive() && GetFocus() != Hwnd())
    SetFocus(Hwnd());
  OpenDayMenu(PointOf(lp));
  return 0;
}

LRESULT AFCYearSelectWnd::OnTimer(WPARAM wp, LPARAM lp) {
  if (wp != kTooltipTimerId)
    return DefaultProc(WM_TIMER, wp, lp);
  // Once per hovered day.
  StopTooltipTimer();
  ShowDayBalloon();
  return 0;
}

void AFCYearSelectWnd::ShowDayBalloon() {
  const DayCell *day = year_.HoveredDay();
  if (!day)
    return;
  POINT anchor{(day->rect.left + day->rect.right) / 2,
               (day->rect.top + day->rect.bottom) / 2};
  ClientToScreen(Hwnd(), &anchor);

  const DayBalloon words = DayBalloonFor(model_, locale_, day->Date());
  balloon_.Show(Hwnd(), anchor, ToWide(words.title), ToWide(words.text));
}

LRESULT AFCYearSelectWnd::OnDestroy(WPARAM wp, LPARAM lp) {
  balloon_.Close();
  StopTooltipTimer();
  return DefaultProc(WM_DESTROY, wp, lp);
}
