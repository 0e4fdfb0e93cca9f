#pragma once

// The text of the balloon that pops up over a hovered day: the day's tip
// wrapped into short lines, then the day's note when it has one.

#include <string>
#include <string_view>

#include "env/packed_date.h"

class LocaleManager;
class MenstualManager;

// The longest tip the balloon takes; the rest is cut off.
inline constexpr size_t kMaxBalloonTip = 4096;

// Starts with a blank, then the words of the tip (split at blanks) each
// followed by a blank, except that the word which brings the line past 40
// letters (blanks not counted) is followed by a line break.
[[nodiscard]] std::u16string WrapDayTip(std::u16string_view tip);

// The wrapped tip, then, for a non-empty note, a blank line, the label
// ("Note" in the current language), ":" and the note on its own lines.
[[nodiscard]] std::u16string DayBalloonText(std::u16string_view tip,
                                            std::u16string_view noteLabel,
                                            std::u16string_view note);

// The date named in full: "Wednesday, 10.12.2026".
[[nodiscard]] std::u16string DayNameLine(const LocaleManager &locale,
                                         const PackedDate &date);

// The balloon of a day: its label as the title (or what stands in for it:
// no period marked, before the first recorded period, a late period), and
// its tip with its note. A day without a tip shows its date instead, so the
// balloon never claims what her days do not say.
struct DayBalloon {
  std::u16string title;
  std::u16string text;
};
[[nodiscard]] DayBalloon DayBalloonFor(MenstualManager &model,
                                       const LocaleManager &locale,
                                       const PackedDate &date);
// The balloon's text with the disturbed-temperature mark ("Disturbed
// temperature" in the current language) on a line of its own after a blank
// line.
[[nodiscard]] std::u16string WithDisturbedMark(std::u16string text,
                                               std::u16string_view mark);
