#pragma once

#include <windows.h>

#include <functional>

#include "model/day.h"
#include "ui/days/day_entry_win32.h"
#include "ui/widgets/prompts_win32.h"

class MenstualManager;
class OptionsManager;
class LocaleManager;

// The commands of the day menu, run on one date: every change goes through
// the cycle manager, which stores the record and empties its caches. A
// refused menstruation start or end, a full calendar file and a file that
// cannot be written are each told to the user.
class DayCommands {
 public:
  DayCommands(MenstualManager& model, OptionsManager& options, const LocaleManager& locale, const Prompts& prompts,
              HINSTANCE resources, std::function<void(HWND)> openTemperatureHelp);

  [[nodiscard]] static bool IsDayCommand(unsigned id);
  // Runs the command; dialogs and message boxes are owned by owner.
  void Run(unsigned id, const PackedDate& date, HWND owner);

 private:
  void SetStartOrEnd(bool start, const PackedDate& date, HWND owner);
  void Store(const Day& day, HWND owner);
  void EditNote(const PackedDate& date, HWND owner);

  MenstualManager& model_;
  const LocaleManager& locale_;
  HINSTANCE resources_;
  DayEntry entry_;
};
