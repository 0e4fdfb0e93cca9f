#include "app/instances_win32.h"

#include <memory>

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

// Without an application-data folder the days are not kept at all, rather
// than in a db.dat beside whatever the current folder happens to be.
std::unique_ptr<DatabaseManager> OpenDayDatabase() {
  const std::filesystem::path appData = RoamingAppDataFolder();
  if (appData.empty()) return std::make_unique<DatabaseManager>(std::unique_ptr<BlockFile>(), &CurrentRecordOwner);
  return std::make_unique<DatabaseManager>(MenstualManager::PrepareDataPath(appData), &CurrentRecordOwner);
}

}  // namespace

namespace instances {

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
// get ids above every owner that has days in db.dat.
LogonManager& Logon() {
  static Win32FileReplacer files;
  static LogonManager instance(ExecutableFolder() / "user.dat",
                               [] { return static_cast<int>(Menstual().Database().MaxOwnerId()); }, &files);
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
