#pragma once

// Ids of the reminders' page and its own dialog. The popups' skins and the
// page's icons are in image_ids.h; the sound is the named resource
// "IDR_DING" of type "WAVE".

// The reminders page (a child dialog) and the window that shows it alone.
#define IDD_REMIND 172

#define IDC_STATIC_REM0 1100
#define IDC_CHECK_REM1 1101
#define IDC_STATIC_REM2 1102
#define IDC_REM_DAYS 1103
#define IDC_REM_DAYS_SPIN 1104
#define IDC_STATIC_REM3 1105
#define IDC_STATIC_REM4 1106
#define IDC_CHECK_REM5 1107
#define IDC_STATIC_REM6 1108
#define IDC_REM_TIME 1109
#define IDC_CHECK_REM7 1110
#define IDC_REM_ICON_MENSTRUATION 1111
#define IDC_REM_ICON_PILL 1112
