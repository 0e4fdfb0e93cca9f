#include "ui/settings/settings_choices.h"

#include <gtest/gtest.h>

namespace {

TEST(ThemeChoices, StoredColourSelectsItsEntryAndUnknownColoursSelectPink) {
  EXPECT_EQ(ThemeChoiceFor(MakeColor(254, 154, 205)), 0);
  EXPECT_EQ(ThemeChoiceFor(MakeColor(255, 243, 112)), 1);
  EXPECT_EQ(ThemeChoiceFor(MakeColor(97, 195, 255)), 2);
  EXPECT_EQ(ThemeChoiceFor(MakeColor(97, 195, 254)), 0);
  EXPECT_EQ(ThemeChoiceFor(kSystemColorsMarker), 0);
}

TEST(ThemeChoices, ChosenEntryStoresTheWholeThemeRecord) {
  const ThemeRecord sky = ThemeForChoice(2);
  EXPECT_EQ(sky.base, MakeColor(97, 195, 255));
  EXPECT_EQ(sky.light, MakeColor(117, 215, 255));
  EXPECT_EQ(sky.dark, MakeColor(26, 120, 180));
  EXPECT_EQ(sky.pale, MakeColor(160, 206, 241));
  EXPECT_EQ(sky.secondDark, MakeColor(26, 120, 180));
  EXPECT_EQ(sky.useSystemColors, 0);
  // Pink is what the settings start with; a bad entry stores it too.
  const ThemeRecord pink = ThemeForChoice(0);
  EXPECT_EQ(pink, ThemeRecord(DeriveTheme(0xCD9AFE)));
  EXPECT_EQ(ThemeForChoice(7), pink);
  EXPECT_EQ(ThemeForChoice(-1), pink);
}

TEST(ScaleList, EntriesMapToScalesAndBack) {
  struct Case {
    int entry;
    int scale;
  };
  for (const Case c : {Case{0, 20}, Case{1, 30}, Case{2, 40}, Case{3, 50}, Case{4, 60}, Case{5, 70}}) {
    EXPECT_EQ(ScaleFromEntry(c.entry), c.scale);
    EXPECT_EQ(ScaleEntryFor(c.scale), c.entry);
  }
  // Hand-edited values land on the list.
  EXPECT_EQ(ScaleEntryFor(45), 2);
  EXPECT_EQ(ScaleEntryFor(5), 0);
  EXPECT_EQ(ScaleEntryFor(-100), 0);
  EXPECT_EQ(ScaleEntryFor(250), 5);
}

TEST(CaptionGradient, BlackAtTheLeftBaseAtTheRightGrowingQuadratically) {
  const ColorRef base = MakeColor(97, 195, 255);
  const std::vector<GradientBand> bands = CaptionGradient(256, base);
  ASSERT_EQ(bands.size(), 128u);
  EXPECT_EQ(bands.front().left, 0);
  EXPECT_EQ(bands.front().right, 2);
  EXPECT_EQ(bands.front().color, MakeColor(0, 0, 0));
  EXPECT_EQ(bands.back().right, 256);
  EXPECT_EQ(bands.back().color, base);
  // Half way along: a quarter of the colour (127^2 / 2 ... 64^2 / 127^2).
  EXPECT_EQ(RedOf(bands[64].color), 97 * 64 * 64 / (127 * 127));
  EXPECT_LT(RedOf(bands[64].color), 97 / 2);
  for (size_t i = 1; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].left, bands[i - 1].right);
    EXPECT_GE(BlueOf(bands[i].color), BlueOf(bands[i - 1].color));
  }
  // Narrow bars: bands of one pixel; a bar of one pixel is that one band.
  EXPECT_EQ(CaptionGradient(50, base).size(), 50u);
  EXPECT_EQ(CaptionGradient(1, base).size(), 1u);
  EXPECT_TRUE(CaptionGradient(0, base).empty());
  // Wider than a multiple of 128: the last band reaches the edge.
  EXPECT_EQ(CaptionGradient(300, base).back().right, 300);
}

}  // namespace
