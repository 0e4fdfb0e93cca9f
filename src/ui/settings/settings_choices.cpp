#include "ui/settings/settings_choices.h"

#include <algorithm>

int ThemeChoiceFor(ColorRef base) {
  for (size_t i = 0; i < kThemeChoices.size(); ++i) {
    if (kThemeChoices[i].color == base) return static_cast<int>(i);
  }
  return 0;
}

ThemeRecord ThemeForChoice(int entry) {
  if (entry < 0 || entry >= static_cast<int>(kThemeChoices.size())) entry = 0;
  return DeriveTheme(kThemeChoices[static_cast<size_t>(entry)].color);
}

int ScaleFromEntry(int entry) { return std::clamp(entry, 0, kScaleEntries - 1) * 10 + 20; }

int ScaleEntryFor(int deskScale) { return std::clamp((deskScale - 20) / 10, 0, kScaleEntries - 1); }

// Band i of n takes the colour at its own left edge, (i / (n - 1))^2 of the
// way from black, so the first band is black and the last one the base.
std::vector<GradientBand> CaptionGradient(int width, ColorRef base) {
  std::vector<GradientBand> bands;
  if (width <= 0) return bands;
  constexpr int kBands = 128;
  const int step = std::max(1, width / kBands);
  const int count = (width + step - 1) / step;
  const long long last = std::max(1, count - 1);
  for (int i = 0; i < count; ++i) {
    const long long num = static_cast<long long>(i) * i;
    const long long den = last * last;
    auto channel = [&](int c) { return static_cast<int>(c * num / den); };
    const int left = i * step;
    const int right = i == count - 1 ? width : left + step;
    bands.push_back({left, right, MakeColor(channel(RedOf(base)), channel(GreenOf(base)), channel(BlueOf(base)))});
  }
  return bands;
}
