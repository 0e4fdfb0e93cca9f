#include "model/menstual_manager.h"

#include <algorithm>
#include <system_error>

#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "model/zodiac.h"

MenstualManager::MenstualManager(std::unique_ptr<DatabaseManager> db, const OptionsManager& options,
                                 const LocaleManager& locale, const IClock& clock)
    : db_(std::move(db)), options_(options), locale_(locale), clock_(clock) {}

MenstualManager::~MenstualManager() { ClearCaches(); }

std::filesystem::path MenstualManager::PrepareDataPath(const std::filesystem::path& appDataFolder) {
  std::error_code ec;
  const std::filesystem::path folder = appDataFolder / "Zenthal" / "Tamarel";
  std::filesystem::create_directories(folder, ec);  // folders that exist already are fine
  return folder / "db.dat";
}

// L is 10 to 40 days; a damaged stored periodLen is held to that range so a
// prediction can never divide by zero or walk backwards.
int MenstualManager::GetPeriodLength() {
  const int L = options_.autoPeriodCalculation ? GetAveragePeriod() : options_.periodLen;
  return std::clamp(L, OptionsManager::minPeriodLen, OptionsManager::maxPeriodLen);
}

int MenstualManager::GetLutealLength() const { return options_.autoPeriodCalculation ? 14 : options_.luteralLen; }

// Cycle statistics over the recorded starts: pairs of starts 10 to 40 days
// apart are cycles; other pairs are skipped but still end and begin cycles.
void MenstualManager::ComputeStatistics() {
  DatabaseManager& db = *db_;
  const std::vector<PackedDate> starts = db.GetStartList();
  db.statCount = 0;
  if (starts.empty()) return;
  int shortest = 0, longest = 0, counted = 0;
  int64_t sum = 0;
  for (size_t i = 0; i < starts.size(); ++i) {
    ++db.statCount;
    if (i == 0) continue;
    const int n = DaysBetween(starts[i - 1], starts[i]);
    if (n < OptionsManager::minPeriodLen || n > OptionsManager::maxPeriodLen) continue;
    if (shortest == 0 || n < shortest) shortest = n;
    if (longest == 0 || n > longest) longest = n;
    sum += n;
    ++counted;
  }
  if (counted > 0) {
    db.statAverage = static_cast<int>(sum / counted);
    db.statMin = shortest;
    db.statMax = longest;
    db.statCount = counted;
  }
}

int MenstualManager::GetAveragePeriod() {
  if (db_->statAverage != 0) return db_->statAverage;
  ComputeStatistics();
  return db_->statAverage != 0 ? db_->statAverage : options_.periodLen;
}

int MenstualManager::GetMinPeriod() {
  if (db_->statMin == 0) ComputeStatistics();
  return db_->statMin != 0 ? db_->statMin : OptionsManager::minPeriodLen;
}

int MenstualManager::GetMaxPeriod() {
  if (db_->statMax == 0) ComputeStatistics();
  return db_->statMax != 0 ? db_->statMax : OptionsManager::maxPeriodLen;
}

int MenstualManager::GetPeriodCount() {
  if (db_->statCount == 0) ComputeStatistics();
  return db_->statCount;
}

PackedDate MenstualManager::GetCycleStart(const PackedDate& d) {
  const auto last = db_->GetLastStart();
  if (!last || last->date > d) return {};
  const PackedDate s = last->date;
  if (d == s) return s;
  const int L = GetPeriodLength();
  int k = DaysBetween(s, d);
  k -= k % L;
  return AddDays(s, k);
}

bool MenstualManager::CanSetStart(const PackedDate& d) {
  if (d > clock_.Today()) return false;
  const PackedDate p = db_->GetStartBefore(d);
  if (!p.IsEmpty() && DaysBetween(p, d) < OptionsManager::minPeriodLen) return false;
  const PackedDate q = db_->GetStartAfter(d);
  if (!q.IsEmpty() && DaysBetween(d, q) < OptionsManager::minPeriodLen) return false;
  return true;
}

bool MenstualManager::SetStart(const PackedDate& d) {
  if (db_->GetLastStart()) {
    const PackedDate p = db_->GetStartBefore(d);
    if (!p.IsEmpty() && DaysBetween(p, d) < OptionsManager::minPeriodLen) return false;
    const PackedDate q = db_->GetStartAfter(d);
    if (!q.IsEmpty() && DaysBetween(d, q) < OptionsManager::minPeriodLen) return false;
  }
  auto day = db_->GetDay(d);
  if (!day) day = std::make_unique<Day>(d, false, false, false, false, false, false, 0.0);
  day->menstruationStart = true;
  return StoreDay(*day) == 0;
}

bool MenstualManager::CanSetEnd(const PackedDate& d) {
  if (d > clock_.Today()) return false;
  const PackedDate p = db_->GetStartBefore(d);
  if (p.IsEmpty()) return false;
  const int n = DaysBetween(p, d);
  if (n < 1 || n > 6) return false;
  for (int i = 1; i <= 6; ++i) {
    if (const Day* day = GetCachedDay(AddDays(p, i)); day && day->menstruationEnd) return false;
  }
  return true;
}

bool MenstualManager::SetEnd(const PackedDate& d) {
  if (!CanSetEnd(d)) return false;
  auto day = db_->GetDay(d);
  if (!day) day = std::make_unique<Day>(d, false, false, false, false, false, false, 0.0);
  day->menstruationEnd = true;
  return StoreDay(*day) == 0;
}

int MenstualManager::StoreDay(const Day& day) {
  ClearCaches();
  return db_->SaveDay(day);
}

const Day* MenstualManager::GetCachedDay(const PackedDate& d) {
  const int64_t key = d.Key();
  auto it = dayCache_.find(key);
  if (it == dayCache_.end()) {
    auto day = db_->GetDay(d);
    it = dayCache_.emplace(key, day ? std::optional<Day>(std::move(*day)) : std::nullopt).first;
  }
  return it->second ? &*it->second : nullptr;
}

void MenstualManager::Reload() {
  db_->ResetStatistics();
  ClearCaches();
}

void MenstualManager::ClearCaches() {
  classCache_.clear();
  dayCache_.clear();
}

int MenstualManager::GetZodiacIndex(const PackedDate& d) const { return ZodiacIndex(d); }

std::u16string MenstualManager::GetZodiacName(const PackedDate& d) const {
  return locale_.Translate(ZodiacEnglishName(ZodiacIndex(d)));
}

int MenstualManager::GetZodiacIcon(const PackedDate& d) const { return ZodiacIconId(ZodiacIndex(d)); }
