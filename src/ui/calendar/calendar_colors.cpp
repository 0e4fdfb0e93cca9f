#include "ui/calendar/calendar_colors.h"

#include <algorithm>

ColorRef ShadeColor(ColorRef color, bool reduceBlue, double factor) {
  const int r = RedOf(color);
  const int g = GreenOf(color);
  int b = BlueOf(color);
  if (reduceBlue) {
    if (b > 20) {
      b -= 20;
    } else if (b > 10) {
      b -= 10;
    }
  }
  // The step is worked out in double precision and truncated once, the same
  // for every channel: 1.2 and 1.4 give +50 and +101 (0.2 x 255 comes out a
  // hair under 51).
  const int step = static_cast<int>((factor - 1.0) * 255.0);
  const auto channel = [step](int c) { return std::clamp(c + step, 0, 255); };
  return MakeColor(channel(r), channel(g), channel(b));
}

ColorRef InterpolateColor(ColorRef from, ColorRef to, int i, int n) {
  if (n <= 0) return from;
  const auto channel = [i, n](int a, int b) { return a + i * (b - a) / n; };
  return MakeColor(channel(RedOf(from), RedOf(to)), channel(GreenOf(from), GreenOf(to)),
                   channel(BlueOf(from), BlueOf(to)));
}

ColorRef MonthTitleTextColor(const ThemeRecord& theme) {
  const ColorRef middle = InterpolateColor(theme.base, theme.dark, 1, 2);
  return ReadableTextColor(middle, {theme.light, MakeColor(255, 255, 255), theme.secondDark});
}
