#include "ui/days/day_entry_win32.h"

#include <memory>

#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "settings/options_manager.h"
#include "ui/days/day_edits.h"
#include "ui/days/temperature_dlg_win32.h"

DayEntry::DayEntry(MenstualManager& model, OptionsManager& options, const LocaleManager& locale,
                   const Prompts& prompts, HINSTANCE resources, std::function<void(HWND)> openTemperatureHelp)
    : model_(model),
      options_(options),
      locale_(locale),
      prompts_(prompts),
      resources_(resources),
      openTemperatureHelp_(std::move(openTemperatureHelp)) {}

DayEntry::Outcome DayEntry::EditTemperature(const PackedDate& date, HWND owner) const {
  if (!IsValidDate(date)) return Outcome::kCancelled;
  const std::unique_ptr<Day> stored = model_.GetDay(date);
  // A day without a temperature opens with an empty field: a proposed value
  // would be stored by a careless OK as if she had measured it.
  CTemperatureDlg dialog(options_, locale_, prompts_, stored ? stored->temperature : 0.0, openTemperatureHelp_,
                         resources_);
  if (dialog.DoModal(owner) != IDOK) return Outcome::kCancelled;
  const SaveResult result = model_.StoreDay(WithTemperature(stored.get(), date, dialog.Value()));
  if (result != SaveResult::kDone) {
    ShowSaveError(owner, result);
    return Outcome::kNotSaved;
  }
  return Outcome::kStored;
}

void DayEntry::ShowSaveError(HWND owner, SaveResult result) const {
  if (result == SaveResult::kDone || !prompts_.messageBox) return;
  prompts_.messageBox(owner, ToWide(SaveResultMessage(result, locale_)), ToWide(locale_.Translate(u"ERROR")),
                      MB_OK | MB_ICONINFORMATION);
}
