#include "ui/panes/pane_texts.h"

#include <algorithm>
#include <charconv>

#include "env/access_key.h"
#include "env/locale_manager.h"
#include "env/text_format.h"
#include "model/day_class.h"
#include "model/day_words.h"
#include "model/menstual_manager.h"
#include "settings/options_manager.h"
#include "model/temperature_unit.h"
#include "ui/calendar/calendar_layout.h"
#include "ui/calendar/day_balloon_text.h"

namespace {

std::u16string Ascii(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

} // namespace

std::u16string TodayLine(const LocaleManager &locale, const PackedDate &today,
                         const PackedDate *lastStart, int daysLate) {
  if (daysLate > 0) {
    return FormatText(
        locale.Translate(CountKey(u"TODAY_LATE", daysLate)),
        {static_cast<long long>(today.day), static_cast<long long>(today.month),
         static_cast<long long>(today.year), static_cast<long long>(daysLate)});
  }
  // The start day is day 1 of the period, as every cycle calendar counts; a
  // start after today gives no day of a period.
  const int n = lastStart && !lastStart->IsEmpty()
                    ? DaysBetween(*lastStart, today) + 1
                    : 0;
  if (n > 0) {
    return FormatText(
        locale.Translate(u"TODAY_IS"),
        {static_cast<long long>(today.day), static_cast<long long>(today.month),
         static_cast<long long>(today.year), static_cast<long long>(n)});
  }
  return FormatText(locale.Translate(u"TODAY_IS2"),
                    {static_cast<long long>(today.day),
                     static_cast<long long>(today.month),
                     static_cast<long long>(today.year)});
}

// to_chars rounds exactly as a correct printf does, and it never looks at the
// C locale, so the decimal point stays a point.
std::u16string FormatOneDecimal(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::fixed, 1);
  std::string text =
      ec == std::errc() ? std::string(buffer, end) : std::string("0.0");
  if (text.size() < 3)
    text.insert(0, 3 - text.size(), ' ');
  return Ascii(text);
}

std::u16string TemperatureButtonText(const LocaleManager& locale, const Day* day, bool fahrenheit) {
  if (!day || day->temperature == 0) return WithoutAccessKey(locale.Translate(u"SET_TEMPERATURE"));
  const double shown = static_cast<double>(static_cast<float>(TemperatureInUnit(day->temperature, fahrenheit)));
  return FormatOneDecimal(shown) + (fahrenheit ? u" F" : u" C");
}

std::u16string InfoEditText(const LocaleManager &locale, const Day *day,
                            std::u16string_view tip) {
  std::u16string text;
  if (day && day->note && !day->note->empty())
    text = locale.Translate(u"NOTE") + u": " + *day->note + u"\r\n";
  text.append(tip);
  return text;
}

std::u16string ClassButtonText(const LocaleManager &locale, int dayClass) {
  const char16_t *key = DayClassLabelKey(dayClass);
  return key ? locale.Translate(key) : std::u16string();
}

LookAhead
LookAheadFrom(const PackedDate &today,
              const std::function<int(const PackedDate &)> &classify) {
  LookAhead found;
  bool menstruation = false, ovulation = false, gender = false;
  for (int i = 0;
       i < LookAhead::kDays && !(menstruation && ovulation && gender); ++i) {
    const PackedDate date = AddDays(today, i);
    const int c = classify(date);
    if (!menstruation && (c == FlowFirstDay || c == PrognosisFirstDay)) {
      menstruation = true;
      found.menstruation = date;
      found.menstruationDays = i;
    }
    if (!ovulation && c == Ovulation) {
      ovulation = true;
      found.ovulation = date;
      found.ovulationDays = i;
    }
    if (!gender && (c == BoyDay || c == GirlDay)) {
      gender = true;
      found.genderDay = date;
      found.girl = c == GirlDay;
    }
  }
  found.birth =
      AddDays(gender ? found.genderDay : today, LookAhead::kBirthAfter);
  return found;
}

std::u16string DateCountLine(const LocaleManager &locale,
                             std::u16string_view key, const PackedDate &date,
                             int days) {
  return FormatText(locale.Translate(key), {static_cast<long long>(date.day),
                                            static_cast<long long>(date.month),
                                            static_cast<long long>(date.year),
                                            static_cast<long long>(days)});
}

std::u16string BirthLine(const LocaleManager &locale, const PackedDate &birth) {
  return FormatText(locale.Translate(u"DATE_GENDER"),
                    {static_cast<long long>(birth.day),
                     static_cast<long long>(birth.month),
                     static_cast<long long>(birth.year)});
}

std::vector<std::u16string> LengthEntries(int first, int last) {
  std::vector<std::u16string> entries;
  for (int n = first; n <= last; ++n)
    entries.push_back(FormatText(u"%d", {static_cast<long long>(n)}));
  return entries;
}

