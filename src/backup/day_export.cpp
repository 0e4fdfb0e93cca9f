#include "backup/day_export.h"

#include <algorithm>
#include <cstdio>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "model/day_class.h"
#include "model/menstual_manager.h"
#include "model/temperature_unit.h"

namespace {

std::string CompactDate(const PackedDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", d.year % 10000, d.month % 100, d.day % 100);
  return text;
}

// The same day a year on; 29 February becomes 28 February.
PackedDate YearLater(const PackedDate& d) {
  PackedDate next(d.day, d.month, d.year + 1);
  if (!IsValidDate(next)) next = PackedDate(28, d.month, d.year + 1);
  return next;
}

const char* KindName(CalendarEvent::Kind kind) {
  switch (kind) {
    case CalendarEvent::Kind::kPeriod: return "period";
    case CalendarEvent::Kind::kPredictedPeriod: return "predicted-period";
    case CalendarEvent::Kind::kOvulation: return "ovulation";
  }
  return "event";
}

// Fixed, untranslated categories, so that a calendar program can sort by them
// whatever the language of the export.
const char* Category(CalendarEvent::Kind kind) {
  switch (kind) {
    case CalendarEvent::Kind::kPeriod: return "Menstruation";
    case CalendarEvent::Kind::kPredictedPeriod: return "Predicted menstruation";
    case CalendarEvent::Kind::kOvulation: return "Ovulation";
  }
  return "";
}

void AddLine(std::string& out, std::string_view line) { out += FoldCalendarLine(line); }

}  // namespace

std::vector<Day> StoredDays(MenstualManager& model) {
  std::vector<Day> days;
  for (auto d = model.GetFirstDay(); d; d = model.GetNextDay()) days.push_back(*d);
  std::stable_sort(days.begin(), days.end(), [](const Day& a, const Day& b) { return a.date < b.date; });
  return days;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string FormatCsv(const std::vector<Day>& days, bool fahrenheit) {
  std::string out = "\xEF\xBB\xBF";
  out += "date,start,end,sex,pill,mood,temperature,unit,note\r\n";
  auto mark = [](bool on) { return on ? "yes" : ""; };
  for (const Day& d : days) {
    std::string temperature, unit;
    if (d.temperature != 0) {
      char text[32];
      std::snprintf(text, sizeof text, "%.2f", TemperatureInUnit(d.temperature, fahrenheit));
      temperature = text;
      unit = fahrenheit ? "\xC2\xB0" "F" : "\xC2\xB0" "C";
    }
    const char* mood = d.goodMood ? "good" : (d.badMood ? "bad" : "");
    out += IsoDate(d.date) + "," + mark(d.menstruationStart) + "," + mark(d.menstruationEnd) + "," + mark(d.sex) + "," +
           mark(d.pill) + "," + mood + "," + temperature + "," + unit + "," +
           CsvField(d.note ? ToUtf8(*d.note) : std::string()) + "\r\n";
  }
  return out;
}

std::vector<CalendarEvent> CalendarEvents(MenstualManager& model, const LocaleManager& locale,
                                          const PackedDate& today) {
  std::vector<CalendarEvent> events;
  const std::vector<Day> days = StoredDays(model);
  auto dayOf = [&days](const PackedDate& d) -> const Day* {
    auto it = std::lower_bound(days.begin(), days.end(), d, [](const Day& a, const PackedDate& b) { return a.date < b; });
    return it != days.end() && it->date == d ? &*it : nullptr;
  };
  for (const Day& start : days) {
    if (!start.menstruationStart) continue;
    int length = 4;  // days after the start that count as flow without an end mark
    for (int i = 1; i <= 6; ++i) {
      if (const Day* d = dayOf(AddDays(start.date, i)); d && d->menstruationEnd) {
        length = i;
        break;
      }
    }
    CalendarEvent e{CalendarEvent::Kind::kPeriod, start.date, AddDays(start.date, length),
                    locale.Translate(u"ICS_PERIOD"), {}};
    for (int i = 0; i <= length; ++i) {
      if (const Day* d = dayOf(AddDays(start.date, i)); d && d->note && !d->note->empty()) {
        if (!e.details.empty()) e.details += u"\n";
        e.details += FormatDateU16(d->date) + u": " + *d->note;
      }
    }
    events.push_back(std::move(e));
  }

  const PackedDate end = YearLater(today);
  const int span = DaysBetween(today, end);
  const auto isPrognosis = [](int c) { return c == PrognosisSecondDay || c == Prognosis; };
  for (int i = 0; i < span; ++i) {
    PackedDate d = AddDays(today, i);
    const int c = model.GetDayClass(d);
    if (c == Ovulation) {
      events.push_back({CalendarEvent::Kind::kOvulation, d, d, locale.Translate(u"ICS_OVULATION"), {}});
      continue;
    }
    // A predicted period under way today is shown from its first day.
    if (i == 0 && isPrognosis(c)) {
      while (isPrognosis(model.GetDayClass(d))) d = AddDays(d, -1);
      if (model.GetDayClass(d) != PrognosisFirstDay) continue;
    } else if (c != PrognosisFirstDay) {
      continue;
    }
    PackedDate last = d;
    while (isPrognosis(model.GetDayClass(AddDays(last, 1)))) last = AddDays(last, 1);
    events.push_back({CalendarEvent::Kind::kPredictedPeriod, d, last, locale.Translate(u"ICS_PREDICTED_PERIOD"), {}});
    i = std::max(i, DaysBetween(today, last));
  }
  return events;
}

std::string EscapeCalendarText(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ';': out += "\\;"; break;
      case ',': out += "\\,"; break;
      case '\r':
        if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      default:
        // Other control characters are not allowed in a TEXT value.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') break;
        if (c == 0x7F) break;
        out += c;
    }
  }
  return out;
}

