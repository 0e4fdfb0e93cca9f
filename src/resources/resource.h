#pragma once

// Resource ids shared by tamarel.rc and the code.

// Main frame: menu, icon and title.
#define IDR_MAINFRAME 128

// Menu 128 commands.
#define ID_FILE_LOGOUT 32771
#define ID_FILE_EXIT 32772
#define ID_NAVIGATE_NEXT 32773
#define ID_NAVIGATE_PREV 32774
#define ID_HELP_CONTENTS 32776
#define ID_HELP_FEEDBACK 32777
#define ID_HELP_ABOUT 32778
#define ID_FILE_CONFIGURE 32784
#define ID_FILE_PRINTALL 32785
#define ID_REPORTS_HOROSCOPE 32786
#define ID_REPORTS_STATISTIC 32787
#define ID_REPORTS_BIRTH 32788
#define ID_REPORTS_MYCYCLES 32789
#define ID_REPORTS_CHINA_CAL 32790
#define ID_HELP_HOME 32792
#define ID_HELP_CHECK_NEW_VER 32793
#define ID_FILE_BACKUP 32794
#define ID_FILE_RESTORE 32795
#define ID_FILE_EXPORT 32796
#define ID_NAVIGATE_TODAY 1030

// Help > About and the tray's About: the About box (dialog 100).
#define ID_APP_ABOUT 57664
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ICON 1001
#define IDC_ABOUT_NAME 1002
#define IDC_ABOUT_RIGHTS 1003

// Tray menu: bring the window back.
#define ID_TRAY_SHOW 57607

// Day menu commands (the context menu of a day cell).
#define ID_DAY_SET_START 57634
#define ID_DAY_SEX 57635
#define ID_DAY_NOTE 57637
#define ID_DAY_UNSET_START 57643
#define ID_DAY_SET_END 57680
#define ID_DAY_UNSET_END 57681
#define ID_DAY_GOOD_MOOD 61012
#define ID_DAY_BAD_MOOD 61013
#define ID_DAY_PILL 61014
#define ID_DAY_TEMPERATURE 61015
#define ID_DAY_DISTURBED 61016

// Note editor.
#define IDD_EDIT_NOTE 143
#define IDC_NOTE_EDIT 1024

// Temperature entry.
#define IDD_TEMPERATURE 168
#define IDC_TEMPERATURE_LABEL 1025
#define IDC_TEMPERATURE_EDIT 1026
#define IDC_TEMPERATURE_UNIT 1027
