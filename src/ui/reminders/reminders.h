#pragma once

// The reminder check: what the popup says today, in which popup, how it
// slides and whether the sound plays. The menstruation reminder looks at the
// days from today on for recorded or predicted flow, the day tip may follow
// it, and the pill reminder comes every day from the pill time on until the
// day is marked with a pill. Each comes at most once a day for each user; a
// forced check (the mouse resting on the tray icon) shows the text again,
// silently. No window code.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "env/packed_date.h"

class LocaleManager;
class MenstualManager;
class OptionsManager;

// A text of up to this many characters fits the small popup.
inline constexpr size_t kSmallPopupMaxChars = 115;

enum class ReminderPopup { kLarge, kSmall };

// The reminder settings, the pill time as the local minute of the day.
struct ReminderSettings {
  bool menstruation = true;
  int days = 3; // how many days from today are looked at
  bool pill = false;
  int pillMinuteOfDay = 10 * 60;
  bool other = true;
};

// What a check asks about the user's days; asked only when needed.
struct ReminderDays {
  // The day class of a date (0-11, anything else no class).
  std::function<int(const PackedDate &)> dayClass;
  // Today's day tip; empty where her days say nothing of today.
  std::function<std::u16string()> tip;
  // While her period is late: "Next menstruation: N days late (expected
  // d.m.y)"; empty otherwise. Left unset: never late.
  std::function<std::u16string()> late;
  // The range of the next start when her cycles vary; empty otherwise.
  std::function<std::u16string()> range;
  // Today is marked with a pill taken; a record that cannot be read is no mark.
  std::function<bool()> pillTaken;
};

struct ReminderMessage {
  std::u16string text;
  ReminderPopup popup = ReminderPopup::kSmall;
  int showMs = 0;
  int stayMs = 0;
  int hideMs = 0;
  bool sound = false;
  bool operator==(const ReminderMessage &) const = default;
};

enum class ReminderKind { kMenstruation, kPill };

// Which reminder each user has had on which day. Lives as long as the
// program; a new day, or another user, brings the reminders again.
class ReminderLog {
public:
  [[nodiscard]] bool Shown(ReminderKind kind, int user,
                           const PackedDate &day) const;
  void MarkShown(ReminderKind kind, int user, const PackedDate &day);

private:
  std::map<std::pair<ReminderKind, int>, PackedDate> last_;
};

// The menstruation and tip text: "N days left before menstruation" for the
// first day of flow or predicted flow among the `days` days from today
// (today is 1 and up; a start tomorrow is "Your period is expected
// tomorrow", predicted flow today is "Your period is expected today",
// recorded flow today needs no reminder), with the range of the
// next start below it when her cycles vary; while she is late the late line
// instead; then the day tip, under the "Day tip:" heading when the first
// line is there. A forced check builds it as if both were switched on.
[[nodiscard]] std::u16string MenstruationText(bool forced,
                                              const ReminderSettings &settings,
                                              const PackedDate &today,
                                              const ReminderDays &days,
                                              const LocaleManager &locale);

// One check at the local date `today` and minute of the day `nowMinute`, for
// user `user` (0 when logins are off). Marks what it shows in the log.
[[nodiscard]] std::optional<ReminderMessage>
CheckReminders(bool forced, const ReminderSettings &settings,
               const PackedDate &today, int nowMinute, const ReminderDays &days,
               int user, ReminderLog &log, const LocaleManager &locale);

// The page's "days before beginning": a whole number from 1 to 10, blanks
// around it allowed; anything else is refused.
inline constexpr int kMinReminderDays = 1;
inline constexpr int kMaxReminderDays = 10;
[[nodiscard]] std::optional<int> ParseReminderDays(std::u16string_view text);

// The settings as stored; pillMinute turns the stored pill time (seconds
// since 1970 UTC) into its local minute of the day.
[[nodiscard]] ReminderSettings
ReminderSettingsFrom(const OptionsManager &options,
                     const std::function<int(int64_t)> &pillMinute);
// The current user's days as the cycle manager knows them.
[[nodiscard]] ReminderDays ReminderDaysFrom(MenstualManager &model,
                                            const PackedDate &today);
