#pragma once

// The changes the day commands make to a day record. Each takes the stored
// record (or null when the date has none) and gives the record to store, or
// nothing when the command has nothing to change. The caller stores it
// through the cycle manager; a record left without marks is removed there.

#include <optional>
#include <string>

#include "model/day.h"

// Commands that need no input: unset start/end, sex, pill, disturbed
// temperature, good/bad mood (ids from resources/resource.h). Other ids give
// nothing.
[[nodiscard]] std::optional<Day> ApplyMarkCommand(unsigned id, const Day* stored, const PackedDate& date);
[[nodiscard]] Day WithTemperature(const Day* stored, const PackedDate& date, double temperature);
// The note is replaced even by an empty text.
[[nodiscard]] Day WithNote(const Day* stored, const PackedDate& date, std::u16string note);
