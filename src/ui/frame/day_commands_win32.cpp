#include "ui/frame/day_commands_win32.h"

#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/resource.h"
#include "ui/days/day_edits.h"
#include "ui/frame/edit_note_dlg_win32.h"

DayCommands::DayCommands(MenstualManager& model, OptionsManager& options, const LocaleManager& locale,
                         const Prompts& prompts, HINSTANCE resources, std::function<void(HWND)> openTemperatureHelp)
    : model_(model),
      options_(options),
      locale_(locale),
      prompts_(prompts),
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
    case ID_DAY_NOTE: return true;
    default: return false;
  }
}

void DayCommands::Run(unsigned id, const PackedDate& date, HWND owner) {
  if (!IsValidDate(date)) return;
  switch (id) {
    case ID_DAY_SET_START: SetStartOrEnd(true, date, owner); return;
    case ID_DAY_SET_END: SetStartOrEnd(false, date, owner); return;
    case ID_DAY_TEMPERATURE: (void)entry_.EditTemperature(date, kNewDayTemperature, owner); return;
    case ID_DAY_NOTE: EditNote(date, owner); return;
    default: break;
  }
  // The marks: a copy of the stored record changed and stored again.
  const std::unique_ptr<Day> stored = model_.GetDay(date);
  if (const std::optional<Day> changed = ApplyMarkCommand(id, stored.get(), date)) Store(*changed, owner);
}

void DayCommands::SetStartOrEnd(bool start, const PackedDate& date, HWND owner) {
  using SaveError = DatabaseManager::SaveError;
  // A refusal by the cycle rules writes nothing and leaves the last save's
  // error as it was; a failed write sets it. The rule's answer beforehand
  // tells the two apart even when an earlier save had failed.
  const SaveError before = model_.Database().LastSaveError();
  const bool allowed = start ? model_.CanSetStart(date) : model_.CanSetEnd(date);
  if (start ? model_.SetStart(date) : model_.SetEnd(date)) return;
  const SaveError after = model_.Database().LastSaveError();
  if (after != SaveError::kNone && (before == SaveError::kNone || allowed)) {
    entry_.ShowSaveError(owner);
    return;
  }
  ShowError(owner, FormatText(locale_.Translate(u"ERROR_CANT_SET_DAY1"),
                              {static_cast<long long>(OptionsManager::minPeriodLen)}) +
                       u"\r\n" + locale_.Translate(u"ERROR_CANT_SET_DAY2"));
}

void DayCommands::Store(const Day& day, HWND owner) {
  if (model_.StoreDay(day) != 0) entry_.ShowSaveError(owner);
}

void DayCommands::EditNote(const PackedDate& date, HWND owner) {
  const std::unique_ptr<Day> stored = model_.GetDay(date);
  CEditNoteDlg dialog(locale_, stored && stored->note ? *stored->note : std::u16string(), resources_);
  if (dialog.DoModal(owner) != IDOK) return;
  Store(WithNote(stored.get(), date, dialog.Note()), owner);
}

void DayCommands::ShowError(HWND owner, const std::u16string& text) const {
  if (!prompts_.messageBox) return;
  prompts_.messageBox(owner, ToWide(text), ToWide(locale_.Translate(u"ERROR")), MB_OK | MB_ICONINFORMATION);
}
