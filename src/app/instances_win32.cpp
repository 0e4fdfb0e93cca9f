// The program's single instances, wired with the Windows implementations of
// the platform interfaces. Each is made on first use and lives until exit;
// tests build their own objects instead of calling these.

#include <memory>

#include "app/logon_manager.h"
#include "app/options_manager.h"
#include "app/registry_settings_store_win32.h"
#include "app/system_locale_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "model/block_file.h"
#include "model/database_manager.h"
#include "model/menstual_manager.h"

namespace {

// The owner id of the day records read and written: the logged-in user's id
// while logins are on (0 before anybody logged in), otherwise 0 for all.
uint16_t CurrentRecordOwner() {
  if (!OptionsManager::Instance().userLogins) return 0;
  const int id = LogonManager::Instance().CurrentUser().id;
  return id > 0 && id <= LogonManager::kMaxUserId ? static_cast<uint16_t>(id) : 0;
}

const Win32Clock& SystemClock() {
  static const Win32Clock clock;
  return clock;
}

// Without an application-data folder the days are not kept at all, rather
// than in a db.dat beside whatever the current folder happens to be.
std::unique_ptr<DatabaseManager> OpenDayDatabase() {
  const std::filesystem::path appData = RoamingAppDataFolder();
  if (appData.empty()) return std::make_unique<DatabaseManager>(std::unique_ptr<BlockFile>(), &CurrentRecordOwner);
  return std::make_unique<DatabaseManager>(MenstualManager::PrepareDataPath(appData), &CurrentRecordOwner);
}

}  // namespace

const Win32AnsiCodec& ProgramAnsiCodec() {
  static const Win32AnsiCodec codec;
  return codec;
}

LocaleManager& LocaleManager::Instance() {
  static LocaleManager instance(ExecutableFolder(), ProgramAnsiCodec());
  return instance;
}

OptionsManager& OptionsManager::Instance() {
  static RegistrySettingsStore store;
  static OptionsManager instance(store, QuerySystemLocale(), &LocaleManager::Instance(), FromWide(ExecutablePath()));
  return instance;
}

MenstualManager& MenstualManager::Instance() {
  static MenstualManager instance(OpenDayDatabase(), OptionsManager::Instance(), LocaleManager::Instance(),
                                  SystemClock());
  return instance;
}

// user.dat beside the program, whatever the executable's file name. New users
// get ids above every owner that has days in db.dat.
LogonManager& LogonManager::Instance() {
  static LogonManager instance(ExecutableFolder() / "user.dat",
                               [] { return static_cast<int>(MenstualManager::Instance().Database().MaxOwnerId()); });
  return instance;
}
