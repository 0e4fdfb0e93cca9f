#pragma once

// Ids of the settings window and of its general and desktop-calendar pages.

// The settings window: the page tree, the caption bar over the page, the
// place the pages fill, and the buttons (Apply is there but never shown).
#define IDD_SETTINGS 2340
#define IDC_SETTINGS_TREE 1200
#define IDC_SETTINGS_CAPTION 1201
#define IDC_SETTINGS_PLACE 1202
#define IDC_SETTINGS_APPLY 2347
#define IDC_SETTINGS_HELP 2348

// General page.
#define IDD_CONFIGURE_PAGE 153
#define IDC_CONFIGURE_LANGUAGE_LABEL 1041
#define IDC_CONFIGURE_LANGUAGE 1004
#define IDC_CONFIGURE_THEME_LABEL 1051
#define IDC_CONFIGURE_THEME 1052
#define IDC_CONFIGURE_RUN_AT_START 1036
#define IDC_CONFIGURE_NO_LOGINS 1035
#define IDC_CONFIGURE_NO_UPDATES 1037
#define IDC_CONFIGURE_CAUTIOUS 1038
#define IDC_CONFIGURE_ENCRYPT 1039
#define IDC_CONFIGURE_LEFTOVERS 1040
#define IDC_CONFIGURE_LEFTOVERS_DELETE 1042

// Desktop-calendar page.
#define IDD_DESKTOP_PAGE 159
#define IDC_DESKTOP_SHOW 1046
#define IDC_DESKTOP_X_LABEL 1048
#define IDC_DESKTOP_X 61001
#define IDC_DESKTOP_Y_LABEL 1049
#define IDC_DESKTOP_Y 61002
#define IDC_DESKTOP_SCALE_LABEL 1050
#define IDC_DESKTOP_SCALE 1004
#define IDC_DESKTOP_OPACITY_LABEL 61005
#define IDC_DESKTOP_OPACITY 61009

// The reminders page comes with the reminders.
#define IDD_REMINDERS_PAGE 172
