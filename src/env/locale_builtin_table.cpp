// The English texts compiled into the program. A language file overrides any
// of them; a key missing here and in the language file reads "Unknown".
// The texts are kept exactly as the program has always shown them, slips of
// spelling included, because language files and users' habits refer to them.

#include <algorithm>
#include <iterator>

#include "env/locale_manager.h"

namespace {

using Entry = std::pair<std::u16string_view, std::u16string_view>;

constexpr Entry kBuiltIn[] = {
    // Program, language and update.
    {u"APP_NAME", u"Tamarel"},
    // Placeholders in a reserved domain until the product site exists; a
    // distributor sets the real addresses in a language file (README).
    {u"APP_SITE", u"https://tamarel.example/"},
    {u"APP_UPDATE_URL", u"https://tamarel.example/ver.xml"},
    {u"APP_UPDATING_URL", u"https://tamarel.example/"},
    {u"APP_VER", u"0.0.0.3"},
    {u"SUPPORT_EMAIL", u"support@tamarel.example"},
    {u"APP_LANGUAGE", u"English"},
    {u"APP_LAN", u"Language"},
    {u"MSG_COPYRIGHT", u"Copyright (C) 2026 Zenthal. All rights reserved."},
    {u"MSG_COPYRIGHT2", u"Tamarel is free to use for personal purposes."},
    {u"UPDATE", u"Update"},
    {u"UPDATE_INFO", u"A new version (%s) of the program is now available. "
                     u"Would you like to update?"},
    {u"DONT_UPDATE", u"Do not check for updates."},
    {u"CHECK_NEW_VER", u"Check &new version"},
    {u"NOUPDATES", u"No Updates Found"},
    {u"UPDATE_CHECKING", u"Checking for a new version..."},
    {u"UPDATE_FAILED", u"The check for a new version failed: %s"},
    {u"UPDATE_NO_CONNECTION", u"no connection to the server"},
    {u"UPDATE_NO_ANSWER", u"no answer in time"},
    {u"UPDATE_SERVER_ERROR", u"the server answered with an error"},
    {u"UPDATE_NOT_VERSION_FILE", u"the answer is not a version file"},
    {u"HHOME", u"&Home"},

    // Calendar: months from January, weekdays from Sunday.
    {u"MONTH1", u"January"},
    {u"MONTH2", u"February"},
    {u"MONTH3", u"March"},
    {u"MONTH4", u"April"},
    {u"MONTH5", u"May"},
    {u"MONTH6", u"June"},
    {u"MONTH7", u"July"},
    {u"MONTH8", u"August"},
    {u"MONTH9", u"September"},
    {u"MONTH10", u"October"},
    {u"MONTH11", u"November"},
    {u"MONTH12", u"December"},
    {u"DAY1", u"Sun"},
    {u"DAY2", u"Mon"},
    {u"DAY3", u"Tue"},
    {u"DAY4", u"We"},
    {u"DAY5", u"Thr"},
    {u"DAY6", u"Fri"},
    {u"DAY7", u"Sat"},
    {u"NEXT", u"Next"},
    {u"PREV", u"Back"},

    // Menus.
    {u"MENU_FILE", u"&File"},
    {u"MENU_FILE_LOGOUT", u"&Logout"},
    {u"MENU_FILE_CONFIGURE", u"Co&nfigure"},
    {u"MENU_FILE_EXIT", u"&Exit"},
    {u"ID_FILE_PRINTALL", u"&Print..."},
    {u"MENU_NAVIGATE", u"&Navigate"},
    {u"MENU_NAVIGATE_NEXT", u"N&ext month"},
    {u"MENU_NAVIGATE_PREV", u"&Previos month"},
    {u"MENU_NAVIGATE_TODAY", u"&Today"},
    {u"MENU_REPORTS", u"&Reports"},
    {u"MENU_HELP", u"&Help"},
    {u"MENU_HELP_CONTACTS", u"&Contents"},
    {u"MENU_HELP_FEEDBACK", u"&Send feedback"},
    {u"MENU_HELP_ABOUT", u"&About"},
    {u"SHOW", u"&Show "},

    // Day commands and errors.
    {u"SET_MENSTRUAL", u"&Set menstrual"},
    {u"SET_ENDOFMENSTRUAL", u"&End of menstruation"},
    {u"DEL_MENSTRUAL", u"&Unset menstrual"},
    {u"DEL_ENDOFMENSTRUAL", u"Unset en&d of menstruation"},
    {u"WAS_SEX", u"Was se&x"},
    {u"WASNT_SEX", u"Was not se&x"},
    {u"ADD_NOTE", u"Add &note"},
    {u"EDIT_NOTE", u"Edit &note"},
    {u"EDIT_DAY", u"Edit day"},
    {u"HAS_NOTE", u"Has note"},
    {u"NOTE", u"Note"},
    {u"TOOK_PILL", u"Took &Pill"},
    {u"NO_PILL", u"No &Pill"},
    {u"SHOW_MOOD", u"Mood"},
    {u"GOOD_MOOD", u"&Good Mood"},
    {u"BAD_MOOD", u"&Bad Mood"},
    {u"SET_TEMPERATURE", u"Set &Temperature"},
    {u"BTN_CANCEL", u"Cancel"},
    {u"ERROR", u"Error"},
    {u"ERROR_CANT_SET_DAY1", u"Can't save this day. The last menstruation must "
                             u"not be earlier than %d days."},
    {u"ERROR_CANT_SET_DAY2", u"Please select the latter date."},

    // Panes, day classes, goals and tips.
    {u"PANE1_TITLE", u"&Period"},
    {u"PANE2_TITLE", u"Day"},
    {u"PANE3_TITLE", u"&Info"},
    {u"PANE4_TITLE", u"&Legend"},
    {u"PANE6_TITLE", u"My Goal"},
    {u"TODAY_IS", u"Today is %d.%d.%d (day %d of period)"},
    {u"TODAY_IS2", u"Today is %d.%d.%d"},
    {u"NEXT_MENSTRUAL", u"Next menstruation: %d.%d.%d, %d days left"},
    {u"NEXT_OVULATION", u"Next ovulation: %d.%d.%d, %d days left"},
    {u"DATE_GENDER", u"Date of the birth and the gender: %d.%d.%d"},
    {u"TIP", u"Day tip:"},
    {u"MSG_FLOW", u"Menstrual flow"},
    {u"MSG_PROGNOZE", u"Prognozed cycle"},
    {u"MSG_NFERTILE", u"Non-feritle days"},
    {u"MSG_FERTILE", u"Good day to convince a child"},
    {u"MSG_LFERTILE", u"Low fertiltity"},
    {u"MSG_OVULATION", u"Ovulation"},
    {u"MSG_GIRL", u"Good day to convince a girl"},
    {u"MSG_BOY", u"Good day to convince a boy"},
    {u"MSG_PAIN", u"Bad feeling"},
    {u"AUTO", u"Auto (recommended)"},
    {u"MANUAL", u"Manual"},
    {u"MENSTRUAL_CICLE", u"Menstrual Cicle"},
    {u"LUTERAL", u"Luteal Phase"},
    {u"GOAL1", u"Avoid pregnancy"},
    {u"GOAL2", u"Conceive (any gender)"},
    {u"GOAL3", u"Conceive a boy"},
    {u"GOAL4", u"Conceive a girl"},
    {u"TIP1", u"Your chances of becoming pregnant are good"},
    {u"TIP2", u"Your are not fertile today. Your chances of becoming pregnant "
              u"are very low"},
    {u"TIP3", u"You are not fertile while menstruating. However, we recommend "
              u"that you abstain from intercourse during this "
              u"time due to increased chances of infection."},
    {u"TIP4", u"Please abstain from unprotected sexual intercourse to avoid an "
              u"unwanted pregnancy."},
    {u"TIP5", u"We strongly recommend that you abstain from unprotected sexual "
              u"intercourse to avoid an unwanted pregnancy."},
    {u"TIP6", u"You have a good chances of conceive a girl today."},
    {u"TIP7", u"You have a good chances of conceive a boy today."},

    // Users and login.
    {u"IDENTIFY", u"User identification"},
    {u"LOGIN", u"Login"},
    {u"PWD", u"Password"},
    {u"RETYPE", u"Retype password"},
    {u"CREATE_USER", u"Create a new user"},
    {u"DELETE_USER", u"Delete user"},
    {u"MSG_BADPASSWORD",
     u"Please enter the same password into the both fields"},
    {u"MSG_USER_EXISTS",
     u"User with the same login already exists. Please enter another login."},
    {u"MSG_CANT_DELETE",
     u"Could not delete the user. Please check the password."},
    {u"MSG_AUTH_FAILD", u"Could not login. Please check the password."},
    {u"MSG_AUTH_FAILD2", u"Could not login. Please create a new user"},

    // Reports and planning.
    {u"STATISTIC", u"&Statistic"},
    {u"CYCLES", u"Total number of cycles: %d"},
    {u"MAX_PERIOD", u"Maximum cycle lenght: %d"},
    {u"MIN_PERIOD", u"Minimum cycle lenght: %d"},
    {u"AVG_PERIOD", u"Average cycle lenght: %d"},
    {u"LAST_SEX", u"Latest sex: %d.%d.%d"},
    {u"MYCYCLES", u"&My cycles"},
    {u"BEGINDATE", u"Beginning date"},
    {u"CYCLE_LENGTH", u"Cycle length"},
    {u"OVULATIONDATE", u"Date of ovulation"},
    {u"RECTAL_TEMPERATURE", u"Rectal Temperature"},
    {u"TEMP_INFO", u"Here you can track your temperature. The day that the "
                   u"temperature jumps above the cover line, and continues "
                   u"to increase after is likely to be the ovulation day. "
                   u"Green line shows prognosis of your ovulation based on "
                   u"your previos cycles."},
    {u"BIRTH", u"&Birth"},
    {u"BIRTH_DATE", u"Select date ot the birth"},
    {u"ZODIAC", u"Zodiac sign"},
    {u"HOROSCOPE", u"&Horoscope"},
    {u"CHINA_CAL", u"&Chinese Lunar Calendar"},
    {u"SELECT_AGE", u"&Select your age"},
    {u"YOURPERSCAL", u"&Your personal Chinese Lunar Calendar"},
    {u"CHINAMSG", u"&This chart is folklore, offered for fun: it does not predict your baby's gender."},

    // Zodiac signs: the key is the English name, and so is the text.
    {u"Aries", u"Aries"},
    {u"Taurus", u"Taurus"},
    {u"Gemini", u"Gemini"},
    {u"Cancer", u"Cancer"},
    {u"Leo", u"Leo"},
    {u"Virgo", u"Virgo"},
    {u"Libra", u"Libra"},
    {u"Scorpio", u"Scorpio"},
    {u"Sagittarius", u"Sagittarius"},
    {u"Capricorn", u"Capricorn"},
    {u"Aquarius", u"Aquarius"},
    {u"Pisces", u"Pisces"},

    // Settings and reminders.
    {u"CONFIGURE", u"Configure"},
    {u"MAIN", u"General Settings"},
    {u"DESKTOP_CONFIG", u"Desktop Calendar..."},
    {u"REMINDERS", u"Reminders"},
    {u"NOLOGINS", u"Disable logins"},
    {u"RUNATSTART", u"Run at system startup"},
    {u"IDC_STATIC_THEME", u"Color Theme"},
    {u"THEME2", u"Pink"},
    {u"THEME7", u"Spring"},
    {u"THEME8", u"Sky"},
    {u"IDC_SHOW_DESCTOP", u"Enable Desktop Calendar"},
    {u"IDC_STATICX", u"X Offset"},
    {u"IDC_STATICY", u"Y Offset"},
    {u"IDC_STATIC_SCALE", u"Scale"},
    {u"IDC_FONT3", u"Transparency"},
    {u"IDC_STATIC_REM0", u"Menstruation"},
    {u"IDC_CHECK_REM1", u"Remind me about the beginning of menstruation "},
    {u"IDC_STATIC_REM2", u"Remind since"},
    {u"IDC_STATIC_REM3", u"days before beginning"},
    {u"IDC_STATIC_REM4", u"Pills"},
    {u"IDC_CHECK_REM5", u"Remind me to take pill"},
    {u"IDC_STATIC_REM6", u"Time"},
    {u"IDC_CHECK_REM7", u"Remind me about another importent events"},
    {u"LEFT_DAYS", u"%d days left before menstruation"},
    {u"TIMEPILL", u"Time to take a contraception pill"},

    // Texts the program needs beyond the classic table. "MSG_BADLOGIN" used to
    // read "Unknown" without a language file; a real sentence serves users
    // better.
    {u"ERROR_DB_FULL",
     u"The calendar file is full: no more days can be stored."},
    {u"ERROR_USERS_NOT_SAVED", u"The list of users could not be saved."},
    {u"ERROR_SETTINGS_NOT_SAVED", u"The settings could not be saved: they apply until Tamarel is closed."},
    {u"ERROR_USERS_UNREADABLE", u"The list of users could not be read."},
    {u"ERROR_NO_USER_ID_LEFT", u"No more users can be created."},
    {u"ERROR_PASSWORD_HASH", u"The password could not be protected: the system's cryptography did not answer."},
    {u"MSG_BADLOGIN", u"Please enter a login name."},
    {u"ERROR_DB_WRITE",
     u"The day could not be saved: the calendar file cannot be written."},
    {u"MSG_ENTER_NUMBER", u"Enter a number."},
    {u"MSG_ENTER_NUMBER_RANGE", u"Enter a number between %d and %d."},

    // The temperature chart's legend: what each mark of the month stands for.
    {u"CHART_TEMPERATURE", u"Temperature"},
    {u"CHART_COVER_LINE", u"Cover line"},
    {u"CHART_INTERCOURSE", u"Intercourse"},
    {u"CHART_PROGNOSIS", u"Ovulation prognosis"},
    // Conception planning: the OK button of its dialogs.
    {u"BTN_OK", u"OK"},
    // Printing: a page the printer refused is said, not silently lost.
    {u"ERROR_CANT_PRINT", u"The calendar could not be printed."},
    // Buttons of the settings window.
    {u"BTN_HELP", u"Help"},
    // What a new user meets: the selected day named in full, the first
    // steps before any period is marked, and her days kept through logins.
    {u"DAYNAME1", u"Sunday"},
    {u"DAYNAME2", u"Monday"},
    {u"DAYNAME3", u"Tuesday"},
    {u"DAYNAME4", u"Wednesday"},
    {u"DAYNAME5", u"Thursday"},
    {u"DAYNAME6", u"Friday"},
    {u"DAYNAME7", u"Saturday"},
    {u"NO_PERIOD_YET", u"No period marked yet"},
    {u"MARK_FIRST_PERIOD", u"To begin, click the first day of your last period "
                           u"in the calendar and choose \"Set menstrual\"."},
    {u"KEEP_DAYS_QUESTION", u"Keep the days marked so far in %s's calendar?"},
    {u"LOGIN_TO_SEE", u"Your calendar is locked. Click here to log in."},
    {u"TRAY_KEEPS_RUNNING", u"%s keeps running here in the notification area. "
                            u"Click its icon to open your calendar again."},
    {u"ABOUT_RIGHTS", u"\u00A9 2026 Quillow. All rights reserved."},
    // Reminders page: the number of days is a whole number.
    {u"MSG_ENTER_INTEGER_RANGE", u"Enter an integer between %d and %d."},
    // Keeping the days safe: saves, backups and exports.
    {u"ERROR_DB_NO_FILE",
     u"The day could not be saved: the calendar file cannot be opened."},
    {u"MENU_FILE_BACKUP", u"&Back up..."},
    {u"MENU_FILE_RESTORE", u"&Restore..."},
    {u"MENU_FILE_EXPORT", u"E&xport..."},
    {u"FILTER_BACKUP", u"Tamarel backup (*.zip)"},
    {u"FILTER_CSV", u"CSV table (*.csv)"},
    {u"FILTER_ICS", u"iCalendar (*.ics)"},
    {u"BACKUP_DONE", u"The backup is saved in %s."},
    {u"BACKUP_WRITE_FAILED", u"The backup could not be written to %s."},
    {u"BACKUP_CALENDAR_UNREADABLE", u"The calendar file or the user list "
                                    u"cannot be read. Nothing was changed."},
    {u"BACKUP_UNREADABLE", u"The file %s cannot be read. Nothing was changed."},
    {u"BACKUP_NOT_OURS",
     u"This file is not a Tamarel backup. Nothing was changed."},
    {u"BACKUP_DAMAGED",
     u"This backup is damaged and cannot be restored. Nothing was changed."},
    {u"RESTORE_CONFIRM",
     u"Replace your calendar and the user list with the backup of %s? The "
     u"files replaced now are kept beside them, ending in .before-restore."},
    {u"RESTORE_DONE",
     u"The calendar and the user list are restored from the backup."},
    {u"RESTORE_FAILED", u"The backup could not be restored: the calendar files "
                        u"could not be written. Nothing was changed."},
    {u"RESTORE_PENDING",
     u"The calendar is restored, but the user list could not be replaced yet. "
     u"Tamarel finishes the restore when it starts next time."},
    {u"EXPORT_DONE", u"Your days are exported to %s."},
    {u"EXPORT_FAILED", u"The file %s could not be written."},
    {u"ICS_PERIOD", u"Menstruation"},
    {u"ICS_PREDICTED_PERIOD", u"Expected menstruation"},
    {u"ICS_OVULATION", u"Ovulation"},
    // Honest answers: days her records do not reach, a late period, what a
    // prediction stands on and the range of the next start.
    {u"BEFORE_FIRST_PERIOD", u"Before your first recorded period"},
    {u"TRAY_NO_PERIOD", u"%s \u2013 no period marked yet"},
    {u"TODAY_LATE", u"Today is %d.%d.%d (your period is %d days late)"},
    {u"TODAY_LATE_ONE", u"Today is %d.%d.%d (your period is %d day late)"},
    {u"PERIOD_LATE", u"Your period is %d days late"},
    {u"PERIOD_LATE_ONE", u"Your period is %d day late"},
    {u"NEXT_LATE", u"Next menstruation: %d days late (expected %d.%d.%d)"},
    {u"NEXT_LATE_ONE", u"Next menstruation: %d day late (expected %d.%d.%d)"},
    {u"LATE_TEST", u"A pregnancy test can now tell whether you are pregnant."},
    {u"BASIS_CYCLES", u"Based on %d recorded cycles"},
    {u"BASIS_CYCLES_ONE", u"Based on %d recorded cycle"},
    {u"BASIS_DEFAULT", u"Based on the default %d-day cycle"},
    {u"NEXT_RANGE",
     u"Next menstruation: %d.%d.%d (between %d.%d.%d and %d.%d.%d)"},
    {u"NEXT_MENSTRUAL_NONE", u"Next menstruation: not known yet"},
    {u"NEXT_OVULATION_NONE", u"Next ovulation: not known yet"},
    {u"PERIOD_TODAY", u"Your period is expected today"},
    {u"PERIOD_TOMORROW", u"Your period is expected tomorrow"},
    {u"TIP2_DAY", u"You are not fertile on this day. Your chances of becoming "
                  u"pregnant are very low."},
    {u"TIP6_DAY", u"You have a good chance of conceiving a girl on this day."},
    {u"TIP7_DAY", u"You have a good chance of conceiving a boy on this day."},
    {u"CAUTIOUS_WINDOW",
     u"My cycles are irregular: show the wider fertile window"},
    {u"TEMP_DISTURBED",
     u"Temperature disturbed (&illness, short night, alcohol)"},
    {u"TEMP_NOT_DISTURBED", u"Temperature not d&isturbed"},
    {u"MSG_DISTURBED", u"Disturbed temperature"},
    {u"MSG_TEMP_OVULATION", u"Ovulation (temperature)"},
    {u"CHART_OWN_COVER_LINE", u"Your cover line"},
    {u"TEMP_CONFIRMED_COLUMN", u"Confirmed by temperature"},
    {u"TEMP_SHIFT_CONFIRMED",
     u"Temperature shift confirmed on %d.%d.%d: ovulation about %d.%d.%d"},
    {u"TEMP_SHIFT_RISING",
     u"Temperature rising since %d.%d.%d: not yet confirmed"},
    {u"ENCRYPT_CALENDAR", u"Encrypt my calendar"},
    {u"ENCRYPT_WARNING", u"Your days will be readable only with your password. A forgotten password cannot be recovered: nobody, not even you, can read your days without it. Make a backup first? (Yes: back up, then encrypt. No: encrypt without a backup.)"},
    {u"DECRYPT_CONFIRM", u"Your days will be kept unencrypted again, readable by anyone who can open the calendar file. Go on?"},
    {u"VAULT_MISSING", u"Your calendar is not encrypted."},
    {u"VAULT_REFUSED", u"Your encrypted calendar could not be opened: it was changed or damaged. It is left as it is; a backup can bring your days back."},
    {u"VAULT_DAMAGED", u"Your encrypted calendar is damaged or is not Tamarel's. It is left as it is."},
    {u"VAULT_UNREADABLE", u"Your encrypted calendar could not be read."},
    {u"VAULT_EXISTS", u"Your calendar is encrypted already."},
    {u"VAULT_NOT_SAVED", u"Your encrypted calendar could not be written; it is as it was."},
    {u"VAULT_CALENDAR_NOT_SAVED", u"The calendar file could not be written; nothing changed."},
    {u"VAULT_CRYPTO_FAILED", u"The cryptography of Windows did not answer; nothing changed."},
    {u"DELETE_DAYS_QUESTION", u"Delete the days of %s too? Otherwise they stay on this PC."},
    {u"DELETE_DAYS_FAILED", u"The days could not all be deleted; File > Configure offers to delete them later."},
    {u"LEFTOVER_DAYS", u"Days of deleted users: %d"},
    {u"LEFTOVER_DELETE", u"Delete them"},
    {u"LEFTOVER_CONFIRM", u"Delete the days of users who no longer exist? This cannot be undone."},
};

// The table sorted by key, for lookups by binary search: Translate runs for
// every text of every paint.
const std::vector<Entry> &SortedByKey() {
  static const std::vector<Entry> sorted = [] {
    std::vector<Entry> v(std::begin(kBuiltIn), std::end(kBuiltIn));
    std::sort(v.begin(), v.end(),
              [](const Entry &a, const Entry &b) { return a.first < b.first; });
    return v;
  }();
  return sorted;
}

} // namespace

const std::vector<std::pair<std::u16string_view, std::u16string_view>> &
LocaleManager::BuiltInTable() {
  static const std::vector<Entry> table(std::begin(kBuiltIn),
                                        std::end(kBuiltIn));
  return table;
}

// The texts are string literals, so the view's data is null-terminated.
const char16_t *LocaleManager::BuiltInText(std::u16string_view key) {
  const auto &sorted = SortedByKey();
  const auto it = std::lower_bound(
      sorted.begin(), sorted.end(), key,
      [](const Entry &e, std::u16string_view k) { return e.first < k; });
  if (it == sorted.end() || it->first != key)
    return nullptr;
  return it->second.data();
}
