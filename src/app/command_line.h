#pragma once

// The program's command line as Windows hands it over: the program path
// first (quoted or not), then the arguments.

#include <string>
#include <string_view>
#include <vector>

// The arguments after the program path, split the way the C runtime splits
// them: blanks and tabs separate, double quotes group, a backslash escapes a
// quote only when it comes before one.
[[nodiscard]] std::vector<std::u16string> CommandLineArguments(std::u16string_view commandLine);

// Started by Windows at log-on: one of the arguments is exactly "-m". A
// program path that merely contains "-m" (a folder named "anna-maria") is
// not an argument.
[[nodiscard]] bool HasHiddenStartSwitch(std::u16string_view commandLine);
