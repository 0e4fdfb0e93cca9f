#pragma once

// Tests that delete the program's registry key, write the Run value or use
// the real application-data folder run only under Wine in one of the build's
// test prefixes: anywhere else they would wipe a real user's settings and days.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace testsupport {

// Empty when the process runs under Wine with WINEPREFIX one of the test
// prefixes in the build (a folder right inside TAMAREL_TEST_WINEPREFIXES);
// otherwise why not.
inline std::string WhyNotOwnWinePrefix() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return "not running under Wine";
  wchar_t value[4096] = {};
  const DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", value, 4096);
  if (n == 0 || n >= 4096) return "WINEPREFIX is not set";
  const auto trimmed = [](std::wstring s) {
    while (s.size() > 1 && (s.back() == L'/' || s.back() == L'\\')) s.pop_back();
    return s;
  };
  const std::wstring root = trimmed(TAMAREL_TEST_WINEPREFIXES) + L"/";
  const std::wstring prefix = trimmed(value);
  const std::wstring name = prefix.compare(0, root.size(), root) == 0 ? prefix.substr(root.size()) : L"";
  if (name.empty() || name.find_first_of(L"/\\") != std::wstring::npos || name == L"." || name == L"..") {
    return "WINEPREFIX is not one of the build's test prefixes (in " + std::string(root.begin(), root.end()) + ")";
  }
  return {};
}

}  // namespace testsupport

// In a fixture's SetUp or a test body: stop here unless the prefix is the
// build's own.
#define TAMAREL_REQUIRE_OWN_WINE_PREFIX()                                      \
  do {                                                                         \
    const std::string whyNot = ::testsupport::WhyNotOwnWinePrefix();           \
    if (!whyNot.empty()) GTEST_SKIP() << "refused to touch the registry or " \
                                         "%APPDATA%: " << whyNot;              \
  } while (false)
