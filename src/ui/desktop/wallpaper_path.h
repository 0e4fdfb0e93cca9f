#pragma once

// The wallpaper paths the desktop calendar works with, without windows: the
// user's path as the system stores it, made usable, and the test whether a
// path is the calendar's own picture.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The value of an environment variable, or none when it is not set.
using EnvironmentLookup = std::function<std::optional<std::u16string>(std::u16string_view name)>;

// Trims white space at both ends; a path that begins with a variable name
// between two "%" signs gets the variable's value, a backslash and whatever
// follows the last "%" (when the variable is set).
[[nodiscard]] std::u16string ResolveWallpaperPath(std::u16string_view stored, const EnvironmentLookup& env);

// The file name after the last backslash.
[[nodiscard]] std::u16string_view WallpaperFileName(std::u16string_view path);

// True for the calendar's own picture, "Desk_Cal" or "Desk_Cal.bmp" (file
// names compare without regard to case, as Windows compares them): never
// recorded as the user's own wallpaper.
[[nodiscard]] bool IsCalendarPicture(std::u16string_view path);

// What one desktop update does, decided from the calendar setting, the
// wallpaper the desktop shows now (resolved) and the recorded "OldWallpaper".
struct DesktopPlan {
  enum class Install { kNothing, kCalendar, kRecorded };
  // Written to "OldWallpaper" first: the user's own wallpaper (empty when she
  // has none, so switching the calendar off later brings back no picture).
  std::optional<std::u16string> record;
  // The picture the calendar is drawn over; empty for the plain desktop colour.
  std::u16string background;
  // The background is the recorded wallpaper behind an installed calendar:
  // when it cannot be loaded the update is abandoned and the desktop keeps
  // the last calendar picture.
  bool abandonWithoutBackground = false;
  Install install = Install::kNothing;
  // The path installed for kRecorded.
  std::u16string recorded;
};

// With the calendar on, the calendar picture is drawn and installed. With it
// off, the recorded wallpaper comes back only while the calendar picture is
// what the desktop shows (after switching off, and after a start that
// follows a crash); the user's own wallpaper is left alone.
[[nodiscard]] DesktopPlan PlanDesktopUpdate(bool showCalendar, std::u16string_view current,
                                            const std::optional<std::u16string>& recorded);
