#pragma once

// Dialogs of conception planning: Birth, Horoscope and the Chinese lunar
// calendar. Their pictures (zodiac icons 5641-5652, the Birth icons 183 and
// 1110, the gender bitmaps 130 and 131) are listed in image_ids.h.

#define IDD_BIRTH 190
#define IDD_HOROSCOPE 192
#define IDD_CHINA_CAL 205

// Birth: the Horoscope and Chinese lunar calendar buttons have ids of their
// own, so Escape (the cancel command) closes the dialog like OK.
#define IDC_BIRTH_HOROSCOPE 1207
#define IDC_BIRTH_CHINA_CAL 1208
#define IDC_BIRTH_ICON 1201
#define IDC_BIRTH_LAST_SEX 1202
#define IDC_BIRTH_GENDER 1203
#define IDC_BIRTH_DATE 1204
#define IDC_BIRTH_ZODIAC_ICON 1205
#define IDC_BIRTH_ZODIAC 1206

// Horoscope.
#define IDC_HOROSCOPE_LABEL 1211
#define IDC_HOROSCOPE_DATE 1212
#define IDC_HOROSCOPE_ICON 1213
#define IDC_HOROSCOPE_SIGN 1214
#define IDC_HOROSCOPE_TEXT 1215

// Chinese lunar calendar: twelve month labels and pictures, January first.
// The Help button has an id of its own; Escape closes the chart.
#define IDC_CHINA_LABEL 1221
#define IDC_CHINA_AGE 1222
#define IDC_CHINA_GROUP 1223
#define IDC_CHINA_MESSAGE 1224
#define IDC_CHINA_HELP 1225
#define IDC_CHINA_MONTH_FIRST 1230  // .. 1241
#define IDC_CHINA_PICTURE_FIRST 1250  // .. 1261
