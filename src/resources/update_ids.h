#pragma once

// Ids of the update dialog.
#define IDD_UPDATE 213
#define IDC_UPDATE_INFO 1109
#define IDC_UPDATE_DONT_CHECK 1035

// Ids of the window shown while the Help menu's check runs.
#define IDD_UPDATE_CHECKING 214
#define IDC_UPDATE_CHECKING_TEXT 1110
