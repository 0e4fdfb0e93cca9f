#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "accounts/vault.h"
#include "ui/widgets/prompts_win32.h"

class CalendarSession;
class LocaleManager;

// Makes a backup of the calendar with the File > Back up dialog; true once
// one was written.
using BackUpFn = std::function<bool(HWND owner)>;

// The translation key of the message that says why her encrypted calendar
// was not opened, made or given up; empty for kDone.
[[nodiscard]] const char16_t* VaultResultKey(VaultResult result);

// "Encrypt my calendar" switched on: she is told plainly that a forgotten
// password cannot be recovered and offered a backup first; then her days
// move into her vault, which the model works on from now on. True when they
// did; a refusal or a failure (told to her) leaves her days in db.dat.
[[nodiscard]] bool TurnEncryptionOn(HWND owner, CalendarSession& session, int userId, std::string_view password,
                                    const LocaleManager& locale, const Prompts& prompts, const BackUpFn& backUp);
// Switched off: after she agrees, her days go back into db.dat and the vault
// is deleted. True when they did.
[[nodiscard]] bool TurnEncryptionOff(HWND owner, CalendarSession& session, const LocaleManager& locale,
                                     const Prompts& prompts);
