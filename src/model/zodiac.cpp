#include "model/zodiac.h"

namespace {

const char16_t* const kNames[kZodiacSignCount] = {u"Aries", u"Taurus",      u"Gemini",    u"Cancer",
                                                  u"Leo",   u"Virgo",       u"Libra",     u"Scorpio",
                                                  u"Sagittarius", u"Capricorn", u"Aquarius", u"Pisces"};

// First day of each sign in calendar order from January; a date before the
// first entry (1-19 January) still belongs to Capricorn of the year before.
struct SignStart {
  int month;
  int day;
  int sign;
};
constexpr SignStart kStarts[] = {{1, 20, 10}, {2, 19, 11}, {3, 21, 0}, {4, 20, 1},  {5, 21, 2},  {6, 21, 3},
                                 {7, 23, 4},  {8, 23, 5},  {9, 23, 6}, {10, 23, 7}, {11, 22, 8}, {12, 22, 9}};

}  // namespace

int ZodiacIndex(const PackedDate& date) {
  const int key = date.month * 100 + date.day;
  int sign = 9;  // Capricorn
  for (const SignStart& s : kStarts) {
    if (key >= s.month * 100 + s.day) sign = s.sign;
  }
  return sign;
}

const char16_t* ZodiacEnglishName(int index) {
  return index >= 0 && index < kZodiacSignCount ? kNames[index] : nullptr;
}
