#include "ui/calendar/day_balloon_text.h"

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "model/menstual_manager.h"
#include "ui/calendar/calendar_layout.h"

// Lines are counted in letters, not pixels: the balloon wraps nothing by
// itself and a tip of a few hundred letters should still fit on a screen.
std::u16string WrapDayTip(std::u16string_view tip) {
  constexpr size_t kLineLetters = 40;
  tip = tip.substr(0, kMaxBalloonTip);
  std::u16string text = u" ";
  size_t line = 0;
  size_t pos = 0;
  while (pos < tip.size()) {
    if (tip[pos] == u' ') {
      ++pos;
      continue;
    }
    size_t end = tip.find(u' ', pos);
    if (end == std::u16string_view::npos)
      end = tip.size();
    text.append(tip.substr(pos, end - pos));
    line += end - pos;
    if (line <= kLineLetters) {
      text += u' ';
    } else {
      text += u'\n';
      line = 0;
    }
    pos = end;
  }
  return text;
}

std::u16string DayBalloonText(std::u16string_view tip,
                              std::u16string_view noteLabel,
                              std::u16string_view note) {
  std::u16string text = WrapDayTip(tip);
  if (!note.empty()) {
    text += u"\n\n";
    text.append(noteLabel);
    text += u":\n";
    text.append(note);
  }
  return text;
}

std::u16string DayNameLine(const LocaleManager &locale,
                           const PackedDate &date) {
  // DAYNAME1 is Sunday, as DAY1 is.
  const int weekday = WeekdayOf(date.year, date.month, date.day);
  const std::u16string name = locale.Translate(
      u"DAYNAME" + FormatText(u"%d", {static_cast<long long>(weekday + 1)}));
  return name + u", " + FormatDateU16(date);
}

DayBalloon DayBalloonFor(MenstualManager &model, const LocaleManager &locale,
                         const PackedDate &date) {
  const int dayClass = model.GetDayClass(date);
  DayBalloon balloon;
  balloon.title = model.DayLabel(date, dayClass);
  std::u16string tip = model.GetTip(date, dayClass);
  if (tip.empty())
    tip = DayNameLine(locale, date);
  const Day *record = model.GetCachedDay(date);
  const std::u16string note =
      record && record->note ? *record->note : std::u16string();
  balloon.text = DayBalloonText(tip, locale.Translate(u"NOTE"), note);
  if (record && record->disturbed)
    balloon.text = WithDisturbedMark(std::move(balloon.text),
                                     locale.Translate(u"MSG_DISTURBED"));
  return balloon;
}

std::u16string WithDisturbedMark(std::u16string text,
                                 std::u16string_view mark) {
  text += u"\n\n";
  text.append(mark);
  return text;
}
