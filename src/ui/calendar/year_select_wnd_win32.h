#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "env/packed_date.h"
#include "ui/calendar/calendar_host_win32.h"
#include "ui/calendar/calendar_painter_win32.h"
#include "ui/calendar/page_button_win32.h"
#include "ui/widgets/balloon_win32.h"
#include "ui/widgets/double_buffer_win32.h"
#include "ui/widgets/window_win32.h"

class MenstualManager;
class OptionsManager;
class LocaleManager;
class IClock;

// The four-month calendar control below the frame's band: pages, hover with
// the day balloon, clicks that open the day menu. Painted double-buffered.
// It is a tab stop, and so are its Back and Next buttons (in front of it, in
// reading order); with the focus, the arrow keys move the selected day,
// Page Up and Page Down move it by a month, Home goes to today, and Enter,
// the menu key or Shift+F10 open the day menu of the selected day.
class AFCYearSelectWnd : public CWindow {
 public:
  static constexpr int kControlId = 45888;
  // The one-shot timer that opens the balloon of a day the mouse rests on.
  static constexpr UINT_PTR kTooltipTimerId = 33;
  static constexpr UINT kTooltipDelayMs = 1000;

  AFCYearSelectWnd(ICalendarHost& host, MenstualManager& model, const OptionsManager& options,
                   const LocaleManager& locale, const IClock& clock);
  ~AFCYearSelectWnd() override;

  // Creates the visible child at rect (parent client coordinates) with the
  // given id.
  [[nodiscard]] bool CreateControl(const RECT& rect, HWND parent, int id = kControlId);

  void ShowNextMonth();
  void ShowPreviousMonth();
  void ShowToday();
  // The frame's size and sizing events: placement from the host's calendar
  // area, layout rebuilt.
  void OnHostSize();

  // Stops the balloon delay (the mouse went over the panes).
  void StopTooltipTimer();
  // The mouse left or a menu took it: no hover mark, balloon or pale button.
  void ForgetHover();

  // The keyboard: moves the selected day one step, paging the view when the
  // day's month is not shown; the host is told.
  void MoveSelection(CalendarStep step);
  // Opens the day menu of the selected day at its cell (the view pages to
  // it first when it is not shown).
  void OpenSelectedDayMenu();
  // The windows Tab stops at for Back and Next.
  [[nodiscard]] HWND BackButtonHwnd() const { return backKey_.Hwnd(); }
  [[nodiscard]] HWND NextButtonHwnd() const { return nextKey_.Hwnd(); }

  // The day she clicked last (today until she clicks, and after Today): the
  // day menu and the panes work on it.
  [[nodiscard]] PackedDate SelectedDate() const;

  // The shown view, as laid out and last painted.
  [[nodiscard]] const AFCYearObj& Year() const { return year_; }
  [[nodiscard]] const CalendarPainter& Painter() const { return painter_; }
  // Whether the balloon delay is running, and how often it was started.
  [[nodiscard]] bool TooltipTimerRunning() const { return tooltipTimerRunning_; }
  [[nodiscard]] int TooltipTimerStarts() const { return tooltipTimerStarts_; }
  // The open day balloon, or null.
  [[nodiscard]] HWND BalloonHwnd() const { return balloon_.Hwnd(); }
  [[nodiscard]] const BalloonMessage& Balloon() const { return balloon_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnSize(WPARAM wp, LPARAM lp) override;
  LRESULT OnPaint(WPARAM wp, LPARAM lp) override;
  LRESULT OnEraseBkgnd(WPARAM wp, LPARAM lp) override;
  LRESULT OnTimer(WPARAM wp, LPARAM lp) override;
  LRESULT OnMouseMove(WPARAM wp, LPARAM lp) override;
  LRESULT OnLButtonDown(WPARAM wp, LPARAM lp) override;
  LRESULT OnLButtonUp(WPARAM wp, LPARAM lp) override;
  LRESULT OnRButtonDown(WPARAM wp, LPARAM lp) override;
  LRESULT OnDestroy(WPARAM wp, LPARAM lp) override;
  LRESULT OnSetFocus(WPARAM wp, LPARAM lp) override;

 private:
  LRESULT OnKeyDown(WPARAM key, LPARAM lp);
  LRESULT OnContextMenu(LPARAM lp);
  // Keeps the Back and Next tab stops over the painted buttons.
  void PlaceButtonKeys();
  // The dotted focus rectangle on the selected day, or on Back or Next
  // while their tab stop has the focus; drawn over a finished painting.
  void DrawFocusCue(HDC dc) const;
  void FocusMoved();
  // Draws the whole view into dc (the off-screen buffer, or a caller's
  // context for WM_PRINTCLIENT).
  void PaintView(HDC dc);
  void ProcessMouseMove(POINT p);
  // Right-button behaviour: select the day under p and open its menu.
  void OpenDayMenu(POINT p);
  void StartTooltipTimer();
  // Gives the off-screen view back; the next paint draws it all again.
  void ReleaseBuffer();
  void ShowDayBalloon();
  // Months rebuilt after paging: hover is gone and the buttons are re-placed.
  void AfterRebuild();
  [[nodiscard]] Rect CalendarArea() const;

  ICalendarHost& host_;
  MenstualManager& model_;
  const LocaleManager& locale_;
  const IClock& clock_;
  AFCYearObj year_;
  CalendarPainter painter_;
  DoubleBuffer buffer_;
  BalloonMessage balloon_;
  bool overBack_ = false;
  bool overNext_ = false;
  bool pressed_ = false;
  bool trackingLeave_ = false;
  bool tooltipTimerRunning_ = false;
  int tooltipTimerStarts_ = 0;
  // The day the balloon delay last started for, by date: the cells are
  // rebuilt on paging and resizing, a date survives that.
  std::optional<PackedDate> tooltipDay_;
  // Cells whose look changed with the hover since the last paint; when they
  // are all that needs painting, only they are drawn again.
  std::vector<Rect> hoverCells_;
  // The buffer holds the whole view as last shown.
  bool bufferPainted_ = false;
  // How many paints redrew only hovered cells (the tests check the fast path
  // is taken).
  int cellRepaints_ = 0;

 public:
  [[nodiscard]] int CellRepaints() const { return cellRepaints_; }
  // The off-screen copy of what the window shows.
  [[nodiscard]] HDC BufferDc() const { return buffer_.Dc(); }

 private:
  // Whether the pending paint covers nothing but the hover cells.
  [[nodiscard]] bool OnlyHoverCellsInvalid() const;
  void InvalidateHoverCell(const Rect& cell);

  // Moving the window from inside its own size handling sends another size
  // event.
  bool sizing_ = false;

  CPageButton backKey_;
  CPageButton nextKey_;
  Rect backKeyRect_;
  Rect nextKeyRect_;
};
