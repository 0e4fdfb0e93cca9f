#include "ui/days/day_commands_win32.h"

#include "model/menstual_manager.h"
#include "resources/resource.h"
#include "ui/days/day_edits.h"
#include "ui/days/edit_note_dlg_win32.h"

DayCommands::DayCommands(MenstualManager& model, OptionsManager& options, const LocaleManager& locale,
                         const Prompts& prompts, HINSTANCE resources, std::function<void(HWND)> openTemperatureHelp)
    : model_(model),
      locale_(locale),
      resources_(resources),
      entry_(model, options, locale, prompts, resources, std::move(openTemperatureHelp)) {}

bool DayCommands::IsDayCommand(unsigned id) {
  switch (id) {
    case ID_DAY_SET_START:
    case ID_DAY_SET_END:
    case ID_DAY_UNSET_START:
    case ID_DAY_UNSET_END:
    case ID_DAY_SEX:
    case ID_DAY_PILL:
    case ID_DAY_GOOD_MOOD:
    case ID_DAY_BAD_MOOD:
    case ID_DAY_TEMPERATURE:
    case ID_DAY_DISTURBED:
    case ID_DAY_NOTE: return true;
    default: return false;
  }
}

void DayCommands::Run(unsigned id, const PackedDate& date, HWND owner) {
  if (!IsValidDate(date)) return;
  switch (id) {
    case ID_DAY_SET_START: SetStartOrEnd(true, date, owner); return;
    case ID_DAY_SET_END: SetStartOrEnd(false, date, owner); return;
    case ID_DAY_TEMPERATURE: (void)entry_.EditTemperature(date, owner); return;
    case ID_DAY_NOTE: EditNote(date, owner); return;
    default: break;
  }
  // The marks: a copy of the stored record changed and stored again.
  const std::unique_ptr<Day> stored = model_.GetDay(date);
  if (const std::optional<Day> changed = ApplyMarkCommand(id, stored.get(), date)) Store(*changed, owner);
}

void DayCommands::SetStartOrEnd(bool start, const PackedDate& date, HWND owner) {
  entry_.ShowSaveError(owner, start ? model_.SetStart(date) : model_.SetEnd(date));
}

void DayCommands::Store(const Day& day, HWND owner) { entry_.ShowSaveError(owner, model_.StoreDay(day)); }

void DayCommands::EditNote(const PackedDate& date, HWND owner) {
  const std::unique_ptr<Day> stored = model_.GetDay(date);
  CEditNoteDlg dialog(locale_, stored && stored->note ? *stored->note : std::u16string(), resources_);
  if (dialog.DoModal(owner) != IDOK) return;
  Store(WithNote(stored.get(), date, dialog.Note()), owner);
}
