#pragma once

// Colour arithmetic of the calendar's painting: the lightened and hovered
// class fills and the integer gradients of the header and the month titles.
// Pure arithmetic, so the exact values are checked without a window.

#include "env/theme.h"

// The fill of a day cell: the hovered look takes 20 off the blue (10 when the
// blue is 11-20), then every channel is lightened by (factor - 1) x 255 and
// cut at 255. Factor 1.0 changes nothing but the blue.
[[nodiscard]] ColorRef ShadeColor(ColorRef color, bool reduceBlue, double factor);

// Step i of n from one colour toward another, per channel in integers:
// from + i x (to - from) / n, the division truncating toward zero. Step 0 is
// `from`; n <= 0 gives `from`.
[[nodiscard]] ColorRef InterpolateColor(ColorRef from, ColorRef to, int i, int n);

// The month name's colour: the theme's light colour where it stands out from
// the middle of the title's gradient (from the base to the dark colour),
// else a colour that does.
[[nodiscard]] ColorRef MonthTitleTextColor(const ThemeRecord& theme);
