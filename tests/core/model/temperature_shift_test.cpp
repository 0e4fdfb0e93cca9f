#include "model/temperature_shift.h"

#include "model/cycle_shifts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr PackedDate kFirst(1, 3, 2026);
PackedDate CycleDay(int n) { return AddDays(kFirst, n - 1); }

// One string per cycle day from the 1st: a stored value, "" for no reading,
// a trailing "d" for a disturbed day.
std::vector<TemperatureReading> Readings(const std::vector<std::string> &days) {
  std::vector<TemperatureReading> out;
  for (size_t i = 0; i < days.size(); ++i) {
    std::string text = days[i];
    if (text.empty())
      continue;
    const bool disturbed = text.back() == 'd';
    if (disturbed)
      text.pop_back();
    out.push_back(
        {CycleDay(static_cast<int>(i) + 1), std::stod(text), disturbed});
  }
  return out;
}

// '.' no role (or no reading), 'L' low, 'H' high, 'D' disturbed; one per cycle
// day.
std::string Roles(const TemperatureShift &shift, int days) {
  std::string roles(static_cast<size_t>(days), '.');
  for (const RoledReading &r : shift.readings) {
    const char c = r.role == ReadingRole::kLow         ? 'L'
                   : r.role == ReadingRole::kHigh      ? 'H'
                   : r.role == ReadingRole::kDisturbed ? 'D'
                                                       : '.';
    roles[static_cast<size_t>(DaysBetween(kFirst, r.date))] = c;
  }
  return roles;
}

struct Case {
  const char *name;
  std::vector<std::string> days;
  ShiftState state;
  int firstHigh;   // cycle day of h, 0 for none
  int confirmedOn; // cycle day, 0 for none
  int cover;       // hundredths, 0 for none
  const char *roles;
  bool open = false;
  int lastDay = 0; // 0: the last day given
};

const std::vector<std::string> kLows = {"36.30", "36.35", "36.40", "36.45",
                                        "36.35", "36.30"}; // cover 36.45

std::vector<std::string> Cycle(std::vector<std::string> first4,
                               std::vector<std::string> lows,
                               std::vector<std::string> after) {
  std::vector<std::string> days = std::move(first4);
  days.insert(days.end(), lows.begin(), lows.end());
  days.insert(days.end(), after.begin(), after.end());
  return days;
}
const std::vector<std::string> kFirst4 = {"36.70", "36.60", "36.50", "36.50"};

