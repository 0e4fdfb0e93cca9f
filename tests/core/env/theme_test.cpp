#include "env/theme.h"

#include <gtest/gtest.h>

namespace {

TEST(DeriveTheme, ColoursOfTheOfferedThemesAndTheRule) {
  struct Case {
    ColorRef base;
    ColorRef light, dark, pale, secondDark;
    uint8_t systemFlag;
  };
  const Case cases[] = {
      // Pink, entirely by rule; 154 * 1.1 + 30 = 199.4 and 205 * 1.1 + 30 = 255.5 -> 255.
      {MakeColor(254, 154, 205), MakeColor(255, 174, 225), MakeColor(180, 26, 97), MakeColor(255, 199, 255),
       MakeColor(180, 26, 97), 0},
      // Spring and Sky: light by rule, the rest hand-picked.
      {MakeColor(255, 243, 112), MakeColor(255, 255, 132), MakeColor(151, 185, 33), MakeColor(255, 237, 199),
       MakeColor(10, 81, 129), 0},
      {MakeColor(97, 195, 255), MakeColor(117, 215, 255), MakeColor(26, 120, 180), MakeColor(160, 206, 241),
       MakeColor(26, 120, 180), 0},
      // Dark channels stop at 0; 100 * 1.1 + 30 = 140 exactly.
      {MakeColor(10, 100, 0), MakeColor(30, 120, 20), MakeColor(0, 0, 0), MakeColor(41, 140, 30), MakeColor(0, 0, 0),
       0},
      // The marker that asks for the system colours.
      {MakeColor(254, 254, 254), MakeColor(255, 255, 255), MakeColor(180, 126, 146), MakeColor(255, 255, 255),
       MakeColor(180, 126, 146), 1},
  };
  for (const Case& c : cases) {
    const ThemeRecord t = DeriveTheme(c.base);
    EXPECT_EQ(t.base, c.base);
    EXPECT_EQ(t.light, c.light) << std::hex << c.base;
    EXPECT_EQ(t.dark, c.dark) << std::hex << c.base;
    EXPECT_EQ(t.pale, c.pale) << std::hex << c.base;
    EXPECT_EQ(t.secondDark, c.secondDark) << std::hex << c.base;
    EXPECT_EQ(t.useSystemColors, c.systemFlag) << std::hex << c.base;
  }
}

}  // namespace
