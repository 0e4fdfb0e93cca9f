#pragma once

#include <windows.h>

#include <functional>

#include "env/packed_date.h"
#include "model/save_result.h"
#include "ui/widgets/prompts_win32.h"

class MenstualManager;
class OptionsManager;
class LocaleManager;

// The temperature entry of one day and the box that tells her a day could
// not be saved: one of each for the whole program, used by the day menu and
// by the Day pane alike.
class DayEntry {
 public:
  DayEntry(MenstualManager& model, OptionsManager& options, const LocaleManager& locale, const Prompts& prompts,
           HINSTANCE resources, std::function<void(HWND)> openTemperatureHelp);

  enum class Outcome { kCancelled, kStored, kNotSaved };
  // Opens the temperature dialog for date at the stored temperature, with an
  // empty field when the day has none; on OK stores the value through the
  // cycle manager (a record with only the temperature when there was none).
  // A failed save is told to her.
  [[nodiscard]] Outcome EditTemperature(const PackedDate& date, HWND owner) const;

  // Why a day was not stored (full, not written, no file, refused by the
  // cycle rules); nothing when it was.
  void ShowSaveError(HWND owner, SaveResult result) const;

 private:
  MenstualManager& model_;
  OptionsManager& options_;
  const LocaleManager& locale_;
  const Prompts& prompts_;
  HINSTANCE resources_;
  std::function<void(HWND)> openTemperatureHelp_;
};
