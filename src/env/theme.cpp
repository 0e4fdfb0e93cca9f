#include "env/theme.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr ColorRef kSpring = MakeColor(255, 243, 112);
constexpr ColorRef kSky = MakeColor(97, 195, 255);

int Clamp(int v) { return std::clamp(v, 0, 255); }

ColorRef Lighter(ColorRef c) { return MakeColor(Clamp(RedOf(c) + 20), Clamp(GreenOf(c) + 20), Clamp(BlueOf(c) + 20)); }

ColorRef Darker(ColorRef c) {
  return MakeColor(Clamp(RedOf(c) - 74), Clamp(GreenOf(c) - 128), Clamp(BlueOf(c) - 108));
}

// Each channel times 1.1 plus 30, cut to a whole number. Done in tenths so that
// 154 gives exactly 199 and never 198.99...
int PaleChannel(int v) { return Clamp((v * 11 + 300) / 10); }

ColorRef Paler(ColorRef c) { return MakeColor(PaleChannel(RedOf(c)), PaleChannel(GreenOf(c)), PaleChannel(BlueOf(c))); }

}  // namespace

ThemeRecord DeriveTheme(ColorRef base) {
  ThemeRecord t;
  t.useSystemColors = base == kSystemColorsMarker ? 1 : 0;
  t.base = base;
  t.light = Lighter(base);
  if (base == kSpring) {
    t.dark = MakeColor(151, 185, 33);
    t.pale = MakeColor(255, 237, 199);
    t.secondDark = MakeColor(10, 81, 129);
  } else if (base == kSky) {
    t.dark = MakeColor(26, 120, 180);
    t.pale = MakeColor(160, 206, 241);
    t.secondDark = MakeColor(26, 120, 180);
  } else {
    t.dark = Darker(base);
    t.pale = Paler(base);
    t.secondDark = t.dark;
  }
  return t;
}

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(ColorRef c) {
  return 0.2126 * Linear(RedOf(c)) + 0.7152 * Linear(GreenOf(c)) + 0.0722 * Linear(BlueOf(c));
}

}  // namespace

double ContrastRatio(ColorRef a, ColorRef b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ColorRef ReadableTextColor(ColorRef background, std::initializer_list<ColorRef> candidates) {
  for (const ColorRef c : candidates) {
    if (ContrastRatio(c, background) >= kMinTextContrast) return c;
  }
  const ColorRef white = MakeColor(255, 255, 255), black = MakeColor(0, 0, 0);
  return ContrastRatio(white, background) >= ContrastRatio(black, background) ? white : black;
}
