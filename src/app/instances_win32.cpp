#include "app/instances_win32.h"

#include <memory>

#include "backup/backup_files.h"
#include "accounts/logon_manager.h"
#include "settings/options_manager.h"
#include "settings/registry_settings_store_win32.h"
#include "settings/system_locale_win32.h"
#include "env/file_replace_win32.h"
#include "env/locale_manager.h"
#include "env/platform_win32.h"
#include "env/wide_win32.h"
#include "model/block_file.h"
#include "model/database_manager.h"
#include "model/menstual_manager.h"

namespace {

// The owner id of the day records read and written: the logged-in user's id
// while logins are on (0 before anybody logged in), otherwise 0 for all.
uint16_t CurrentRecordOwner() {
  if (!instances::Options().userLogins) return 0;
  const int id = instances::Logon().CurrentUser().id;
  return id > 0 && id <= LogonManager::kMaxUserId ? static_cast<uint16_t>(id) : 0;
}

const Win32Clock& SystemClock() {
  static const Win32Clock clock;
  return clock;
}

// A restore that a crash cut off after it was decided is finished before
// db.dat or user.dat is first opened (see backup/backup_files.h).
void FinishRestoreOnce() {
  static const bool done = [] {
    if (const std::optional<DataFiles> files = instances::ProgramDataFiles())
      (void)FinishPendingRestore(*files, instances::FileReplacer());
    return true;
  }();
  (void)done;
}

}  // namespace

namespace instances {

IFileReplacer& FileReplacer() {
  static Win32FileReplacer files;
  return files;
}

std::optional<DataFiles> ProgramDataFiles() {
  const std::filesystem::path appData = RoamingAppDataFolder();
  if (appData.empty()) return std::nullopt;
  return DataFiles{MenstualManager::PrepareDataPath(appData), ExecutableFolder() / "user.dat"};
}

// Without an application-data folder the days are not kept at all, rather
// than in a db.dat beside whatever the current folder happens to be.
std::unique_ptr<DatabaseManager> OpenDayDatabase() {
  FinishRestoreOnce();
  const std::optional<DataFiles> files = ProgramDataFiles();
  if (!files) return std::make_unique<DatabaseManager>(std::unique_ptr<BlockFile>(), &CurrentRecordOwner);
  return std::make_unique<DatabaseManager>(files->db, &CurrentRecordOwner);
}

// Each is made on first use and lives until exit; tests build their own
// objects instead of calling these.
const Win32AnsiCodec& AnsiCodec() {
  static const Win32AnsiCodec codec;
  return codec;
}

LocaleManager& Locale() {
  static LocaleManager instance(ExecutableFolder(), AnsiCodec());
  return instance;
}

OptionsManager& Options() {
  static RegistrySettingsStore store;
  static OptionsManager instance(store, QuerySystemLocale(), &Locale(), FromWide(ExecutablePath()));
  return instance;
}

MenstualManager& Menstual() {
  static MenstualManager instance(OpenDayDatabase(), Options(), Locale(),
                                  SystemClock());
  return instance;
}

// user.dat beside the program, whatever the executable's file name. New users
// get ids above every owner that has days in db.dat or a vault beside it.
LogonManager& Logon() {
  FinishRestoreOnce();
  static LogonManager instance(ExecutableFolder() / "user.dat", [] { return Session().HighestOwnerInUse(); },
                               &FileReplacer());
  return instance;
}

// Vaults lie beside db.dat; without a data folder nobody's days are encrypted.
CalendarSession& Session() {
  static CalendarSession instance(Menstual(), [] {
    const std::optional<DataFiles> files = ProgramDataFiles();
    return files ? files->db : std::filesystem::path();
  }());
  return instance;
}

// The calendar picture goes into the program's data folder, which the user
// may write, beside db.dat.
DesktopManager& Desktop() {
  static RegistrySettingsStore store;
  static DesktopManager instance(Options(), Menstual(), Locale(), SystemClock(), store, [] {
    const std::filesystem::path appData = RoamingAppDataFolder();
    return DesktopManager::SystemEnvironment(appData.empty() ? appData : appData / "Zenthal" / "Tamarel");
  }());
  return instance;
}

}  // namespace instances
