// File > Back up..., Restore... and Export...: the dialogs choose the path,
// the portable core does the work, and the outcome is told; after a restore
// the files are opened again and the frame shows what they hold.
#include "ui/frame/data_commands_win32.h"

#include <cwctype>
#include <utility>

#include "accounts/calendar_session.h"
#include "accounts/logon_manager.h"
#include "env/locale_manager.h"
#include "env/platform_win32.h"
#include "env/text_format.h"
#include "env/wide_win32.h"
#include "backup/day_export.h"
#include "model/menstual_manager.h"
#include "settings/options_manager.h"
#include "ui/frame/frame_context_win32.h"

DataCommands::DataCommands(const FrameContext& context, std::function<void()> restored)
    : context_(context), restored_(std::move(restored)) {}

void DataCommands::ShowError(const std::u16string& text) const {
  if (context_.prompts.messageBox)
    context_.prompts.messageBox(owner_, ToWide(text), ToWide(context_.locale.Translate(u"ERROR")),
                                MB_OK | MB_ICONINFORMATION);
}

void DataCommands::ShowInformation(const std::u16string& text) const {
  if (context_.prompts.messageBox)
    context_.prompts.messageBox(owner_, ToWide(text), ToWide(context_.locale.Translate(u"APP_NAME")),
                                MB_OK | MB_ICONINFORMATION);
}

bool DataCommands::BackUp(HWND owner) {
  if (!context_.dataFiles || !context_.files || !context_.prompts.chooseFile) return false;
  const HWND previousOwner = std::exchange(owner_, owner ? owner : owner_);
  const bool done = WriteBackUp();
  owner_ = previousOwner;
  return done;
}

bool DataCommands::WriteBackUp() {
  FileChoice choice;
  choice.save = true;
  choice.defaultName = ToWide(DefaultBackupName(context_.clock.Today()));
  choice.initialFolder = DocumentsFolder().wstring();
  choice.types = {{ToWide(context_.locale.Translate(u"FILTER_BACKUP")), L"*.zip"}};
  const std::optional<ChosenFile> chosen = context_.prompts.chooseFile(owner_, choice);
  if (!chosen) return false;
  const std::filesystem::path target(chosen->path);
  const BackupStatus status = WriteBackup(*context_.dataFiles, target, context_.clock.Today(), *context_.files);
  if (status != BackupStatus::kDone) {
    ShowError(BackupStatusMessage(status, context_.locale, FromWide(chosen->path)));
    return false;
  }
  ShowInformation(FormatText(context_.locale.Translate(u"BACKUP_DONE"), {FromWide(chosen->path)}));
  return true;
}

void DataCommands::Restore() {
  if (!context_.dataFiles || !context_.files || !context_.prompts.chooseFile) return;
  FileChoice choice;
  choice.types = {{ToWide(context_.locale.Translate(u"FILTER_BACKUP")), L"*.zip"}};
  const std::optional<ChosenFile> chosen = context_.prompts.chooseFile(owner_, choice);
  if (!chosen) return;
  const std::filesystem::path source(chosen->path);

  // A backup that is not ours or is damaged is refused before she is asked anything.
  const ReadBackupResult backup = ReadBackupFile(source);
  if (backup.status != BackupStatus::kDone) {
    ShowError(BackupStatusMessage(backup.status, context_.locale, FromWide(chosen->path)));
    return;
  }
  const std::u16string question =
      FormatText(context_.locale.Translate(u"RESTORE_CONFIRM"), {FormatDateU16(backup.contents.made)});
  if (!context_.prompts.messageBox ||
      context_.prompts.messageBox(owner_, ToWide(question), ToWide(context_.locale.Translate(u"APP_NAME")),
                                  MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;

  // Her vault is closed with db.dat (its key goes: the restored vault may be
  // under another password), so she logs in again after the restore.
  const bool hadVault = context_.session && context_.session->VaultOpen();
  if (context_.session) context_.session->Close();
  // db.dat is closed while it is replaced, then opened again whatever happened.
  context_.model.ReplaceDatabase(nullptr);
  const BackupStatus status = RestoreBackup(*context_.dataFiles, source, *context_.files);
  context_.model.ReplaceDatabase(context_.openDatabase ? context_.openDatabase() : nullptr);

  if (context_.logon) {
    const UserRecord before = context_.logon->CurrentUser();
    if (context_.logon->LoadUsers() == UsersResult::kUnreadable)
      ShowError(context_.locale.Translate(u"ERROR_USERS_UNREADABLE"));
    // She stays logged in only as a user the restored list knows by the same id and name.
    const auto& users = context_.logon->Users();
    const auto it = users.find(before.id);
    if (before.id != 0 && (hadVault || it == users.end() || it->second.name != before.name)) context_.logon->Logout();
  }
  context_.model.Reload();
  if (restored_) restored_();

  if (status == BackupStatus::kDone) ShowInformation(context_.locale.Translate(u"RESTORE_DONE"));
  else ShowError(BackupStatusMessage(status, context_.locale, FromWide(chosen->path)));
}

void DataCommands::Export() {
  if (!context_.prompts.chooseFile || !context_.files) return;
  FileChoice choice;
  choice.save = true;
  choice.defaultName = L"Tamarel";
  choice.types = {{ToWide(context_.locale.Translate(u"FILTER_CSV")), L"*.csv"},
                  {ToWide(context_.locale.Translate(u"FILTER_ICS")), L"*.ics"}};
  const std::optional<ChosenFile> chosen = context_.prompts.chooseFile(owner_, choice);
  if (!chosen) return;
  std::filesystem::path target(chosen->path);
  // A name ending in .csv or .ics says the format; any other name takes the
  // type chosen in the dialog and gets its ending.
  std::wstring ending = target.extension().wstring();
  for (wchar_t& c : ending) c = static_cast<wchar_t>(towlower(c));
  const bool calendar = ending == L".ics" || (ending != L".csv" && chosen->type == 1);
  if (ending != L".ics" && ending != L".csv") target += calendar ? L".ics" : L".csv";
  MenstualManager& model = context_.model;
  const std::string bytes =
      calendar ? FormatCalendar(CalendarEvents(model, context_.locale, context_.clock.Today()),
                                model.Database().CurrentOwner(), context_.clock.Now())
               : FormatCsv(StoredDays(model), context_.options.farinheit);
  if (!context_.files->WriteDurably(target, bytes)) {
    ShowError(FormatText(context_.locale.Translate(u"EXPORT_FAILED"), {target.u16string()}));
    return;
  }
  ShowInformation(FormatText(context_.locale.Translate(u"EXPORT_DONE"), {target.u16string()}));
}
