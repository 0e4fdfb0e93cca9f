#pragma once

// The core keeps text as UTF-16 in std::u16string; Windows takes the same code
// units as wchar_t. These copy between the two at the Win32 boundary.

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

[[nodiscard]] inline std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
[[nodiscard]] inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}
