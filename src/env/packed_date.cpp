#include "env/packed_date.h"

#include <charconv>
#include <cstdio>

std::string FormatDate(const PackedDate& d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
  return buf;
}

std::u16string FormatDateU16(const PackedDate& d) {
  const std::string s = FormatDate(d);
  return std::u16string(s.begin(), s.end());
}

bool ParseDate(const std::string& text, PackedDate* out) {
  if (text.size() != 10 || text[2] != '.' || text[5] != '.') return false;
  int parts[3] = {0, 0, 0};
  const int starts[3] = {0, 3, 6};
  const int lens[3] = {2, 2, 4};
  for (int p = 0; p < 3; ++p) {
    for (int i = 0; i < lens[p]; ++i) {
      const char c = text[static_cast<size_t>(starts[p] + i)];
      if (c < '0' || c > '9') return false;
      parts[p] = parts[p] * 10 + (c - '0');
    }
  }
  const PackedDate d(parts[0], parts[1], parts[2]);
  if (!IsValidDate(d)) return false;
  *out = d;
  return true;
}

std::string IsoDate(const PackedDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year % 10000, d.month % 100, d.day % 100);
  return text;
}

bool ParseIsoDate(std::string_view text, PackedDate* out) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  const auto number = [&text](size_t at, size_t length, int* value) {
    const char* first = text.data() + at;
    const char* last = first + length;
    const auto [end, error] = std::from_chars(first, last, *value);
    return error == std::errc() && end == last;
  };
  int y = 0, m = 0, d = 0;
  if (!number(0, 4, &y) || !number(5, 2, &m) || !number(8, 2, &d)) return false;
  const PackedDate date(d, m, y);
  if (!IsValidDate(date)) return false;
  *out = date;
  return true;
}
