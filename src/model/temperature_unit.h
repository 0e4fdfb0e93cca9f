#pragma once

// A day's temperature is stored as she entered it and carries no unit: a
// value below 50 was entered in Celsius, one of 50 or more in Fahrenheit.
// Every place that shows a temperature (the side pane, the entry dialog, the
// chart, the exports) converts it into the unit of the `farinheit` setting
// here, so one day reads the same everywhere.

[[nodiscard]] constexpr double ToFahrenheit(double celsius) { return celsius * 1.8 + 32; }
[[nodiscard]] constexpr double ToCelsius(double fahrenheit) { return (fahrenheit - 32) / 1.8; }

inline constexpr double kFahrenheitFrom = 50;

[[nodiscard]] constexpr bool IsStoredFahrenheit(double stored) { return stored >= kFahrenheitFrom; }

// A stored temperature (not 0) in the unit asked for.
[[nodiscard]] constexpr double TemperatureInUnit(double stored, bool fahrenheit) {
  if (fahrenheit == IsStoredFahrenheit(stored)) return stored;
  return fahrenheit ? ToFahrenheit(stored) : ToCelsius(stored);
}
