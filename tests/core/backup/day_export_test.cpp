#include "backup/day_export.h"

#include <gtest/gtest.h>

#include "env/locale_manager.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/temp_dir.h"
#include "support/dates.h"

namespace {

using testsupport::D;

TEST(Csv, QuotesOnlyFieldsThatNeedItAndDoublesQuotes) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"plain text", "plain text"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"line\nbreak", "\"line\nbreak\""},
      {"cr\ronly", "\"cr\ronly\""},
      {"semi;colon 'single'", "semi;colon 'single'"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(CsvField(in), out) << in;
}

TEST(Csv, HasABomAHeaderAndOneCrLfRowPerDayInHerUnit) {
  const std::vector<Day> days = {
      Day(D(1, 3), true, false, true, false, true, false, 36.6),
      Day(D(2, 3), false, true, false, true, false, true, 98.1, u"Kopfweh, \"stark\"\r\n\u5934\u75db"),
      Day(D(3, 3), false, false, false, false, false, false, 0, u"plain"),
  };
  EXPECT_EQ(FormatCsv(days, false),
            "\xEF\xBB\xBF"
            "date,start,end,sex,pill,mood,temperature,unit,note\r\n"
            "2026-03-01,yes,,yes,,good,36.60,\xC2\xB0" "C,\r\n"
            "2026-03-02,,yes,,yes,bad,36.72,\xC2\xB0" "C,\"Kopfweh, \"\"stark\"\"\r\n\xE5\xA4\xB4\xE7\x97\x9B\"\r\n"
            "2026-03-03,,,,,,,,plain\r\n");
  const std::string fahrenheit = FormatCsv(days, true);
  EXPECT_NE(fahrenheit.find("2026-03-01,yes,,yes,,good,97.88,\xC2\xB0" "F,"), std::string::npos);
  EXPECT_NE(fahrenheit.find("2026-03-02,,yes,,yes,bad,98.10,\xC2\xB0" "F,"), std::string::npos);
}

TEST(ICalendar, EscapesTextValues) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"a,b;c\\d", "a\\,b\\;c\\\\d"},
      {"one\r\ntwo\nthree\rfour", "one\\ntwo\\nthree\\nfour"},
      {"bell\x07gone", "bellgone"},
      {"colon: stays", "colon: stays"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(EscapeCalendarText(in), out) << in;
}

// Every physical line holds at most 75 octets and whole UTF-8 characters, and
// unfolding gives the line back.
void ExpectFoldedWell(const std::string& line) {
  const std::string folded = FoldCalendarLine(line);
  ASSERT_GE(folded.size(), 2u);
  ASSERT_EQ(folded.substr(folded.size() - 2), "\r\n");
  std::string unfolded;
  size_t start = 0;
  bool first = true;
  while (start < folded.size()) {
    const size_t eol = folded.find("\r\n", start);
    ASSERT_NE(eol, std::string::npos);
    std::string physical = folded.substr(start, eol - start);
    EXPECT_LE(physical.size(), 75u);
    if (!first) {
      ASSERT_FALSE(physical.empty());
      ASSERT_EQ(physical[0], ' ');
      physical.erase(0, 1);
    }
    if (!physical.empty()) {
      EXPECT_NE(static_cast<unsigned char>(physical[0]) & 0xC0, 0x80) << "starts inside a character";
      // The last character is whole.
      size_t lead = physical.size() - 1;
      while (lead > 0 && (static_cast<unsigned char>(physical[lead]) & 0xC0) == 0x80) --lead;
      const unsigned char c = static_cast<unsigned char>(physical[lead]);
      const size_t need = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
      EXPECT_EQ(physical.size() - lead, need) << "ends inside a character";
    }
    unfolded += physical;
    first = false;
    start = eol + 2;
  }
  EXPECT_EQ(unfolded, line);
}

TEST(ICalendar, FoldsAt75OctetsNeverInsideACharacter) {
  EXPECT_EQ(FoldCalendarLine(std::string(75, 'a')), std::string(75, 'a') + "\r\n");
  EXPECT_EQ(FoldCalendarLine(std::string(76, 'a')), std::string(75, 'a') + "\r\n a\r\n");
  const std::string pieces[] = {"a", "\xD0\x96", "\xE5\xA4\xB4", "\xF0\x9F\x8C\xB8"};  // 1 to 4 octets
  for (const std::string& piece : pieces) {
    for (size_t lead = 0; lead < 4; ++lead) {
      std::string line = "DESCRIPTION:" + std::string(lead, 'x');
      while (line.size() < 400) line += piece;
      SCOPED_TRACE(piece.size() * 10 + lead);
      ExpectFoldedWell(line);
    }
  }
}

class CalendarExportTest : public ::testing::Test {
 protected:
  CalendarExportTest()
      : options(store, SystemLocaleInfo{}, nullptr, u""),
        locale(dir.path(), codec),
        clock(D(10, 4)),
        manager(std::make_unique<DatabaseManager>(dir / "db.dat", [] { return uint16_t{0}; }), options, locale,
                clock) {
    options.autoPeriodCalculation = false;
    options.periodLen = 28;
    options.luteralLen = 14;
  }
  void Store(Day day) { ASSERT_EQ(manager.StoreDay(day), SaveResult::kDone); }

