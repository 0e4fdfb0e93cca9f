#pragma once

// The program's single instances, wired with the Windows implementations of
// the platform interfaces. Only the composition root reaches for them; every
// window and dialog is handed the objects it works with.

#include <memory>
#include <optional>

#include "backup/backup_files.h"
#include "accounts/calendar_session.h"
#include "accounts/logon_manager.h"
#include "env/locale_manager.h"
#include "env/platform_win32.h"
#include "model/menstual_manager.h"
#include "settings/options_manager.h"
#include "ui/desktop/desktop_manager_win32.h"

namespace instances {

[[nodiscard]] OptionsManager& Options();
[[nodiscard]] LocaleManager& Locale();
[[nodiscard]] MenstualManager& Menstual();
[[nodiscard]] LogonManager& Logon();
// Which file the model reads her days from: db.dat or her vault.
[[nodiscard]] CalendarSession& Session();
[[nodiscard]] DesktopManager& Desktop();
// db.dat in the roaming application-data folder and user.dat beside the
// program; none without an application-data folder.
[[nodiscard]] std::optional<DataFiles> ProgramDataFiles();
// Puts whole files in place (user.dat, backups, exports, restores).
[[nodiscard]] IFileReplacer& FileReplacer();
// Opens db.dat as the program does, for the single cycle manager and after a restore.
[[nodiscard]] std::unique_ptr<DatabaseManager> OpenDayDatabase();
// The program's single codec (language files, user names).
[[nodiscard]] const Win32AnsiCodec& AnsiCodec();

}  // namespace instances
