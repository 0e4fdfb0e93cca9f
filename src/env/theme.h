#pragma once

#include <cstdint>
#include <initializer_list>

// Windows colour values, 0x00BBGGRR.
using ColorRef = uint32_t;

[[nodiscard]] constexpr ColorRef MakeColor(int r, int g, int b) {
  return static_cast<ColorRef>(r & 0xFF) | (static_cast<ColorRef>(g & 0xFF) << 8) |
         (static_cast<ColorRef>(b & 0xFF) << 16);
}
[[nodiscard]] constexpr int RedOf(ColorRef c) { return static_cast<int>(c & 0xFF); }
[[nodiscard]] constexpr int GreenOf(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
[[nodiscard]] constexpr int BlueOf(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// The window theme: a base colour and the four colours painted around it.
struct ThemeRecord {
  uint8_t useSystemColors = 0;  // paint with the Windows system colours instead
  ColorRef base = 0xCD9AFE;
  ColorRef light = 0;
  ColorRef dark = 0;
  ColorRef pale = 0;
  ColorRef secondDark = 0;

  friend bool operator==(const ThemeRecord&, const ThemeRecord&) = default;
};

// The base colour that asks for the Windows system colours.
inline constexpr ColorRef kSystemColorsMarker = MakeColor(254, 254, 254);

// The theme record of a base colour: the flag set only for the system-colours
// marker, light/dark/pale/second dark derived from the base. Spring and Sky
// carry hand-picked dark, pale and second dark colours; every other base
// colour gets them by rule. (Replacing the colours by the system's when the
// flag is set needs the Windows layer and is left to it.)
[[nodiscard]] ThemeRecord DeriveTheme(ColorRef base);

// Text must stand out from what it is written on in every theme: the
// contrast ratio of two colours by their relative luminance (1 to 21, as the
// web's accessibility guidelines define it), and the least ratio the
// program's texts on theme colours keep (the guidelines' figure for large
// text and for user-interface parts).
[[nodiscard]] double ContrastRatio(ColorRef a, ColorRef b);
inline constexpr double kMinTextContrast = 3.0;
// The first of the candidates that keeps kMinTextContrast on background;
// when none does, black or white, whichever stands out more.
[[nodiscard]] ColorRef ReadableTextColor(ColorRef background, std::initializer_list<ColorRef> candidates);
