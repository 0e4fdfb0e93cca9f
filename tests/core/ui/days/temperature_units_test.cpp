#include "ui/days/temperature_units.h"

#include <gtest/gtest.h>

#include <optional>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "backup/day_export.h"
#include "support/temp_dir.h"
#include "ui/panes/pane_texts.h"
#include "ui/reports/temperature_month.h"

namespace {

TEST(TemperatureUnits, EntryShowsStoredValuesInTheChosenUnitFromFifty) {
  struct Case {
    double stored;
    bool fahrenheit;
    std::u16string shown;
  };
  const Case cases[] = {
      {36.6, true, u"97.88"}, {97.88, false, u"36.6"}, {97.88, true, u"97.88"}, {36.6, false, u"36.6"},
      {50, true, u"50"},      {50, false, u"10"},
      // Converted values show two decimals at most.
      {49.99, true, u"121.98"}, {100, false, u"37.78"}, {36.66, true, u"97.99"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TemperatureText(ValueForEntry(c.stored, c.fahrenheit)), c.shown) << c.stored << " " << c.fahrenheit;
  }
}

TEST(TemperatureUnits, SwitchConvertsWithoutThresholdAndTruncationKeepsTwoDecimals) {
  EXPECT_EQ(TemperatureText(ConvertForSwitch(98.6, false)), u"37");
  EXPECT_EQ(TemperatureText(ConvertForSwitch(37, true)), u"98.6");
  EXPECT_EQ(TemperatureText(ConvertForSwitch(120, false)), u"48.89");
  EXPECT_EQ(TemperatureText(ConvertForSwitch(100, false)), u"37.78");
  EXPECT_DOUBLE_EQ(TruncateToHundredths(36.679), 36.67);
  EXPECT_DOUBLE_EQ(TruncateToHundredths(-1.239), -1.23);
  EXPECT_DOUBLE_EQ(TruncateToHundredths(97.88), 97.88);
}

TEST(TemperatureUnits, InputMustBeANumberFromThirtyToOneHundredFifty) {
  struct Case {
    const char16_t* text;
    TemperatureInput result;
  };
  const Case cases[] = {
      {u"30", TemperatureInput::kValid},          {u"150", TemperatureInput::kValid},
      {u" 36.6 ", TemperatureInput::kValid},      {u"29.9", TemperatureInput::kOutOfRange},
      {u"150.5", TemperatureInput::kOutOfRange},  {u"-40", TemperatureInput::kOutOfRange},
      {u"", TemperatureInput::kNotANumber},       {u"abc", TemperatureInput::kNotANumber},
      {u"36,6", TemperatureInput::kValid},        {u"36.6x", TemperatureInput::kNotANumber},
      {u"36,6,1", TemperatureInput::kNotANumber}, {u"36.6,1", TemperatureInput::kNotANumber},
      {u"inf", TemperatureInput::kNotANumber},    {u"0x20", TemperatureInput::kNotANumber},
      {u"1e400", TemperatureInput::kNotANumber},  {u"3.7e1", TemperatureInput::kValid},
      // Compared in single precision: just above 150 in double, 150 as a float.
      {u"150.000001", TemperatureInput::kValid},  {u"29.9999999", TemperatureInput::kValid},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckTemperatureText(c.text).result, c.result) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
  }
  EXPECT_DOUBLE_EQ(CheckTemperatureText(u"36.6").value, 36.6);
  EXPECT_DOUBLE_EQ(CheckTemperatureText(u" 36,7").value, 36.7);
}

// One day reads the same in every place that shows it, in the unit of the
// setting, whichever unit it was entered in: the Day pane, the entry dialog,
// the chart and the CSV export.
TEST(TemperatureUnits, EveryPlaceShowsADayInTheUnitOfTheSetting) {
  testsupport::TempDir dir;
  Latin1Codec codec;
  const LocaleManager locale(dir.path(), codec);
  const struct {
    double stored;
    bool fahrenheit;
    const char16_t* pane;
    const char16_t* entry;
    const char* csv;
    double chart;
  } cases[] = {
      {36.76, true, u"98.2 F", u"98.17", "98.17", 98.168},   {36.76, false, u"36.8 C", u"36.76", "36.76", 36.76},
      {98.17, false, u"36.8 C", u"36.76", "36.76", 36.7611}, {98.17, true, u"98.2 F", u"98.17", "98.17", 98.17},
      {47, true, u"116.6 F", u"116.6", "116.60", 116.6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.stored << (c.fahrenheit ? " in F" : " in C"));
    const Day day(PackedDate(1, 3, 2026), false, false, false, false, false, false, c.stored);
    EXPECT_EQ(TemperatureButtonText(locale, &day, c.fahrenheit), c.pane);
    EXPECT_EQ(TemperatureText(ValueForEntry(c.stored, c.fahrenheit)), c.entry);
    const std::string csv = FormatCsv({day}, c.fahrenheit);
    EXPECT_NE(csv.find(std::string(",") + c.csv + ",\xC2\xB0" + (c.fahrenheit ? "F" : "C")), std::string::npos) << csv;
    EXPECT_NEAR(ChartTemperature(c.stored, c.fahrenheit), c.chart, 0.0001);
  }
}

}  // namespace
