#include "env/debug_log_win32.h"

#include <cwchar>

void LogError(const wchar_t* what, DWORD error) {
  wchar_t line[512];
  std::swprintf(line, sizeof line / sizeof line[0], L"Tamarel: %ls failed, error %lu\n", what,
                static_cast<unsigned long>(error));
  OutputDebugStringW(line);
}

void LogLastError(const wchar_t* what) { LogError(what, GetLastError()); }

void LogMessage(const wchar_t* text) {
  wchar_t line[512];
  std::swprintf(line, sizeof line / sizeof line[0], L"Tamarel: %ls\n", text);
  OutputDebugStringW(line);
}
