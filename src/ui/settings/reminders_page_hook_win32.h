#pragma once

#include <memory>

#include "ui/settings/settings_page_win32.h"

// The reminders page of the settings window (template 172). Until the
// reminders page exists this gives nothing and the tree entry shows an
// empty place.
[[nodiscard]] std::unique_ptr<CSettingsPage> MakeRemindersPage(SettingsContext& context);
