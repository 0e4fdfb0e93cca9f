#include "model/zodiac.h"

#include <gtest/gtest.h>

#include <string>

#include "model/chinese_chart.h"
#include "env/platform.h"

namespace {

std::string SignOf(int day, int month, int year = 2023) {
  const char16_t* name = ZodiacEnglishName(ZodiacIndex(PackedDate(day, month, year)));
  return name ? ToUtf8(name) : "none";
}

TEST(Zodiac, EverySignStartsAndEndsOnItsDay) {
  struct Case {
    int day, month;
    const char* sign;
  };
  const Case cases[] = {
      {1, 1, "Capricorn"},    {19, 1, "Capricorn"},   {20, 1, "Aquarius"},  {18, 2, "Aquarius"},
      {19, 2, "Pisces"},      {20, 3, "Pisces"},      {21, 3, "Aries"},     {19, 4, "Aries"},
      {20, 4, "Taurus"},      {20, 5, "Taurus"},      {21, 5, "Gemini"},    {20, 6, "Gemini"},
      {21, 6, "Cancer"},      {22, 7, "Cancer"},      {23, 7, "Leo"},       {22, 8, "Leo"},
      {23, 8, "Virgo"},       {22, 9, "Virgo"},       {23, 9, "Libra"},     {22, 10, "Libra"},
      {23, 10, "Scorpio"},    {21, 11, "Scorpio"},    {22, 11, "Sagittarius"}, {21, 12, "Sagittarius"},
      {22, 12, "Capricorn"},  {31, 12, "Capricorn"},
  };
  for (const Case& c : cases) EXPECT_EQ(SignOf(c.day, c.month), c.sign) << c.day << "." << c.month;
  EXPECT_EQ(SignOf(29, 2, 2024), "Pisces");
}

TEST(Zodiac, NamesAndIconsFollowTheIndex) {
  const char* names[] = {"Aries", "Taurus", "Gemini",      "Cancer",    "Leo",      "Virgo",
                         "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
  for (int i = 0; i < kZodiacSignCount; ++i) {
    EXPECT_EQ(ToUtf8(ZodiacEnglishName(i)), names[i]);
    EXPECT_EQ(ZodiacIconId(i), 5641 + i);
  }
  EXPECT_EQ(ZodiacEnglishName(-1), nullptr);
  EXPECT_EQ(ZodiacEnglishName(12), nullptr);
}

// Ages as rows, months as letters: a readable copy of the rows the dialog shows.
std::string ChartRow(int age) {
  std::string row;
  for (int month = 1; month <= 12; ++month) row += ChineseChartIsBoy(age, month) ? 'B' : 'G';
  return row;
}

TEST(ChineseChart, RowsOfTheChart) {
  EXPECT_EQ(ChartRow(18), "GBGBBBBBBBBB");  // girl only in January and March
  EXPECT_EQ(ChartRow(20), "GBGBBBBBBGBB");  // the age the dialog opens at
  EXPECT_EQ(ChartRow(21), "BGGGGGGGGGGG");  // boy only in January
  EXPECT_EQ(ChartRow(45), "GBBGGGBGBGBB");
  EXPECT_EQ(ChartRow(17), "GGGGGGGGGGGG");  // outside the chart: girl
  EXPECT_EQ(ChartRow(46), "GGGGGGGGGGGG");
  EXPECT_FALSE(ChineseChartIsBoy(19, 0));
  EXPECT_FALSE(ChineseChartIsBoy(19, 13));
}

}  // namespace
