#pragma once

#include "env/packed_date.h"

// The twelve zodiac signs, by index: 0 Aries .. 11 Pisces. The index orders
// the names, the icons and the horoscope's list.
constexpr int kZodiacSignCount = 12;
// Icon resource of sign 0; sign i has kZodiacIconBase + i.
constexpr int kZodiacIconBase = 5641;

// The sign whose dates hold the date's day and month (the year plays no
// part, so 29 February is Pisces). A day or month outside the calendar
// gives the sign of the nearest date before it in the year.
[[nodiscard]] int ZodiacIndex(const PackedDate& date);
// The English name of a sign ("Aries"), which is also its translation key
// and the name of its horoscope file; nullptr for an index outside 0-11.
[[nodiscard]] const char16_t* ZodiacEnglishName(int index);
// The sign's icon resource, 5641-5652.
[[nodiscard]] constexpr int ZodiacIconId(int index) { return kZodiacIconBase + index; }