int LengthIndex(int value, int first, int last) {
  return std::clamp(value, first, last) - first;
}

std::u16string SelectedDayLine(const LocaleManager &locale,
                               const PackedDate &date) {
  return DayNameLine(locale, date);
}

std::u16string NoPeriodClassText(const LocaleManager &locale) {
  return locale.Translate(u"NO_PERIOD_YET");
}

std::u16string NoPeriodHint(const LocaleManager &locale) {
  return locale.Translate(u"MARK_FIRST_PERIOD");
}

TodayWords TodayWordsFrom(MenstualManager &model, const PackedDate &today) {
  const LocaleManager &locale = model.Locale();
  const OptionsManager &options = model.Options();
  TodayWords words;
  const int late = model.DaysLate();
  const PackedDate start = model.Database().GetStartBefore(today);
  words.today =
      TodayLine(locale, today, start.IsEmpty() ? nullptr : &start, late);
  const int dayClass = model.GetDayClass(today);
  words.label = model.DayLabel(today, dayClass);
  words.tip = model.GetTip(today, dayClass);
  if (model.Standing(today) == DayStanding::kNoPeriod)
    return words;
  words.basis = BasisLine(locale, options.autoPeriodCalculation,
                          model.CountedCycles(), options.periodLen);
  if (late > 0) {
    if (late >= kTestFromDaysLate)
      words.test = locale.Translate(u"LATE_TEST");
  } else if (const auto range = model.NextStartRange()) {
    words.range = RangeLine(locale, model.ExpectedStart(), *range);
  }
  return words;
}

std::u16string PredictionLines(const TodayWords &words) {
  std::u16string text;
  for (const std::u16string *line : {&words.basis, &words.range, &words.test}) {
    if (line->empty())
      continue;
    if (!text.empty())
      text += u"\r\n";
    text += *line;
  }
  return text;
}

std::u16string NextMenstruationLine(const LocaleManager &locale,
                                    const LookAhead &found, int daysLate,
                                    const PackedDate &expected,
                                    const std::optional<StartRange> &range) {
  if (daysLate > 0)
    return NextLateLine(locale, daysLate, expected);
  if (found.menstruation.IsEmpty())
    return locale.Translate(u"NEXT_MENSTRUAL_NONE");
  if (range && found.menstruation == expected)
    return RangeLine(locale, expected, *range);
  return DateCountLine(locale, u"NEXT_MENSTRUAL", found.menstruation,
                       found.menstruationDays);
}

std::u16string NextOvulationLine(const LocaleManager &locale,
                                 const LookAhead &found) {
  if (found.ovulation.IsEmpty())
    return locale.Translate(u"NEXT_OVULATION_NONE");
  return DateCountLine(locale, u"NEXT_OVULATION", found.ovulation,
                       found.ovulationDays);
}

TodayDialogWords TodayDialogWordsFrom(MenstualManager &model,
                                      const PackedDate &today) {
  const LocaleManager &locale = model.Locale();
  const TodayWords day = TodayWordsFrom(model, today);
  TodayDialogWords words;
  words.found = LookAheadFrom(
      today, [&model](const PackedDate &d) { return model.ClassifyDay(d); });
  words.today = day.today;
  words.menstruation =
      NextMenstruationLine(locale, words.found, model.DaysLate(),
                           model.ExpectedStart(), model.NextStartRange());
  words.ovulation = NextOvulationLine(locale, words.found);
  words.basis = day.basis;
  if (!words.found.genderDay.IsEmpty())
    words.birth = BirthLine(locale, words.found.birth);
  words.tip = day.tip.empty() ? day.label : day.tip;
  return words;
}

std::u16string DisturbedLine(const LocaleManager &locale, const Day *day) {
  return day && day->disturbed ? locale.Translate(u"MSG_DISTURBED")
                               : std::u16string();
}

std::u16string TemperatureShiftLine(const LocaleManager &locale,
                                    const TemperatureShift &shift) {
  const auto number = [](int n) { return static_cast<long long>(n); };
  switch (shift.state) {
  case ShiftState::kConfirmed: {
    const PackedDate &on = shift.confirmedOn;
    const PackedDate &ovulation = shift.ovulation;
    return FormatText(locale.Translate(u"TEMP_SHIFT_CONFIRMED"),
                      {number(on.day), number(on.month), number(on.year),
                       number(ovulation.day), number(ovulation.month),
                       number(ovulation.year)});
  }
  case ShiftState::kRising: {
    const PackedDate &since = shift.firstHigh;
    return FormatText(
        locale.Translate(u"TEMP_SHIFT_RISING"),
        {number(since.day), number(since.month), number(since.year)});
  }
  case ShiftState::kNone:
    break;
  }
  return {};
}
