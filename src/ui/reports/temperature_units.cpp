#include "ui/reports/temperature_units.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

double TruncateToHundredths(double value) { return std::trunc(value * 100) / 100; }

double ValueForEntry(double stored, bool fahrenheit) {
  if (fahrenheit && stored < 50) return ToFahrenheit(stored);
  if (!fahrenheit && stored > 50) return ToCelsius(stored);
  return stored;
}

double ConvertForSwitch(double value, bool toFahrenheit) {
  return toFahrenheit ? ToFahrenheit(value) : ToCelsius(value);
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
