#pragma once

#include <memory>

#include "ui/widgets/settings_page_win32.h"

// The reminders page of the settings window (template 172).
[[nodiscard]] std::unique_ptr<CSettingsPage> MakeRemindersPage(SettingsContext& context);
