#include "model/menstual_manager.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "env/locale_manager.h"
#include "model/zodiac.h"
#include "settings/options_manager.h"

MenstualManager::MenstualManager(std::unique_ptr<DatabaseManager> db,
                                 const OptionsManager &options,
                                 const LocaleManager &locale,
                                 const IClock &clock)
    : db_(std::move(db)), options_(options), locale_(locale), clock_(clock) {}

MenstualManager::~MenstualManager() { ClearCaches(); }

std::filesystem::path
MenstualManager::PrepareDataPath(const std::filesystem::path &appDataFolder) {
  std::error_code ec;
  const std::filesystem::path folder = appDataFolder / "Zenthal" / "Tamarel";
  std::filesystem::create_directories(
      folder, ec); // folders that exist already are fine
  return folder / "db.dat";
}

// L is 10 to 40 days; a damaged stored periodLen is held to that range so a
// prediction can never divide by zero or walk backwards.
int MenstualManager::GetPeriodLength() {
  const int L =
      options_.autoPeriodCalculation ? GetAveragePeriod() : options_.periodLen;
  return std::clamp(L, OptionsManager::minPeriodLen,
                    OptionsManager::maxPeriodLen);
}

// The luteal phase is 10 to 21 days, however the stored setting was damaged.
int MenstualManager::GetLutealLength() const {
  if (options_.autoPeriodCalculation)
    return 14;
  return std::clamp(options_.luteralLen, OptionsManager::minLuteralLen,
                    OptionsManager::maxLuteralLen);
}

const CycleStatistics &MenstualManager::Statistics() {
  FollowDatabase();
  if (!statistics_)
    statistics_ = ComputeCycleStatistics(db_->GetStartList(),
                                         OptionsManager::minPeriodLen,
                                         OptionsManager::maxPeriodLen);
  return *statistics_;
}

int MenstualManager::GetAveragePeriod() {
  const int average = Statistics().average;
  return average != 0 ? average : options_.periodLen;
}

int MenstualManager::GetMinPeriod() {
  const int shortest = Statistics().shortest;
  return shortest != 0 ? shortest : OptionsManager::minPeriodLen;
}

int MenstualManager::GetMaxPeriod() {
  const int longest = Statistics().longest;
  return longest != 0 ? longest : OptionsManager::maxPeriodLen;
}

int MenstualManager::GetPeriodCount() { return Statistics().count; }

PackedDate MenstualManager::GetCycleStart(const PackedDate &d) {
  const auto last = db_->GetLastStart();
  if (!last || last->date > d)
    return {};
  const PackedDate s = last->date;
  if (d == s)
    return s;
  const int L = GetPeriodLength();
  int k = DaysBetween(s, d);
  k -= k % L;
  return AddDays(s, k);
}

bool MenstualManager::CanSetStart(const PackedDate &d) {
  if (d > clock_.Today())
    return false;
  const PackedDate p = db_->GetStartBefore(d);
  if (!p.IsEmpty() && DaysBetween(p, d) < OptionsManager::minPeriodLen)
    return false;
  const PackedDate q = db_->GetStartAfter(d);
  if (!q.IsEmpty() && DaysBetween(d, q) < OptionsManager::minPeriodLen)
    return false;
  return true;
}

SaveResult MenstualManager::SetStart(const PackedDate &d) {
  if (!CanSetStart(d))
    return SaveResult::kRefused;
  auto day = db_->GetDay(d);
  if (!day)
    day =
        std::make_unique<Day>(d, false, false, false, false, false, false, 0.0);
  day->menstruationStart = true;
  return StoreDay(*day);
}

bool MenstualManager::CanSetEnd(const PackedDate &d) {
  if (d > clock_.Today())
    return false;
  const PackedDate p = db_->GetStartBefore(d);
  if (p.IsEmpty())
    return false;
  const int n = DaysBetween(p, d);
  if (n < 1 || n > 6)
    return false;
  for (int i = 1; i <= 6; ++i) {
    if (const Day *day = GetCachedDay(AddDays(p, i));
        day && day->menstruationEnd)
      return false;
  }
  return true;
}

SaveResult MenstualManager::SetEnd(const PackedDate &d) {
  if (!CanSetEnd(d))
    return SaveResult::kRefused;
  auto day = db_->GetDay(d);
  if (!day)
    day =
        std::make_unique<Day>(d, false, false, false, false, false, false, 0.0);
  day->menstruationEnd = true;
  return StoreDay(*day);
}

SaveResult MenstualManager::StoreDay(const Day &day) {
  ClearCaches();
  return db_->SaveDay(day);
}

const Day *MenstualManager::GetCachedDay(const PackedDate &d) {
  FollowDatabase();
  const int64_t key = d.Key();
  auto it = dayCache_.find(key);
  if (it == dayCache_.end()) {
    auto day = db_->GetDay(d);
    it = dayCache_
             .emplace(key,
                      day ? std::optional<Day>(std::move(*day)) : std::nullopt)
             .first;
  }
  return it->second ? &*it->second : nullptr;
}

void MenstualManager::Reload() { ClearCaches(); }

void MenstualManager::ReplaceDatabase(std::unique_ptr<DatabaseManager> db) {
  if (!db)
    db = std::make_unique<DatabaseManager>(std::unique_ptr<BlockFile>(),
                                           DatabaseManager::OwnerFn());
  db_.reset(); // the old file is closed before the new one is used
  db_ = std::move(db);
  ClearCaches();
  cachedOwner_ = db_->CurrentOwner();
  cachedGeneration_ = db_->Generation();
}

std::unique_ptr<DatabaseManager>
MenstualManager::SwapDatabase(std::unique_ptr<DatabaseManager> db) {
  if (!db)
    db = std::make_unique<DatabaseManager>(std::unique_ptr<BlockFile>(),
                                           DatabaseManager::OwnerFn());
  std::unique_ptr<DatabaseManager> old = std::exchange(db_, std::move(db));
  ClearCaches();
  cachedOwner_ = db_->CurrentOwner();
  cachedGeneration_ = db_->Generation();
  return old;
}

void MenstualManager::FollowDatabase() {
  const uint16_t owner = db_->CurrentOwner();
  const uint64_t generation = db_->Generation();
  if (owner == cachedOwner_ && generation == cachedGeneration_)
    return;
  ClearCaches();
  cachedOwner_ = owner;
  cachedGeneration_ = generation;
}

void MenstualManager::ClearCaches() {
  classCache_.clear();
  dayCache_.clear();
  statistics_.reset();
  recent_.reset();
}

int MenstualManager::GetZodiacIndex(const PackedDate &d) const {
  return ZodiacIndex(d);
}

std::u16string MenstualManager::GetZodiacName(const PackedDate &d) const {
  return locale_.Translate(ZodiacEnglishName(ZodiacIndex(d)));
}

int MenstualManager::GetZodiacIcon(const PackedDate &d) const {
  return ZodiacIconId(ZodiacIndex(d));
}
