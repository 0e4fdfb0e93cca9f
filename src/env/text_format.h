#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// printf-style formatting of translated texts without printf: a language file
// may hold any placeholders, so only %d, %s and %% are filled, in order, and
// anything else is shown as written. A missing argument leaves its placeholder.
using FormatArg = std::variant<long long, std::u16string_view>;
std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args);
