#include "env/packed_date.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(IsoDate, WrittenWithFourDigitYearAndTwoDigitMonthAndDayAndReadBack) {
  const PackedDate dates[] = {{1, 1, 1}, {29, 2, 2024}, {31, 12, 9999}, {7, 3, 2026}};
  for (const PackedDate& d : dates) {
    const std::string text = IsoDate(d);
    PackedDate back;
    EXPECT_TRUE(ParseIsoDate(text, &back)) << text;
    EXPECT_EQ(back, d) << text;
  }
  EXPECT_EQ(IsoDate({7, 3, 2026}), "2026-03-07");
  EXPECT_EQ(IsoDate({1, 1, 1}), "0001-01-01");
}

TEST(IsoDate, AnythingButAValidDateIsRefusedAndLeavesTheDateAlone) {
  const std::string_view wrong[] = {
      "",           "2026-3-07",  "2026-03-7",  "26-03-07",   "2026/03/07", "07.03.2026", "2026-03-07 ",
      "2026-02-29", "2025-13-01", "2025-00-10", "2025-04-31", "0000-01-01", "2026-+3-07", "2026--3-07",
      "2026-03-0x", "x026-03-07", "2026-03-07x"};
  for (const std::string_view text : wrong) {
    PackedDate d(5, 5, 2005);
    EXPECT_FALSE(ParseIsoDate(text, &d)) << text;
    EXPECT_EQ(d, PackedDate(5, 5, 2005)) << text;
  }
}

}  // namespace
