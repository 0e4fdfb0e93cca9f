#include "ui/frame/frame_texts.h"

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "model/day_class.h"
#include "resources/resource.h"

namespace {

struct MenuText {
  unsigned id;
  const char16_t* key;
};
constexpr MenuText kMenuTexts[] = {
    {ID_FILE_LOGOUT, u"MENU_FILE_LOGOUT"},
    {ID_FILE_CONFIGURE, u"MENU_FILE_CONFIGURE"},
    {ID_FILE_PRINTALL, u"ID_FILE_PRINTALL"},
    {ID_FILE_BACKUP, u"MENU_FILE_BACKUP"},
    {ID_FILE_RESTORE, u"MENU_FILE_RESTORE"},
    {ID_FILE_EXPORT, u"MENU_FILE_EXPORT"},
    {ID_FILE_EXIT, u"MENU_FILE_EXIT"},
    {ID_NAVIGATE_NEXT, u"MENU_NAVIGATE_NEXT"},
    {ID_NAVIGATE_PREV, u"MENU_NAVIGATE_PREV"},
    {ID_NAVIGATE_TODAY, u"MENU_NAVIGATE_TODAY"},
    {ID_REPORTS_STATISTIC, u"STATISTIC"},
    {ID_REPORTS_BIRTH, u"BIRTH"},
    {ID_REPORTS_MYCYCLES, u"MYCYCLES"},
    {ID_REPORTS_HOROSCOPE, u"HOROSCOPE"},
    {ID_REPORTS_CHINA_CAL, u"CHINA_CAL"},
    {ID_HELP_CONTENTS, u"MENU_HELP_CONTACTS"},
    {ID_HELP_HOME, u"HHOME"},
    {ID_HELP_CHECK_NEW_VER, u"CHECK_NEW_VER"},
    {ID_HELP_FEEDBACK, u"MENU_HELP_FEEDBACK"},
    {ID_HELP_ABOUT, u"MENU_HELP_ABOUT"},
    {ID_APP_ABOUT, u"MENU_HELP_ABOUT"},
};

}  // namespace

const char16_t* MenuItemKey(unsigned id) {
  for (const MenuText& t : kMenuTexts) {
    if (t.id == id) return t.key;
  }
  return nullptr;
}

bool HiddenForGoal(unsigned id, int goal) {
  return goal == 0 && (id == ID_REPORTS_BIRTH || id == ID_REPORTS_CHINA_CAL);
}

std::u16string TrayTooltip(const LocaleManager& locale, const PackedDate& today, int dayClass) {
  std::u16string tip = locale.Translate(u"APP_NAME") + u" " + locale.Translate(u"APP_VER") + u"\n";
  tip += FormatText(locale.Translate(u"TODAY_IS2"), {static_cast<long long>(today.day), static_cast<long long>(today.month), static_cast<long long>(today.year)}) + u"\n";
  if (const char16_t* label = DayClassLabelKey(dayClass)) tip += locale.Translate(label);
  tip += u"\n";
  if (tip.size() > kTrayTipMax) tip.resize(kTrayTipMax);
  return tip;
}

std::u16string LockedTrayTooltip(const LocaleManager& locale) {
  std::u16string tip = locale.Translate(u"APP_NAME");
  if (tip.size() > kTrayTipMax) tip.resize(kTrayTipMax);
  return tip;
}

std::u16string ShowWindowText(const LocaleManager& locale) {
  // The English "SHOW" text already ends in a blank; one blank is enough.
  std::u16string show = locale.Translate(u"SHOW");
  while (!show.empty() && show.back() == u' ') show.pop_back();
  return show + u" " + locale.Translate(u"APP_NAME");
}

std::u16string SitePage(std::u16string_view site, std::u16string_view language, std::u16string_view page) {
  std::u16string url(site);
  while (!url.empty() && url.back() == u'/') url.pop_back();
  url += u"/";
  url += language;
  url += u"/";
  url += page;
  return url;
}

std::u16string FeedbackAddress(std::u16string_view email, std::u16string_view appName) {
  std::u16string address = u"mailto:";
  address += email;
  address += u"?Subject=\"";
  address += appName;
  address += u" - support request\"";
  return address;
}
