#pragma once

#include <windows.h>

// What the calendar control needs of the window that hosts it (the main frame).
class ICalendarHost {
 public:
  virtual ~ICalendarHost() = default;
  // The calendar area in the host's client coordinates: the client rectangle
  // without the panes on the right (left 0, top 0, right = width - 311).
  [[nodiscard]] virtual RECT CalendarArea() const = 0;
  // Opens the day menu for the selected date under the given cell (control coordinates).
  virtual void ShowDayMenu(HWND calendar, const RECT& cell) = 0;
  // Clicks only act while the host is the active window.
  [[nodiscard]] virtual bool IsHostActive() const = 0;
  // The keyboard moved the selected day (the panes describe the selected day).
  virtual void SelectionChanged() {}
};
