#pragma once

// Her days in files other programs open: a CSV table for a spreadsheet (or
// her doctor) and an iCalendar file for a phone's or a mail program's calendar.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "env/packed_date.h"
#include "model/day.h"

class MenstualManager;
class LocaleManager;

// The current user's stored days, in date order.
[[nodiscard]] std::vector<Day> StoredDays(MenstualManager& model);

// One CSV field: quoted when it holds a comma, a quote, CR or LF, its quotes doubled.
[[nodiscard]] std::string CsvField(std::string_view text);
// A UTF-8 byte-order mark (spreadsheets then read the file as UTF-8), a
// header row and one row per day, CR LF after every row. Temperatures are
// shown in the user's unit.
[[nodiscard]] std::string FormatCsv(const std::vector<Day>& days, bool fahrenheit);

// One all-day event.
struct CalendarEvent {
  enum class Kind { kPeriod, kPredictedPeriod, kOvulation };
  Kind kind = Kind::kPeriod;
  PackedDate first;         // the first day
  PackedDate last;          // the last day (the file says the day after it, as the format wants)
  std::u16string summary;   // the event's title
  std::u16string details;   // the notes of its days, may be empty
};

// The recorded periods (each start to its end mark, or with no end mark
// within six days the start and the four days after it, as the calendar
// paints them), then the predicted periods and ovulation days from today for
// the next twelve months, as the calendar classes them.
[[nodiscard]] std::vector<CalendarEvent> CalendarEvents(MenstualManager& model, const LocaleManager& locale,
                                                        const PackedDate& today);

// TEXT value escaping: backslash, semicolon, comma and line breaks.
[[nodiscard]] std::string EscapeCalendarText(std::string_view utf8);
// A content line cut into lines of at most 75 octets, CR LF after each; a
// continuation starts with a blank, and no UTF-8 sequence is cut.
[[nodiscard]] std::string FoldCalendarLine(std::string_view line);
// The whole file. UIDs come from the kind, the date and the owner, so the
// same day exported twice has the same UID. nowUtc: seconds since 1970 (DTSTAMP).
[[nodiscard]] std::string FormatCalendar(const std::vector<CalendarEvent>& events, uint16_t owner, int64_t nowUtc);
