#include "model/day_words.h"

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "model/menstual_manager.h"

std::u16string CountKey(std::u16string_view key, long long count) {
  std::u16string k(key);
  if (count == 1)
    k += u"_ONE";
  return k;
}

std::u16string LateLine(const LocaleManager &locale, int daysLate) {
  return FormatText(locale.Translate(CountKey(u"PERIOD_LATE", daysLate)),
                    {static_cast<long long>(daysLate)});
}

std::u16string FormatDayMonthYear(std::u16string_view format,
                                  const PackedDate &date) {
  return FormatText(format, {static_cast<long long>(date.day),
                             static_cast<long long>(date.month),
                             static_cast<long long>(date.year)});
}

std::u16string RangeLine(const LocaleManager &locale,
                         const PackedDate &expected, const StartRange &range) {
  return FormatText(locale.Translate(u"NEXT_RANGE"),
                    {static_cast<long long>(expected.day),
                     static_cast<long long>(expected.month),
                     static_cast<long long>(expected.year),
                     static_cast<long long>(range.earliest.day),
                     static_cast<long long>(range.earliest.month),
                     static_cast<long long>(range.earliest.year),
                     static_cast<long long>(range.latest.day),
                     static_cast<long long>(range.latest.month),
                     static_cast<long long>(range.latest.year)});
}

std::u16string NextLateLine(const LocaleManager &locale, int daysLate,
                            const PackedDate &expected) {
  return FormatText(locale.Translate(CountKey(u"NEXT_LATE", daysLate)),
                    {static_cast<long long>(daysLate),
                     static_cast<long long>(expected.day),
                     static_cast<long long>(expected.month),
                     static_cast<long long>(expected.year)});
}

std::u16string BasisLine(const LocaleManager &locale, bool automatic,
                         int countedCycles, int periodLen) {
  if (!automatic || countedCycles >= 3)
    return {};
  if (countedCycles == 0)
    return FormatText(locale.Translate(u"BASIS_DEFAULT"),
                      {static_cast<long long>(periodLen)});
  return FormatText(locale.Translate(CountKey(u"BASIS_CYCLES", countedCycles)),
                    {static_cast<long long>(countedCycles)});
}
