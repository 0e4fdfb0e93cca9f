#include "env/local_time_win32.h"

namespace {

// FILETIME counts 100-nanosecond ticks from 1601; 1970 is this many seconds later.
constexpr int64_t kEpochDifference = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000LL;

}  // namespace

SYSTEMTIME LocalTimeOf(int64_t utcSeconds) {
  const uint64_t ticks = static_cast<uint64_t>((utcSeconds + kEpochDifference) * kTicksPerSecond);
  FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    GetLocalTime(&local);
    local.wHour = 10;
    local.wMinute = 0;
  }
  return local;
}

int64_t UtcSecondsOf(const SYSTEMTIME& local) {
  SYSTEMTIME whole = local;
  whole.wSecond = 0;
  whole.wMilliseconds = 0;
  SYSTEMTIME utc{};
  FILETIME ft{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &whole, &utc) || !SystemTimeToFileTime(&utc, &ft)) return 0;
  const uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochDifference;
}

int LocalMinuteOfDay(int64_t utcSeconds) {
  const SYSTEMTIME t = LocalTimeOf(utcSeconds);
  return t.wHour * 60 + t.wMinute;
}