std::string FoldCalendarLine(std::string_view line) {
  constexpr size_t kMaxOctets = 75;
  std::string out;
  size_t room = kMaxOctets;
  while (line.size() > room) {
    size_t cut = room;
    // Never between the bytes of one character: back up to its lead byte.
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    if (cut == 0) cut = room;  // not UTF-8 at all: cut where the octets end
    out.append(line.substr(0, cut));
    out += "\r\n ";
    line.remove_prefix(cut);
    room = kMaxOctets - 1;  // the blank takes one octet
  }
  out.append(line);
  out += "\r\n";
  return out;
}

std::string FormatCalendar(const std::vector<CalendarEvent>& events, uint16_t owner, int64_t nowUtc) {
  std::string out;
  AddLine(out, "BEGIN:VCALENDAR");
  AddLine(out, "VERSION:2.0");
  AddLine(out, "PRODID:-//Quillow//Tamarel//EN");
  AddLine(out, "CALSCALE:GREGORIAN");
  AddLine(out, "METHOD:PUBLISH");
  const int64_t days = nowUtc >= 0 ? nowUtc / 86400 : (nowUtc - 86399) / 86400;
  const int64_t seconds = nowUtc - days * 86400;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%sT%02d%02d%02dZ", CompactDate(CivilFromDays(days)).c_str(),
                static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  for (const CalendarEvent& e : events) {
    AddLine(out, "BEGIN:VEVENT");
    AddLine(out, std::string("UID:") + KindName(e.kind) + "-" + CompactDate(e.first) + "-" + std::to_string(owner) +
                     "@tamarel");
    AddLine(out, std::string("DTSTAMP:") + stamp);
    AddLine(out, "DTSTART;VALUE=DATE:" + CompactDate(e.first));
    AddLine(out, "DTEND;VALUE=DATE:" + CompactDate(AddDays(e.last, 1)));
    AddLine(out, "SUMMARY:" + EscapeCalendarText(ToUtf8(e.summary)));
    AddLine(out, "CATEGORIES:" + EscapeCalendarText(Category(e.kind)));
    if (!e.details.empty()) AddLine(out, "DESCRIPTION:" + EscapeCalendarText(ToUtf8(e.details)));
    AddLine(out, "TRANSP:TRANSPARENT");
    AddLine(out, "END:VEVENT");
  }
  AddLine(out, "END:VCALENDAR");
  return out;
}