TEST(TemperatureShift, ThreeOverSixTable) {
  const Case cases[] = {
      // 36.45 + 0.20 is exactly 36.65: the third high is enough.
      {"clean shift",
       Cycle(kFirst4, kLows, {"36.60", "36.62", "36.65", "36.70"}),
       ShiftState::kConfirmed, 11, 13, 3645, "....LLLLLLHHH."},
      {"third only 0.1 above, a fourth confirms",
       Cycle(kFirst4, kLows, {"36.60", "36.62", "36.55", "36.50"}),
       ShiftState::kConfirmed, 11, 14, 3645, "....LLLLLLHHHH"},
      {"third 0.19 above, a fourth at the line does not confirm",
       Cycle(kFirst4, kLows, {"36.60", "36.62", "36.64", "36.45"}),
       ShiftState::kNone, 0, 0, 0, ".............."},
      {"third only 0.1 above, no fourth in a past cycle",
       Cycle(kFirst4, kLows, {"36.60", "36.62", "36.55", ""}),
       ShiftState::kNone, 0, 0, 0, ".............."},
      {"third only 0.1 above, the fourth not yet taken today",
       Cycle(kFirst4, kLows, {"36.60", "36.62", "36.55", ""}),
       ShiftState::kRising, 11, 0, 3645, "....LLLLLLHHH.", true},
      {"first high yesterday in the current cycle",
       Cycle(kFirst4, kLows, {"36.60", "36.62"}), ShiftState::kRising, 11, 0,
       3645, "....LLLLLLHH.", true, 13},
      {"fever on a disturbed day among the lows is skipped",
       Cycle(kFirst4,
             {"36.30", "36.35", "38.50d", "36.40", "36.45", "36.35", "36.30"},
             {"36.60", "36.62", "36.70"}),
       ShiftState::kConfirmed, 12, 14, 3645, "....LLDLLLLHHH"},
      {"the same fever unmarked spoils the lows",
       Cycle(kFirst4,
             {"36.30", "36.35", "38.50", "36.40", "36.45", "36.35", "36.30"},
             {"36.60", "36.62", "36.70"}),
       ShiftState::kNone, 0, 0, 0, ".............."},
      {"fever on a disturbed day among the highs is not confirmed",
       Cycle(kFirst4, kLows, {"36.60", "38.50d", "36.70"}), ShiftState::kNone,
       0, 0, 0, "...........D."},
      {"a gap among the lows is skipped",
       Cycle(kFirst4,
             {"36.30", "36.35", "", "36.40", "36.45", "36.35", "36.30"},
             {"36.60", "36.62", "36.70"}),
       ShiftState::kConfirmed, 12, 14, 3645, "....LL.LLLLHHH"},
      {"a gap among the highs is not confirmed",
       Cycle(kFirst4, kLows, {"36.60", "", "36.70", "36.75"}),
       ShiftState::kNone, 0, 0, 0, ".............."},
      // 97.3 F = 36.28, 97.5 F = 36.39, 97.7 F = 36.50, 97.8 F = 36.56, 98.0 F
      // = 36.67.
      {"Fahrenheit",
       Cycle({"97.9", "97.8", "97.7", "97.7"},
             {"97.3", "97.5", "97.3", "97.5", "97.3", "97.5"},
             {"97.7", "97.8", "98.0"}),
       ShiftState::kConfirmed, 11, 13, 3639, "....LLLLLLHHH"},
      // 97.97 F is 36.65 C: exactly 0.2 above 36.45.
      {"mixed units", Cycle(kFirst4, kLows, {"97.9", "98.0", "97.97"}),
       ShiftState::kConfirmed, 11, 13, 3645, "....LLLLLLHHH"},
      {"fewer than six lows",
       Cycle(kFirst4, {"36.30", "36.35", "36.40", "36.45", "36.35"},
             {"36.60", "36.62", "36.70"}),
       ShiftState::kNone, 0, 0, 0, "............"},
      {"a shift in the first four days is not counted",
       {"36.20", "36.20", "36.20", "36.20", "36.20", "36.20", "36.70", "36.75",
        "36.80"},
       ShiftState::kNone,
       0,
       0,
       0,
       "........."},
      // The first candidate falls back under the line on its third day; the
      // next one takes six lows that hold the failed high.
      {"two candidates, the first fails",
       Cycle(kFirst4, kLows,
             {"36.60", "36.50", "36.40", "36.70", "36.75", "36.85"}),
       ShiftState::kConfirmed, 14, 16, 3660, ".......LLLLLLHHH"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const int lastDay = c.lastDay ? c.lastDay : static_cast<int>(c.days.size());
    const std::vector<TemperatureReading> readings = Readings(c.days);
    const TemperatureShift shift =
        FindTemperatureShift({kFirst, CycleDay(lastDay), c.open}, readings);
    EXPECT_EQ(shift.state, c.state);
    EXPECT_EQ(shift.firstHigh,
              c.firstHigh ? CycleDay(c.firstHigh) : PackedDate());
    EXPECT_EQ(shift.confirmedOn,
              c.confirmedOn ? CycleDay(c.confirmedOn) : PackedDate());
    EXPECT_EQ(shift.ovulation,
              c.confirmedOn ? CycleDay(c.firstHigh - 1) : PackedDate());
    EXPECT_EQ(shift.coverLine, c.cover);
    EXPECT_EQ(Roles(shift, lastDay), c.roles);
    EXPECT_EQ(shift.lows.size(), c.state == ShiftState::kNone ? 0u : 6u);
  }
}

TEST(TemperatureShift, ReadingsAreHundredthsOfADegreeCelsius) {
  EXPECT_EQ(CelsiusHundredths(0), 0);
  EXPECT_EQ(CelsiusHundredths(36.45), 3645);
  EXPECT_EQ(CelsiusHundredths(36.449), 3645);
  EXPECT_EQ(CelsiusHundredths(49.99), 4999);
  EXPECT_EQ(CelsiusHundredths(50), 1000); // 50 F
  EXPECT_EQ(CelsiusHundredths(98.6), 3700);
  EXPECT_EQ(CelsiusHundredths(97.97), 3665);
  EXPECT_EQ(CelsiusHundredths(1e300),
            10000000); // a damaged record stays a number
  EXPECT_EQ(CelsiusHundredths(std::nan("")), 0);
}

TEST(TemperatureShift, ReadingsOutsideTheCycleAndRepeatedDatesAreLeftOut) {
  std::vector<TemperatureReading> readings =
      Readings(Cycle(kFirst4, kLows, {"36.60", "36.62", "36.70"}));
  // The previous cycle's high end and the next cycle's first day do not count.
  readings.push_back({AddDays(kFirst, -1), 37.0, false});
  readings.push_back({CycleDay(14), 36.0, false});
  // A second record of a date (a damaged file) after the first one read is
  // ignored.
  readings.push_back({CycleDay(12), 36.0, false});
  const TemperatureShift shift =
      FindTemperatureShift({kFirst, CycleDay(13), false}, readings);
  EXPECT_TRUE(shift.Confirmed());
  EXPECT_EQ(shift.readings.size(), 13u);
  EXPECT_EQ(shift.readings[11].hundredths, 3662);
  // An empty or reversed cycle has nothing.
  EXPECT_EQ(FindTemperatureShift({CycleDay(5), CycleDay(4), false}, readings)
                .readings.size(),
            0u);
}

} // namespace

