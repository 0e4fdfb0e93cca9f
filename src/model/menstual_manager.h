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

// The single entry point to the current user's cycle data: cycle lengths,
// statistics, predictions, the marking rules, day classes and tips, and the
// per-date caches that make painting cheap.
class MenstualManager {
 public:
  MenstualManager(std::unique_ptr<DatabaseManager> db, const OptionsManager& options, const LocaleManager& locale,
                  const IClock& clock);
  virtual ~MenstualManager();
  MenstualManager(const MenstualManager&) = delete;
  MenstualManager& operator=(const MenstualManager&) = delete;


  // <appData>\Zenthal\Tamarel\db.dat, creating the two folders when missing.
  static std::filesystem::path PrepareDataPath(const std::filesystem::path& appDataFolder);

  [[nodiscard]] DatabaseManager& Database() { return *db_; }
  // Works on another day database from now on (a restore closes db.dat and
  // opens it again); the caches are emptied.
  void ReplaceDatabase(std::unique_ptr<DatabaseManager> db);

  [[nodiscard]] int GetPeriodLength();
  [[nodiscard]] int GetLutealLength() const;
  [[nodiscard]] int GetAveragePeriod();
  [[nodiscard]] int GetMinPeriod();
  [[nodiscard]] int GetMaxPeriod();
  [[nodiscard]] int GetPeriodCount();

  [[nodiscard]] PackedDate GetCycleStart(const PackedDate& d);
  // Whether the day menu offers marking d as a first / last day.
  [[nodiscard]] bool CanSetStart(const PackedDate& d);
  [[nodiscard]] bool CanSetEnd(const PackedDate& d);
  // Mark d, the rules checked once: kRefused when they do not allow it.
  SaveResult SetStart(const PackedDate& d);
  SaveResult SetEnd(const PackedDate& d);
  // Stores (or, for an empty day, removes) the record.
  SaveResult StoreDay(const Day& day);
  // The cached record of d, or nullptr; the cache owns it until the next change.
  const Day* GetCachedDay(const PackedDate& d);
  // Forgets every cached answer (after a change of the cycle settings). A
  // saved day or another current user is noticed without it.
  void Reload();

  [[nodiscard]] int ClassifyDay(const PackedDate& d);
  [[nodiscard]] int GetDayClass(const PackedDate& d);
  [[nodiscard]] std::u16string GetTip(const PackedDate& d, int dayClass = -1);
  // The translation key of the tip for a class and goal.
  [[nodiscard]] static const char16_t* TipKey(int dayClass, int goal);

  // Pass-throughs to the day database.
  std::unique_ptr<Day> GetDay(const PackedDate& d) { return db_->GetDay(d); }
  std::unique_ptr<Day> GetLastStart() { return db_->GetLastStart(); }
  std::unique_ptr<Day> GetLastEnd() { return db_->GetLastEnd(); }
  std::vector<PackedDate> GetStartList() { return db_->GetStartList(); }
  std::unique_ptr<Day> GetFirstDay() { return db_->GetFirstDay(); }
  std::unique_ptr<Day> GetNextDay() { return db_->GetNextDay(); }

  [[nodiscard]] const IClock& Clock() const { return clock_; }

  // The zodiac of a date: its sign (0 Aries .. 11 Pisces), the sign's name
  // in the current language and its icon resource.
  [[nodiscard]] int GetZodiacIndex(const PackedDate& d) const;
  [[nodiscard]] std::u16string GetZodiacName(const PackedDate& d) const;
  [[nodiscard]] int GetZodiacIcon(const PackedDate& d) const;

 private:
  const CycleStatistics& Statistics();
  // Empties the caches when the file changed or another user's days are shown.
  void FollowDatabase();
  void ClearCaches();

  std::unique_ptr<DatabaseManager> db_;
  const OptionsManager& options_;
  const LocaleManager& locale_;
  const IClock& clock_;
  std::map<int64_t, int> classCache_;
  std::map<int64_t, std::optional<Day>> dayCache_;
  std::optional<CycleStatistics> statistics_;
  uint16_t cachedOwner_ = 0;
  uint64_t cachedGeneration_ = 0;
};
