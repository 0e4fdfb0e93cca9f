#include "ui/days/temperature_units.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

double TruncateToHundredths(double value) { return std::trunc(value * 100) / 100; }

namespace {

// A converted value is shown and kept with two decimals at most: 100 F is
// 37.78 C, never 37.7777777777778.
double RoundToHundredths(double value) { return std::round(value * 100) / 100; }

}  // namespace

double ValueForEntry(double stored, bool fahrenheit) {
  if (fahrenheit == IsStoredFahrenheit(stored)) return stored;
  return RoundToHundredths(TemperatureInUnit(stored, fahrenheit));
}

double ConvertForSwitch(double value, bool toFahrenheit) {
  return RoundToHundredths(toFahrenheit ? ToFahrenheit(value) : ToCelsius(value));
}

std::u16string TemperatureText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  const std::string text(buffer);
  return std::u16string(text.begin(), text.end());
}

TemperatureCheck CheckTemperatureText(std::u16string_view text) {
  TemperatureCheck check;
  // Digits, signs, points and exponents are ASCII; anything else is not a number.
  std::string narrow;
  for (char16_t c : text) {
    if (c > 0x7F) return check;
    narrow.push_back(static_cast<char>(c));
  }
  const size_t first = narrow.find_first_not_of(" \t");
  if (first == std::string::npos) return check;
  const size_t last = narrow.find_last_not_of(" \t");
  narrow = narrow.substr(first, last - first + 1);
  // Her locale may write the decimal point as a comma ("36,7"); one
  // separator of either kind is taken.
  if (narrow.find('.') == std::string::npos && narrow.find(',') == narrow.rfind(',')) {
    if (const size_t comma = narrow.find(','); comma != std::string::npos) narrow[comma] = '.';
  }
  // Only decimal numbers: strtod would also take "inf", "nan" and hex.
  if (narrow.find_first_not_of("0123456789+-.eE") != std::string::npos) return check;
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(narrow.c_str(), &end);
  if (end != narrow.c_str() + narrow.size() || errno == ERANGE) return check;
  check.value = value;
  const float single = static_cast<float>(value);
  check.result = (single < static_cast<float>(kMinTemperature) || single > static_cast<float>(kMaxTemperature))
                     ? TemperatureInput::kOutOfRange
                     : TemperatureInput::kValid;
  return check;
}
