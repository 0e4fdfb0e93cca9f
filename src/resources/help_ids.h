#pragma once

// The help contexts the program opens in tamarel_help.chm: one per window
// (F1 and WM_HELP open the topic of the window that has the focus). The
// help file's context map (help/contexts.txt) names a page for each.
#define IDH_CONTENTS 1
#define IDH_TEMPERATURE 10
#define IDH_CHINESE_CHART 11
#define IDH_BIRTH 12
#define IDH_HOROSCOPE 13
#define IDH_MY_CYCLES 20
#define IDH_STATISTIC 21
#define IDH_NOTE 30
#define IDH_TODAY 31
#define IDH_LOGIN 40
#define IDH_SETTINGS 50
#define IDH_REMINDERS 51
#define IDH_ABOUT 60
#define IDH_UPDATE 61
