#pragma once

// The rules of the temperature entry: two decimals kept by truncation, the
// unit a stored value is shown in, conversion on a unit switch, the text form
// of a value and the check of what the user typed. No window code.

#include <optional>
#include <string>
#include <string_view>

#include "model/temperature_unit.h"

// Two decimals kept, truncated towards zero (36.679 -> 36.67).
[[nodiscard]] double TruncateToHundredths(double value);

// A stored value as the dialog shows it, in the unit asked for (see
// model/temperature_unit.h), with two decimals at most.
[[nodiscard]] double ValueForEntry(double stored, bool fahrenheit);
// A value converted to the newly chosen unit, with no threshold. Converted
// values keep two decimals at most (rounded).
[[nodiscard]] double ConvertForSwitch(double value, bool toFahrenheit);

// Up to 15 significant digits, the shortest text that reads back the same way
// a user would write it (36.6, not 36.599999999999994).
[[nodiscard]] std::u16string TemperatureText(double value);

enum class TemperatureInput { kValid, kNotANumber, kOutOfRange };
inline constexpr int kMinTemperature = 30;
inline constexpr int kMaxTemperature = 150;
struct TemperatureCheck {
  TemperatureInput result = TemperatureInput::kNotANumber;
  double value = 0;
};
// A number, blanks around it allowed, with a point or a comma as its decimal
// separator, between 30 and 150 inclusive as compared in single precision.
[[nodiscard]] TemperatureCheck CheckTemperatureText(std::u16string_view text);