namespace {

Day Reading(PackedDate d, double t, bool disturbed = false) {
  Day day(d, false, false, false, false, false, false, t);
  day.disturbed = disturbed;
  return day;
}

TEST(CycleShifts, EachCycleRunsToTheDayBeforeTheNextStartAndTheLastToToday) {
  // A shift in the first cycle; in the second a high day that today has not
  // confirmed yet.
  std::vector<Day> days;
  const std::vector<std::string> first =
      Cycle(kFirst4, kLows, {"36.60", "36.62", "36.70"});
  for (const TemperatureReading &r : Readings(first))
    days.push_back(Reading(r.date, r.stored, r.disturbed));
  const PackedDate second(29, 3, 2026);
  for (int i = 0; i < 11; ++i)
    days.push_back(Reading(AddDays(second, i), i < 10 ? 36.3 : 36.7));
  const PackedDate today = AddDays(second, 11);
  const std::vector<PackedDate> starts = {
      kFirst, second, PackedDate(1, 5, 2026)}; // the last after today

  const std::vector<CycleShift> cycles = CycleShifts(days, starts, today);
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(cycles[0].cycle.first, kFirst);
  EXPECT_EQ(cycles[0].cycle.last, PackedDate(28, 3, 2026));
  EXPECT_FALSE(cycles[0].cycle.open);
  EXPECT_TRUE(cycles[0].shift.Confirmed());
  EXPECT_EQ(cycles[0].shift.ovulation, CycleDay(10));
  EXPECT_EQ(cycles[1].cycle.first, second);
  EXPECT_EQ(cycles[1].cycle.last, today);
  EXPECT_TRUE(cycles[1].cycle.open);
  EXPECT_EQ(cycles[1].shift.state, ShiftState::kRising);
  EXPECT_EQ(cycles[1].shift.firstHigh, AddDays(second, 10));
  // The second cycle's readings never count in the first.
  EXPECT_EQ(cycles[0].shift.readings.size(), first.size());

  EXPECT_EQ(CycleShiftOn(cycles, PackedDate(28, 3, 2026))->cycle.first, kFirst);
  EXPECT_EQ(CycleShiftOn(cycles, today)->cycle.first, second);
  EXPECT_FALSE(CycleShiftOn(cycles, AddDays(today, 1)));
  EXPECT_FALSE(CycleShiftOn(cycles, AddDays(kFirst, -1)));
  EXPECT_TRUE(CycleShifts(days, {}, today).empty());
}

} // namespace

namespace {

TEST(CycleShifts, TheFieldsOfACycleTableAreEmptyUnlessConfirmed) {
  EXPECT_EQ(FormatHundredths(3645), "36.45");
  EXPECT_EQ(FormatHundredths(3700), "37.00");
  EXPECT_EQ(FormatHundredths(3605), "36.05");
  EXPECT_EQ(FormatHundredths(-5), "-0.05");
  CycleShift c;
  c.cycle = {kFirst, CycleDay(28), false};
  EXPECT_EQ(ShiftFieldsOf(nullptr), ShiftFields{});
  EXPECT_EQ(ShiftFieldsOf(&c), ShiftFields{});
  c.shift.state = ShiftState::kRising;
  c.shift.coverLine = 3645;
  EXPECT_EQ(ShiftFieldsOf(&c), ShiftFields{});
  c.shift.state = ShiftState::kConfirmed;
  c.shift.ovulation = CycleDay(10);
  EXPECT_EQ(ShiftFieldsOf(&c), (ShiftFields{"10.03.2026", "36.45"}));
  const std::vector<CycleShift> cycles = {c};
  EXPECT_EQ(CycleStartingOn(cycles, kFirst), &cycles[0]);
  EXPECT_EQ(CycleStartingOn(cycles, CycleDay(2)), nullptr);
}

} // namespace
