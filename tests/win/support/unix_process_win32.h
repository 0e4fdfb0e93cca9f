#pragma once

// Host programs started from a test under Wine (a Python web server, the
// PostScript renderer). Wine runs a host executable given by its drive Z:
// path; it gives no handle to wait on, so callers watch for the files the
// program writes.

#include <windows.h>

#include <filesystem>
#include <string>

namespace testsupport {

// The host path of a Windows path (Wine's own conversion), or empty.
inline std::string UnixPath(const std::filesystem::path& path) {
  using Convert = char*(CDECL*)(LPCWSTR);
  static const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* unix = convert(path.wstring().c_str());
  if (!unix) return {};
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Starts /bin/sh -c script on the host; true when it was started.
inline bool RunHostShell(const std::string& script) {
  std::wstring command = L"/bin/sh -c \"";
  for (const char c : script) {
    if (c == '"' || c == '\\') command += L'\\';
    command += static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  command += L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    return false;
  }
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  return true;
}

}  // namespace testsupport
