#pragma once

#include <string>
#include <string_view>

// Menu and control texts mark their access key with '&' before the letter
// ("&File" is opened with Alt+F); "&&" stands for one ampersand.

// The character after the text's marking '&', or 0 when it has none.
[[nodiscard]] char16_t AccessKeyOf(std::u16string_view text);

// The text as read where no letter is underlined (a window caption, a
// printed legend): the marking '&' dropped, "&&" made one '&'.
[[nodiscard]] std::u16string WithoutAccessKey(std::u16string_view text);
