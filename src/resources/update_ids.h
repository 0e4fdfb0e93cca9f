#pragma once

// Ids of the update dialog.
#define IDD_UPDATE 213
#define IDC_UPDATE_INFO 1109
#define IDC_UPDATE_DONT_CHECK 1035
