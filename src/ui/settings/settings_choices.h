#pragma once

// The choices the settings pages offer, worked out without windows: the
// colour themes of the theme list, the desktop calendar's scale list, and the
// caption bar's gradient.

#include <array>
#include <vector>

#include "env/theme.h"

// One entry of the theme list: its colour and the key of its name.
struct ThemeChoice {
  ColorRef color;
  const char16_t* nameKey;
};

inline constexpr std::array<ThemeChoice, 3> kThemeChoices{{
    {MakeColor(254, 154, 205), u"THEME2"},  // Pink
    {MakeColor(255, 243, 112), u"THEME7"},  // Spring
    {MakeColor(97, 195, 255), u"THEME8"},   // Sky
}};

// The entry whose colour is the stored base colour; 0 (Pink) for a colour
// the list does not offer.
[[nodiscard]] int ThemeChoiceFor(ColorRef base);

// The theme record stored for a chosen entry (an index outside the list
// counts as entry 0).
[[nodiscard]] ThemeRecord ThemeForChoice(int entry);

// The scale list: entries "20%" to "70%" in steps of ten.
inline constexpr int kScaleEntries = 6;
[[nodiscard]] int ScaleFromEntry(int entry);
// The entry of a stored `desk_scale`; a value between entries goes to the
// one below, a value outside the list to its nearest end.
[[nodiscard]] int ScaleEntryFor(int deskScale);

// The caption bar's background: bands one 128th of the width wide (at least
// one pixel), black at the left edge growing quadratically to the base
// colour at the right edge.
struct GradientBand {
  int left;
  int right;
  ColorRef color;
};
[[nodiscard]] std::vector<GradientBand> CaptionGradient(int width, ColorRef base);
