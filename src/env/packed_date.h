#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A calendar date as stored in db.dat: day, month, year (little-endian u16).
// All zero is the empty date. Arithmetic is on whole calendar days, so time
// zones and daylight saving never move a date.
struct PackedDate {
  uint8_t day = 0;
  uint8_t month = 0;
  uint16_t year = 0;

  constexpr PackedDate() = default;
  constexpr PackedDate(int d, int m, int y)
      : day(static_cast<uint8_t>(d)), month(static_cast<uint8_t>(m)), year(static_cast<uint16_t>(y)) {}

  [[nodiscard]] constexpr bool IsEmpty() const { return day == 0 && month == 0 && year == 0; }
  [[nodiscard]] constexpr int64_t Key() const {
    // Orders like the date: (year << 32) | (month << 16) | (day << 8).
    return (int64_t{year} << 32) | (int64_t{month} << 16) | (int64_t{day} << 8);
  }
  friend constexpr bool operator==(const PackedDate& a, const PackedDate& b) {
    return a.day == b.day && a.month == b.month && a.year == b.year;
  }
  friend constexpr bool operator<(const PackedDate& a, const PackedDate& b) { return a.Key() < b.Key(); }
  friend constexpr bool operator>(const PackedDate& a, const PackedDate& b) { return b < a; }
  friend constexpr bool operator<=(const PackedDate& a, const PackedDate& b) { return !(b < a); }
  friend constexpr bool operator>=(const PackedDate& a, const PackedDate& b) { return !(a < b); }
};

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
constexpr int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

constexpr PackedDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return PackedDate(static_cast<int>(d), static_cast<int>(m), static_cast<int>(y + (m <= 2)));
}

[[nodiscard]] constexpr int64_t DayNumber(const PackedDate& d) { return DaysFromCivil(d.year, d.month, d.day); }

// Signed number of whole calendar days from a to b (b minus a).
[[nodiscard]] constexpr int DaysBetween(const PackedDate& a, const PackedDate& b) {
  return static_cast<int>(DayNumber(b) - DayNumber(a));
}

[[nodiscard]] constexpr PackedDate AddDays(const PackedDate& d, int n) { return CivilFromDays(DayNumber(d) + n); }

[[nodiscard]] constexpr bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

[[nodiscard]] constexpr int DaysInMonth(int y, int m) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return (m == 2 && IsLeapYear(y)) ? 29 : kDays[(m - 1) % 12];
}

// A date that exists in the calendar (1..31 within its month, month 1..12, year >= 1).
[[nodiscard]] constexpr bool IsValidDate(const PackedDate& d) {
  return d.year >= 1 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month);
}

// "%02d.%02d.%04d"
std::string FormatDate(const PackedDate& d);
std::u16string FormatDateU16(const PackedDate& d);
// Parses DD.MM.YYYY; false for anything that is not a valid date.
bool ParseDate(const std::string& text, PackedDate* out);

// YYYY-MM-DD, the form files written for other programs use.
[[nodiscard]] std::string IsoDate(const PackedDate& d);
// Parses YYYY-MM-DD; false for anything that is not a valid date.
[[nodiscard]] bool ParseIsoDate(std::string_view text, PackedDate* out);
