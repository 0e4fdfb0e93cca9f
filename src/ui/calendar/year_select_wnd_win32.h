#pragma once

#include <windows.h>

#include "model/packed_date.h"
#include "ui/calendar/calendar_host_win32.h"
#include "ui/widgets/window_win32.h"

class MenstualManager;
class OptionsManager;
class LocaleManager;
class IClock;

// The four-month calendar control below the frame's band: pages, hover with
// the day balloon, clicks that open the day menu. Painted double-buffered.
class AFCYearSelectWnd : public CWindow {
 public:
  static constexpr int kControlId = 45888;

  AFCYearSelectWnd(ICalendarHost& host, MenstualManager& model, const OptionsManager& options,
                   const LocaleManager& locale, const IClock& clock);
  ~AFCYearSelectWnd() override;

  // Creates the visible child at rect (parent client coordinates) with the given id.
  [[nodiscard]] bool CreateControl(const RECT& rect, HWND parent, int id = kControlId);

  void ShowNextMonth();
  void ShowPreviousMonth();
  void ShowToday();
  // The frame's size and sizing events: placement from the host's calendar area, layout rebuilt.
  void OnHostSize();

  // The date of the day last hit (the day menu works on it).
  [[nodiscard]] PackedDate SelectedDate() const;
};
