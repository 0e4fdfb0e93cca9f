#include "env/platform_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <ctime>

#include "env/debug_log_win32.h"
#include "env/wide_win32.h"

PackedDate Win32Clock::Today() const {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return PackedDate(now.wDay, now.wMonth, now.wYear);
}

int64_t Win32Clock::Now() const { return static_cast<int64_t>(std::time(nullptr)); }

std::string Win32AnsiCodec::ToAnsi(std::u16string_view text) const {
  if (text.empty()) return {};
  const std::wstring wide = ToWide(text);
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::u16string Win32AnsiCodec::FromAnsi(std::string_view bytes) const {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return FromWide(out);
}

std::wstring ExecutablePath() {
  // Long paths do not fit MAX_PATH; grow until the name is not cut.
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) {
      LogLastError(L"GetModuleFileNameW");
      return {};
    }
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::filesystem::path ExecutableFolder() { return std::filesystem::path(ExecutablePath()).parent_path(); }

std::filesystem::path DocumentsFolder() {
  wchar_t folder[MAX_PATH] = {};
  const HRESULT hr = SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
  if (FAILED(hr)) {
    LogError(L"SHGetFolderPathW(CSIDL_PERSONAL)", static_cast<DWORD>(hr));
    return {};
  }
  return std::filesystem::path(folder);
}

std::filesystem::path RoamingAppDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  const HRESULT hr = SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  if (FAILED(hr)) {
    LogError(L"SHGetFolderPathW(CSIDL_APPDATA)", static_cast<DWORD>(hr));
    return {};
  }
  return std::filesystem::path(folder);
}
