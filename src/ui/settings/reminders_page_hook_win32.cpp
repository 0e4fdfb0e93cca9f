#include "ui/settings/reminders_page_hook_win32.h"

std::unique_ptr<CSettingsPage> MakeRemindersPage(SettingsContext&) { return nullptr; }
