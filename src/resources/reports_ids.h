#pragma once

// Ids of the report dialogs: My cycles and Statistic with its temperature
// chart.

#define IDD_STATISTIC 189
#define IDD_MYCYCLES 191

// My cycles.
#define IDC_CYCLES_LIST 1101
#define IDC_CYCLES_BASIS 1102

// Statistic: the four figures, the picture, the chart and its month.
#define IDC_STAT_MAX 1102
#define IDC_STAT_MIN 1103
#define IDC_STAT_AVERAGE 1104
#define IDC_STAT_COUNT 1105
#define IDC_STAT_ICON 1106
#define IDC_STAT_GROUP 1107
#define IDC_STAT_CHART 1108
#define IDC_STAT_INFO 1109
#define IDC_STAT_PREV 1110
#define IDC_STAT_MONTH 1111
#define IDC_STAT_NEXT 1112