  testsupport::TempDir dir;
  MemorySettingsStore store;
  OptionsManager options;
  Latin1Codec codec;
  LocaleManager locale;
  FixedClock clock;
  MenstualManager manager;
};

TEST_F(CalendarExportTest, RecordedPeriodsRunToTheirEndMarkOrFourDaysAfterTheStart) {
  Store(Day(D(1, 3), true, false, false, false, false, false, 0));
  Store(Day(D(3, 3), false, false, false, false, false, false, 0, u"cramps; bad"));
  Store(Day(D(5, 3), false, true, false, false, false, false, 0));
  Store(Day(D(29, 3), true, false, false, false, false, false, 0));
  const std::vector<CalendarEvent> events = CalendarEvents(manager, locale, clock.Today());
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[0].kind, CalendarEvent::Kind::kPeriod);
  EXPECT_EQ(events[0].first, D(1, 3));
  EXPECT_EQ(events[0].last, D(5, 3));
  EXPECT_EQ(events[0].summary, u"Menstruation");
  EXPECT_EQ(events[0].details, u"03.03.2026: cramps; bad");
  EXPECT_EQ(events[1].first, D(29, 3));
  EXPECT_EQ(events[1].last, D(2, 4));

  // Then a year of predictions: cycles of 28 days from 29 March, four days
  // of flow each, ovulation 14 days after each start; the calendar classes agree.
  std::vector<PackedDate> periods, ovulations;
  for (size_t i = 2; i < events.size(); ++i) {
    const CalendarEvent& e = events[i];
    EXPECT_GE(e.first, clock.Today());
    EXPECT_LT(e.first, D(10, 4, 2027));
    if (e.kind == CalendarEvent::Kind::kPredictedPeriod) {
      periods.push_back(e.first);
      EXPECT_EQ(DaysBetween(e.first, e.last), 3);
      EXPECT_EQ(manager.GetDayClass(e.first), PrognosisFirstDay);
    } else {
      ASSERT_EQ(e.kind, CalendarEvent::Kind::kOvulation);
      ovulations.push_back(e.first);
      EXPECT_EQ(e.first, e.last);
      EXPECT_EQ(manager.GetDayClass(e.first), Ovulation);
    }
  }
  ASSERT_EQ(periods.size(), 13u);
  for (size_t i = 0; i < periods.size(); ++i) EXPECT_EQ(periods[i], AddDays(D(29, 3), 28 * static_cast<int>(i + 1)));
  ASSERT_FALSE(ovulations.empty());
  EXPECT_EQ(ovulations[0], D(12, 4));  // this cycle's, still ahead
  for (size_t i = 1; i < ovulations.size(); ++i) EXPECT_EQ(DaysBetween(ovulations[i - 1], ovulations[i]), 28);
}

TEST_F(CalendarExportTest, APredictedPeriodUnderWayTodayStartsOnItsFirstDay) {
  Store(Day(D(14, 3), true, false, false, false, false, false, 0));
  clock.Set(D(12, 4));  // the predicted period runs 11 to 14 April
  const std::vector<CalendarEvent> events = CalendarEvents(manager, locale, clock.Today());
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[1].kind, CalendarEvent::Kind::kPredictedPeriod);
  EXPECT_EQ(events[1].first, D(11, 4));
  EXPECT_EQ(events[1].last, D(14, 4));
}

TEST_F(CalendarExportTest, TheFileHasStableUidsExclusiveEndsAndFoldedCrLfLines) {
  Store(Day(D(29, 3), true, false, false, false, false, false, 0));
  const std::vector<CalendarEvent> events = CalendarEvents(manager, locale, clock.Today());
  const std::string a = FormatCalendar(events, 7, 0);
  const std::string b = FormatCalendar(events, 7, 1800000000);
  EXPECT_EQ(a.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:", 0), 0u);
  EXPECT_NE(a.find("UID:period-20260329-7@tamarel\r\nDTSTAMP:19700101T000000Z\r\n"
                   "DTSTART;VALUE=DATE:20260329\r\nDTEND;VALUE=DATE:20260403\r\n"),
            std::string::npos);
  EXPECT_NE(b.find("DTSTAMP:20270115T080000Z\r\n"), std::string::npos);
  EXPECT_NE(a.find("UID:predicted-period-20260426-7@tamarel\r\n"), std::string::npos);
  EXPECT_NE(a.find("CATEGORIES:Predicted menstruation\r\n"), std::string::npos);
  EXPECT_NE(a.find("UID:ovulation-20260412-7@tamarel\r\n"), std::string::npos);
  // Two exports differ only in their time stamps.
  auto withoutStamps = [](std::string text) {
    for (size_t at; (at = text.find("DTSTAMP:")) != std::string::npos;) text.erase(at, text.find("\r\n", at) + 2 - at);
    return text;
  };
  EXPECT_EQ(withoutStamps(a), withoutStamps(b));
  // Every line ends in CR LF; no bare LF.
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] == '\n') ASSERT_TRUE(i > 0 && a[i - 1] == '\r') << i;
  EXPECT_EQ(a.substr(a.size() - 15), "END:VCALENDAR\r\n");
}

}  // namespace
