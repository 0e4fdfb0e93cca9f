#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "env/platform.h"
#include "model/cycle_statistics.h"
#include "model/database_manager.h"
#include "model/day.h"
#include "model/day_class.h"

class OptionsManager;
class LocaleManager;

// Whether her recorded days say anything about a date: a recorded start on
// or before it, or a rule that counts back from a later start, reaches it.
enum class DayStanding {
  kCounted,
  kNoPeriod,          // no start recorded at all
  kBeforeFirstPeriod, // before her first recorded start, out of reach of its
                      // rules
};

// Where her next period may begin when her cycles vary: the last recorded
// start plus the shortest and plus the longest of her last six counted cycles.
struct StartRange {
  PackedDate earliest;
  PackedDate latest;
  friend bool operator==(const StartRange &, const StartRange &) = default;
};

// The single entry point to the current user's cycle data: cycle lengths,
// statistics, predictions, the marking rules, day classes and tips, and the
// per-date caches that make painting cheap.
class MenstualManager {
public:
  MenstualManager(std::unique_ptr<DatabaseManager> db,
                  const OptionsManager &options, const LocaleManager &locale,
                  const IClock &clock);
  virtual ~MenstualManager();
  MenstualManager(const MenstualManager &) = delete;
  MenstualManager &operator=(const MenstualManager &) = delete;

  // <appData>\Zenthal\Tamarel\db.dat, creating the two folders when missing.
  static std::filesystem::path
  PrepareDataPath(const std::filesystem::path &appDataFolder);

  [[nodiscard]] DatabaseManager &Database() { return *db_; }
  // Works on another day database from now on (a restore closes db.dat and
  // opens it again); the caches are emptied.
  void ReplaceDatabase(std::unique_ptr<DatabaseManager> db);
  // Works on another day database and hands back the one it worked on, still
  // open (db.dat set aside while her encrypted calendar is in use).
  [[nodiscard]] std::unique_ptr<DatabaseManager>
  SwapDatabase(std::unique_ptr<DatabaseManager> db);

  [[nodiscard]] int GetPeriodLength();
  [[nodiscard]] int GetLutealLength() const;
  [[nodiscard]] int GetAveragePeriod();
  [[nodiscard]] int GetMinPeriod();
  [[nodiscard]] int GetMaxPeriod();
  [[nodiscard]] int GetPeriodCount();

  [[nodiscard]] PackedDate GetCycleStart(const PackedDate &d);
  // Whether the day menu offers marking d as a first / last day.
  [[nodiscard]] bool CanSetStart(const PackedDate &d);
  [[nodiscard]] bool CanSetEnd(const PackedDate &d);
  // Mark d, the rules checked once: kRefused when they do not allow it.
  SaveResult SetStart(const PackedDate &d);
  SaveResult SetEnd(const PackedDate &d);
  // Stores (or, for an empty day, removes) the record.
  SaveResult StoreDay(const Day &day);
  // The cached record of d, or nullptr; the cache owns it until the next
  // change.
  const Day *GetCachedDay(const PackedDate &d);
  // Forgets every cached answer (after a change of the cycle settings). A
  // saved day or another current user is noticed without it.
  void Reload();

  [[nodiscard]] int ClassifyDay(const PackedDate &d);
  [[nodiscard]] int GetDayClass(const PackedDate &d);
  // The day tip, translated; empty where her days say nothing of d and where
  // a late period stands in for a "not fertile" tip (DayLabel says it).
  [[nodiscard]] std::u16string GetTip(const PackedDate &d, int dayClass = -1);
  // The translation key of the tip for a class and goal; `today` picks the
  // wording that speaks of today, otherwise of "this day".
  [[nodiscard]] static const char16_t *TipKey(int dayClass, int goal,
                                              bool today = true);
  // What a day is called: the class label (named as the legend names it
  // under the goal), or what stands in for it: "No period marked yet",
  // "Before your first recorded period", "Your period is N days late".
  [[nodiscard]] std::u16string DayLabel(const PackedDate &d, int dayClass = -1);

  // What her days say about d.
  [[nodiscard]] DayStanding Standing(const PackedDate &d);
  // The first day of the cycle that follows her last recorded start (that
  // start plus L); empty without a start.
  [[nodiscard]] PackedDate ExpectedStart();
  // How many days today lies after ExpectedStart, from the day after it on
  // until she marks a start; 0 when her period is not late.
  [[nodiscard]] int DaysLate();
  // A late period answers for d instead of a "not fertile" class: she is
  // late, d is on or after the expected start, and its class is predicted
  // flow, low fertility or non-fertile.
  [[nodiscard]] bool LateAnswers(const PackedDate &d, int dayClass);
  // Pairs of starts 10 to 40 days apart: what an automatic prediction stands
  // on.
  [[nodiscard]] int CountedCycles();
  // Shortest and longest of her last six counted cycles.
  [[nodiscard]] RecentCycles Recent();
  // With at least three counted cycles whose shortest and longest of the last
  // six differ by 3 days or more: where the next period may begin.
  [[nodiscard]] std::optional<StartRange> NextStartRange();
  // The ovulation of the cycle that begins at cycleStart (a recorded start or
  // a predicted one): the one day of that cycle the calendar paints as
  // ovulation, or none when the rules paint none (a cycle too short).
  [[nodiscard]] std::optional<PackedDate>
  OvulationOfCycle(const PackedDate &cycleStart);

  // Pass-throughs to the day database.
  std::unique_ptr<Day> GetDay(const PackedDate &d) { return db_->GetDay(d); }
  std::unique_ptr<Day> GetLastStart() { return db_->GetLastStart(); }
  std::unique_ptr<Day> GetLastEnd() { return db_->GetLastEnd(); }
  std::vector<PackedDate> GetStartList() { return db_->GetStartList(); }
  std::unique_ptr<Day> GetFirstDay() { return db_->GetFirstDay(); }
  std::unique_ptr<Day> GetNextDay() { return db_->GetNextDay(); }

  [[nodiscard]] const IClock &Clock() const { return clock_; }
  [[nodiscard]] const LocaleManager &Locale() const { return locale_; }
  [[nodiscard]] const OptionsManager &Options() const { return options_; }

  // The zodiac of a date: its sign (0 Aries .. 11 Pisces), the sign's name
  // in the current language and its icon resource.
  [[nodiscard]] int GetZodiacIndex(const PackedDate &d) const;
  [[nodiscard]] std::u16string GetZodiacName(const PackedDate &d) const;
  [[nodiscard]] int GetZodiacIcon(const PackedDate &d) const;

private:
  const CycleStatistics &Statistics();
  // The class by the rules alone, before the cautious window widens it.
  int ClassifyByRules(const PackedDate &d);
  // The cautious window: low and non-fertile days of the current and the
  // predicted cycles that fall between cycle day (shortest - 18) and cycle
  // day (longest - 11) of her last six counted cycles are fertile.
  int Widened(const PackedDate &d, int dayClass);
  [[nodiscard]] bool CautiousWindowOn() const;
  // Empties the caches when the file changed or another user's days are shown.
  void FollowDatabase();
  void ClearCaches();

  std::unique_ptr<DatabaseManager> db_;
  const OptionsManager &options_;
  const LocaleManager &locale_;
  const IClock &clock_;
  std::map<int64_t, int> classCache_;
  std::map<int64_t, std::optional<Day>> dayCache_;
  std::optional<CycleStatistics> statistics_;
  std::optional<RecentCycles> recent_;
  bool classesCautious_ =
      false; // the cached classes were made with the cautious window
  uint16_t cachedOwner_ = 0;
  uint64_t cachedGeneration_ = 0;
};
