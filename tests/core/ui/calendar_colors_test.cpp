#include "ui/calendar/calendar_colors.h"

#include <gtest/gtest.h>

#include "ui/frame/band_layout.h"
#include "ui/settings/settings_choices.h"

namespace {

struct ShadeCase {
  ColorRef in;
  bool reduceBlue;
  double factor;
  ColorRef out;
};

TEST(ShadeColor, LightensByFactorAndTakesBlueOffWhenHovered) {
  const ShadeCase cases[] = {
      {MakeColor(255, 50, 255), false, 1.0, MakeColor(255, 50, 255)},   // predicted first day
      {MakeColor(255, 50, 255), false, 1.2, MakeColor(255, 100, 255)},  // 0.2 x 255 truncates to 50
      {MakeColor(255, 50, 255), false, 1.4, MakeColor(255, 151, 255)},  // 0.4 x 255 truncates to 101
      {MakeColor(255, 255, 255), true, 1.0, MakeColor(255, 255, 235)},  // hovered white
      {MakeColor(10, 20, 21), true, 1.0, MakeColor(10, 20, 1)},         // blue over 20: minus 20
      {MakeColor(10, 20, 20), true, 1.0, MakeColor(10, 20, 10)},        // 11-20: minus 10
      {MakeColor(10, 20, 11), true, 1.0, MakeColor(10, 20, 1)},
      {MakeColor(10, 20, 10), true, 1.0, MakeColor(10, 20, 10)},  // 10 and less: kept
      {MakeColor(0, 0, 0), true, 1.0, MakeColor(0, 0, 0)},
      {MakeColor(255, 50, 255), true, 1.0, MakeColor(255, 50, 235)},
      {MakeColor(100, 50, 100), true, 1.4, MakeColor(201, 151, 181)},    // reduction before lightening
      {MakeColor(200, 230, 250), false, 1.2, MakeColor(250, 255, 255)},  // cut at 255 per channel
      {MakeColor(128, 128, 255), false, 0.9, MakeColor(103, 103, 230)},  // a darkening step truncates too
      {MakeColor(10, 0, 5), false, 0.5, MakeColor(0, 0, 0)},             // and stops at 0
  };
  for (const ShadeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.in << " blue " << c.reduceBlue << " factor " << c.factor);
    EXPECT_EQ(ShadeColor(c.in, c.reduceBlue, c.factor), c.out);
  }
}

TEST(InterpolateColor, StepsPerChannelWithTruncatingDivision) {
  const ColorRef from = MakeColor(254, 154, 205);
  const ColorRef to = MakeColor(180, 26, 97);
  EXPECT_EQ(InterpolateColor(from, to, 0, 500), from);
  // 254 + 1 x (-74) / 500 = 254 (truncated toward zero, not floored to 253)
  EXPECT_EQ(InterpolateColor(from, to, 1, 500), from);
  // 250 x (-74) / 500 = -37, 250 x (-128) / 500 = -64, 250 x (-108) / 500 = -54
  EXPECT_EQ(InterpolateColor(from, to, 250, 500), MakeColor(217, 90, 151));
  // 7 x (-74) / 10 = -51 (-51.8), 7 x (-128) / 10 = -89, 7 x (-108) / 10 = -75
  EXPECT_EQ(InterpolateColor(from, to, 7, 10), MakeColor(203, 65, 130));
  EXPECT_EQ(InterpolateColor(from, to, 10, 10), to);
  // Upward too: 0 + 1 x 255 / 2 = 127
  EXPECT_EQ(InterpolateColor(MakeColor(0, 0, 0), MakeColor(255, 255, 255), 1, 2), MakeColor(127, 127, 127));
  EXPECT_EQ(InterpolateColor(from, to, 3, 0), from);
}

}  // namespace

namespace {

// Every offered theme keeps its texts readable: the month names on the
// title's gradient and the band's menu titles, open or not, on the band.
TEST(ThemeContrast, EveryThemesTextsStandOutFromWhatTheyAreWrittenOn) {
  EXPECT_NEAR(ContrastRatio(MakeColor(0, 0, 0), MakeColor(255, 255, 255)), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(MakeColor(97, 195, 255), MakeColor(97, 195, 255)), 1.0, 1e-9);
  for (size_t i = 0; i < kThemeChoices.size(); ++i) {
    const ThemeRecord theme = ThemeForChoice(static_cast<int>(i));
    SCOPED_TRACE(testing::Message() << "theme " << i);
    const ColorRef middle = InterpolateColor(theme.base, theme.dark, 1, 2);
    EXPECT_GE(ContrastRatio(MonthTitleTextColor(theme), middle), kMinTextContrast);
    EXPECT_GE(ContrastRatio(BandTitleColor(theme, false), theme.base), kMinTextContrast);
    EXPECT_GE(ContrastRatio(BandTitleColor(theme, true), theme.base), kMinTextContrast);
  }
  // A light colour that stands out is kept; one that does not is replaced.
  EXPECT_EQ(ReadableTextColor(MakeColor(20, 20, 20), {MakeColor(255, 255, 132)}), MakeColor(255, 255, 132));
  EXPECT_EQ(ReadableTextColor(MakeColor(203, 214, 72), {MakeColor(255, 255, 132)}), MakeColor(0, 0, 0));
}

}  // namespace
