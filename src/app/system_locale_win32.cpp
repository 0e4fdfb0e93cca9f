#include "app/system_locale_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <ctime>

#include "env/debug_log_win32.h"
#include "env/wide_win32.h"

namespace {

// GetUserGeoID and GetGeoInfoW are missing from the oldest systems, so they
// are looked up at run time and the country stays unknown without them.
std::u16string UserCountryCode() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return {};
  using GetUserGeoIdFn = GEOID(WINAPI*)(GEOCLASS);
  using GetGeoInfoFn = int(WINAPI*)(GEOID, GEOTYPE, LPWSTR, int, LANGID);
  const auto getUserGeoId = reinterpret_cast<GetUserGeoIdFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetUserGeoID")));
  const auto getGeoInfo =
      reinterpret_cast<GetGeoInfoFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetGeoInfoW")));
  if (!getUserGeoId || !getGeoInfo) return {};
  const GEOID geo = getUserGeoId(GEOCLASS_NATION);
  if (geo == GEOID_NOT_AVAILABLE) return {};
  wchar_t code[16] = {};
  if (getGeoInfo(geo, GEO_ISO2, code, 16, 0) <= 0) return {};
  return FromWide(code);
}

// LOCALE_IMEASURE is "0" for metric and "1" for U.S. units.
bool UserLocaleIsMetric() {
  wchar_t measure[4] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 4) <= 0) return false;
  return measure[0] == L'0';
}

// 10:00 local time on 1 January 2000; mktime applies the zone and its
// daylight rule of that date.
int64_t PillTimeDefault() {
  std::tm tm = {};
  tm.tm_year = 100;
  tm.tm_mon = 0;
  tm.tm_mday = 1;
  tm.tm_hour = 10;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  return t == static_cast<std::time_t>(-1) ? SystemLocaleInfo{}.pillTimeDefault : static_cast<int64_t>(t);
}

}  // namespace

SystemLocaleInfo QuerySystemLocale() {
  SystemLocaleInfo info;
  info.systemLanguageId = GetSystemDefaultLangID();
  info.userLanguageId = GetUserDefaultLangID();
  info.country = UserCountryCode();
  info.metric = UserLocaleIsMetric();
  info.pillTimeDefault = PillTimeDefault();
  return info;
}

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

std::filesystem::path RoamingAppDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  const HRESULT hr = SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  if (FAILED(hr)) {
    LogError(L"SHGetFolderPathW(CSIDL_APPDATA)", static_cast<DWORD>(hr));
    return {};
  }
  return std::filesystem::path(folder);
}
