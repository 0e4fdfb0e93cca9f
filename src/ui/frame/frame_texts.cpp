#include "ui/frame/frame_texts.h"

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "model/day_class.h"
#include "model/day_words.h"
#include "model/menstual_manager.h"
#include "resources/resource.h"
#include "ui/panes/pane_texts.h"

namespace {

struct MenuText {
  unsigned id;
  const char16_t *key;
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

} // namespace

const char16_t *MenuItemKey(unsigned id) {
  for (const MenuText &t : kMenuTexts) {
    if (t.id == id)
      return t.key;
  }
  return nullptr;
}

bool HiddenForGoal(unsigned id, int goal) {
  return goal == 0 && (id == ID_REPORTS_BIRTH || id == ID_REPORTS_CHINA_CAL);
}

TrayWords TrayWordsFrom(MenstualManager &model, const LocaleManager &locale,
                        const PackedDate &today) {
  TrayWords words;
  if (model.Standing(today) == DayStanding::kNoPeriod) {
    words.noPeriod = true;
    return words;
  }
  const int late = model.DaysLate();
  if (late > 0) {
    // While she is late the tray says so, whatever today's class.
    words.label = LateLine(locale, late);
    return words;
  }
  words.label = model.DayLabel(today);
  const LookAhead found = LookAheadFrom(
      today, [&model](const PackedDate &d) { return model.GetDayClass(d); });
  if (!found.menstruation.IsEmpty())
    words.next = NextMenstruationLine(locale, found, 0, model.ExpectedStart(),
                                      model.NextStartRange());
  return words;
}

std::u16string TrayTooltip(const LocaleManager &locale, const PackedDate &today,
                           const TrayWords &words) {
  const std::u16string date =
      FormatDayMonthYear(locale.Translate(u"TODAY_IS2"), today);
  if (words.noPeriod) {
    std::u16string tip = FormatText(locale.Translate(u"TRAY_NO_PERIOD"),
                                    {locale.Translate(u"APP_NAME")}) +
                         u"\n" + date;
    if (tip.size() > kTrayTipMax)
      tip.resize(kTrayTipMax);
    return tip;
  }
  std::u16string rest = u"\n" + date + u"\n" + words.label + u"\n";
  if (!words.next.empty())
    rest += words.next + u"\n";
  std::u16string tip = locale.Translate(u"APP_NAME") + u" " +
                       locale.Translate(u"APP_VER") + rest;
  if (tip.size() > kTrayTipMax)
    tip = locale.Translate(u"APP_NAME") + rest;
  if (tip.size() > kTrayTipMax)
    tip.resize(kTrayTipMax);
  return tip;
}

std::u16string TrayTooltip(const LocaleManager &locale, MenstualManager &model,
                           const PackedDate &today) {
  return TrayTooltip(locale, today, TrayWordsFrom(model, locale, today));
}

std::u16string LockedTrayTooltip(const LocaleManager &locale) {
  std::u16string tip = locale.Translate(u"APP_NAME");
  if (tip.size() > kTrayTipMax)
    tip.resize(kTrayTipMax);
  return tip;
}

std::u16string ShowWindowText(const LocaleManager &locale) {
  // The English "SHOW" text already ends in a blank; one blank is enough.
  std::u16string show = locale.Translate(u"SHOW");
  while (!show.empty() && show.back() == u' ')
    show.pop_back();
  return show + u" " + locale.Translate(u"APP_NAME");
}

std::u16string SitePage(std::u16string_view site, std::u16string_view language,
                        std::u16string_view page) {
  std::u16string url(site);
  while (!url.empty() && url.back() == u'/')
    url.pop_back();
  url += u"/";
  url += language;
  url += u"/";
  url += page;
  return url;
}

std::u16string FeedbackAddress(std::u16string_view email,
                               std::u16string_view appName) {
  std::u16string address = u"mailto:";
  address += email;
  address += u"?Subject=\"";
  address += appName;
  address += u" - support request\"";
  return address;
}
