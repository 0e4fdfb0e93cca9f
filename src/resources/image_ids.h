#pragma once

// Ids of the program's pictures. Written by scripts/make_images.py from
// its table; change the table and run the script rather than editing here.
// Each line gives the picture's size, the colour drawn transparent (the key)
// and where it is used. Bitmaps are 24-bit; icons hold 32-bit images
// with alpha in the sizes given.

#define IDI_TAMAREL              128   // icon 16, 32, 48 px, alpha; program, window and tray icon (same number as the frame's menu)
#define IDI_PANE_TODAY           179   // icon 16, 32 px, alpha; info pane: today
#define IDI_PANE_TEMPERATURE     181   // icon 16, 32 px, alpha; info pane: temperature; the temperature dialog's icon
#define IDI_PANE_PERIOD          182   // icon 16, 32 px, alpha; info pane: period; the today dialog's icon
#define IDI_PANE_BIRTH           183   // icon 16, 32 px, alpha; goal pane: birth
#define IDI_PANE_MYCYCLES        184   // icon 16, 32 px, alpha; goal pane: my cycles
#define IDI_PANE_STATISTIC       185   // icon 16, 32 px, alpha; goal pane: statistic
#define IDI_BIRTH_SMALL          1110  // icon 16, 32 px, alpha; the Birth dialog's small icon
#define IDI_ZODIAC_ARIES         5641  // icon 16, 32, 48 px, alpha; zodiac sign Aries
#define IDI_ZODIAC_TAURUS        5642  // icon 16, 32, 48 px, alpha; zodiac sign Taurus
#define IDI_ZODIAC_GEMINI        5643  // icon 16, 32, 48 px, alpha; zodiac sign Gemini
#define IDI_ZODIAC_CANCER        5644  // icon 16, 32, 48 px, alpha; zodiac sign Cancer
#define IDI_ZODIAC_LEO           5645  // icon 16, 32, 48 px, alpha; zodiac sign Leo
#define IDI_ZODIAC_VIRGO         5646  // icon 16, 32, 48 px, alpha; zodiac sign Virgo
#define IDI_ZODIAC_LIBRA         5647  // icon 16, 32, 48 px, alpha; zodiac sign Libra
#define IDI_ZODIAC_SCORPIO       5648  // icon 16, 32, 48 px, alpha; zodiac sign Scorpio
#define IDI_ZODIAC_SAGITTARIUS   5649  // icon 16, 32, 48 px, alpha; zodiac sign Sagittarius
#define IDI_ZODIAC_CAPRICORN     5650  // icon 16, 32, 48 px, alpha; zodiac sign Capricorn
#define IDI_ZODIAC_AQUARIUS      5651  // icon 16, 32, 48 px, alpha; zodiac sign Aquarius
#define IDI_ZODIAC_PISCES        5652  // icon 16, 32, 48 px, alpha; zodiac sign Pisces
#define IDI_REMIND_MENSTRUATION  1721  // icon 16, 32 px, alpha; reminders page: menstruation
#define IDI_REMIND_PILL          1722  // icon 16, 32 px, alpha; reminders page: pills
#define IDB_BAD_FEELING          129   // 16x16, key white; bad-feeling mark on flow, predicted-flow and pre-flow days
#define IDB_BOY_DAY              1302  // 15x15, key white; boy day
#define IDB_GIRL_DAY             132   // 16x16, key white; girl day
#define IDB_DAY_NOTE             146   // 15x15, key white; the day has a note
#define IDB_DAY_SEX              145   // 15x15, key white; sex
#define IDB_DAY_PILL             1695  // 10x10, key white; pill taken
#define IDB_GOOD_MOOD            170   // 10x10, key white; good mood
#define IDB_BAD_MOOD             171   // 10x10, key white; bad mood
#define IDB_DAY_DISTURBED                                                      \
  1696 // 10x10, key white; the day's temperature is disturbed
#define IDB_ARROW_BACK           165   // 9x16, key (200, 200, 200); left end of the Back button
#define IDB_ARROW_NEXT           167   // 9x16, key (200, 200, 200); right end of the Next button
#define IDB_HEADER_PINK          207   // 878x224, opaque; top band picture, Pink theme (and any unknown theme)
#define IDB_FILLER_PINK          161   // 20x224, opaque; tiled left of the Pink picture
#define IDB_HEADER_SPRING        212   // 878x224, opaque; top band picture, Spring theme
#define IDB_FILLER_SPRING        213   // 20x224, opaque; tiled left of the Spring picture
#define IDB_HEADER_SKY           214   // 878x224, opaque; top band picture, Sky theme
#define IDB_FILLER_SKY           215   // 20x224, opaque; tiled left of the Sky picture
#define IDB_LOGO                 208   // 237x60, key (200, 200, 200); logo at (10, 10) of the band
#define IDB_BAND_MENU_ARROW      211   // 8x4, key white; arrow after each menu title of the band
#define IDB_MENU_MENSTRUAL       142   // 16x16, key (200, 200, 200); day menu: set/unset menstruation
#define IDB_MENU_SEX             143   // 16x16, key (200, 200, 200); day menu: was sex
#define IDB_MENU_PILL            168   // 16x16, key (200, 200, 200); day menu: took pill
#define IDB_MENU_TEMPERATURE     172   // 16x16, key (200, 200, 200); day menu: set temperature
#define IDB_MENU_GOOD_MOOD       1701  // 16x16, key (200, 200, 200); day menu: good mood
#define IDB_MENU_BAD_MOOD        1711  // 16x16, key (200, 200, 200); day menu: bad mood
#define IDB_MENU_DISTURBED                                                     \
  1697 // 16x16, key (200, 200, 200); day menu: temperature disturbed
#define IDB_MENU_NOTE            144   // 16x16, key (200, 200, 200); day menu: add/edit note
#define IDB_GENDER_BOY           130   // 48x48, key white; today dialog: the expected baby is a boy
#define IDB_GENDER_GIRL          131   // 48x48, key white; today dialog: the expected baby is a girl
#define IDB_POPUP_LARGE          173   // 250x164, opaque; reminder popup for texts over 115 characters; text area (10, 40, 240, 154)
#define IDB_POPUP_SMALL          174   // 250x109, opaque; reminder popup for short texts and the pill; text area (10, 40, 240, 99)
