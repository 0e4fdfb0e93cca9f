#include "settings/system_locale_win32.h"

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
