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
#define ID_NAVIGATE_TODAY 1030

// Windows' own About command id, kept for the application's command table.
#define ID_APP_ABOUT 57664
