#pragma once

#include <windows.h>

#include <cstdint>

// The stored pill time is seconds since 1970 UTC; the user sets and sees it
// as a local time of day.

// The local date and time of a moment.
[[nodiscard]] SYSTEMTIME LocalTimeOf(int64_t utcSeconds);
// The moment of a local date and time (seconds and milliseconds dropped).
[[nodiscard]] int64_t UtcSecondsOf(const SYSTEMTIME& local);
// 0..1439: the local hour times 60 plus the minute.
[[nodiscard]] int LocalMinuteOfDay(int64_t utcSeconds);
