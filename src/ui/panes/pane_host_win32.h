#pragma once

#include <windows.h>

#include <functional>

#include "env/packed_date.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;
class MenstualManager;
class IClock;

// What the side panes ask of the main frame: the calendar's selected date,
// repaints and the commands the panes share with the frame's menus.
class IPaneHost {
 public:
  virtual ~IPaneHost() = default;
  [[nodiscard]] virtual PackedDate SelectedDate() const = 0;  // the calendar's selected date
  virtual void ShowToday() = 0;                 // calendar shows the current month first
  virtual void RepaintCalendar() = 0;           // calendar repainted with erase
  virtual void RepaintMainWindow() = 0;         // whole main window repainted (after a colour change)
  virtual void RunCommand(UINT id) = 0;         // ID_REPORTS_STATISTIC / ID_REPORTS_MYCYCLES / ID_REPORTS_BIRTH (resource.h)
  virtual void GoalChanged() = 0;               // the frame applies the goal visibility rule to goal and legend panes, then repaints the calendar with erase
  virtual void OpenTemperatureHelp(HWND owner) = 0;
  // A day or the cycle lengths changed from a pane: the frame makes afresh
  // everything that shows her days (calendar, panes, tray tooltip, desktop).
  virtual void DaysChanged() = 0;
};

// Everything a pane works with; the managers outlive the panes.
struct PaneContext {
  OptionsManager& options; const LocaleManager& locale; MenstualManager& model; const IClock& clock;
  IPaneHost& host; const Prompts& prompts; HINSTANCE resources = nullptr;   // null = the program itself
  std::function<bool(HWND owner, COLORREF& colour)> chooseColor;            // null = the system's ChooseColorW (CC_RGBINIT|CC_FULLOPEN)
};
