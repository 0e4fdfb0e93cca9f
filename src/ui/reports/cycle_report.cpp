#include "ui/reports/cycle_report.h"

#include <string>

#include "env/locale_manager.h"
#include "env/text_format.h"
#include "model/day_words.h"
#include "model/menstual_manager.h"
#include "settings/options_manager.h"

namespace {

std::u16string Number(int n) {
  const std::string text = std::to_string(n);
  return std::u16string(text.begin(), text.end());
}

} // namespace

std::vector<CycleRow> CycleRows(const std::vector<PackedDate> &starts,
                                const OvulationOf &ovulationOf) {
  std::vector<CycleRow> rows;
  rows.reserve(starts.size());
  for (size_t i = 0; i < starts.size(); ++i) {
    CycleRow row;
    row.begin = FormatDateU16(starts[i]);
    if (i + 1 < starts.size()) {
      const int length = DaysBetween(starts[i], starts[i + 1]);
      row.length = Number(length);
      if (const auto ovulation = ovulationOf(starts[i]))
        row.ovulation = FormatDateU16(*ovulation);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<CycleRow> CycleRows(MenstualManager &model) {
  return CycleRows(model.GetStartList(), [&model](const PackedDate &start) {
    return model.OvulationOfCycle(start);
  });
}

std::u16string CyclesBasisLine(MenstualManager &model) {
  if (model.GetStartList().empty())
    return {};
  const OptionsManager &options = model.Options();
  return BasisLine(model.Locale(), options.autoPeriodCalculation,
                   model.CountedCycles(), options.periodLen);
}

StatisticFigures FreshStatisticFigures(MenstualManager &model) {
  model.Reload();
  StatisticFigures figures;
  figures.longest = model.GetMaxPeriod();
  figures.shortest = model.GetMinPeriod();
  figures.average = model.GetAveragePeriod();
  figures.count = model.GetPeriodCount();
  return figures;
}

std::array<std::u16string, 4> FigureTexts(const LocaleManager &locale,
                                          const StatisticFigures &figures) {
  return {FormatText(locale.Translate(u"MAX_PERIOD"),
                     {static_cast<long long>(figures.longest)}),
          FormatText(locale.Translate(u"MIN_PERIOD"),
                     {static_cast<long long>(figures.shortest)}),
          FormatText(locale.Translate(u"AVG_PERIOD"),
                     {static_cast<long long>(figures.average)}),
          FormatText(locale.Translate(u"CYCLES"),
                     {static_cast<long long>(figures.count)})};
}
