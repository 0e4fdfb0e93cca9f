#pragma once

#include <string>

class LocaleManager;

// What became of a change of a day. Every caller looks at it: a day that was
// not stored must never look stored.
enum class [[nodiscard]] SaveResult {
  kDone,         // stored (or, for an empty day, removed)
  kRefused,      // the cycle rules do not allow this mark on this day
  kFull,         // every slot of the calendar file is taken by another day
  kWriteFailed,  // the file could not be written; it is as it was before
  kNoFile,       // there is no calendar file to store into
};

// The text that tells her why the day was not stored; empty for kDone.
[[nodiscard]] std::u16string SaveResultMessage(SaveResult result, const LocaleManager& locale);
