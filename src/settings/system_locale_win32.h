#pragma once

// What the settings ask of Windows: the user's language, location and units.

#include "settings/options_manager.h"
#include "env/platform.h"

// Language ids, the two-letter country code of the user's location (when the
// system offers the geographic functions), the measurement system, and 10:00
// local time on 1 January 2000.
[[nodiscard]] SystemLocaleInfo QuerySystemLocale();
