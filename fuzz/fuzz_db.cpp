// Feeds arbitrary bytes to the day database as its db.dat: opening, reading
// every day, the start queries, the classes of a month, the temperature
// shifts and a save must never crash or read outside the file.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "env/locale_manager.h"
#include "model/cycle_shifts.h"
#include "model/memory_block_file.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"

int TamarelFuzzDb(const uint8_t* data, size_t size) {
  static MemorySettingsStore store;
  static OptionsManager options(store, SystemLocaleInfo{}, nullptr, u"");
  static Latin1Codec codec;
  static LocaleManager locale("/nonexistent-tamarel-folder", codec);
  static FixedClock clock(PackedDate(15, 6, 2026));
  // The first two bytes pick the owner, the rest is the file.
  const uint16_t owner = size >= 2 ? static_cast<uint16_t>(data[0] | (data[1] << 8)) : 0;
  std::vector<uint8_t> bytes(data + std::min<size_t>(size, 2), data + size);
  MenstualManager m(std::make_unique<DatabaseManager>(std::make_unique<MemoryBlockFile>(std::move(bytes)),
                                                      [owner] { return owner; }, std::make_unique<MemoryBlockFile>()),
                    options, locale, clock);
  DatabaseManager& db = m.Database();
  for (auto d = db.GetFirstDay(); d; d = db.GetNextDay()) {
    if (d->date.IsEmpty()) __builtin_trap();
  }
  (void)m.GetAveragePeriod();
  (void)m.GetPeriodCount();
  const auto last = db.GetLastStart();
  const PackedDate from = last && IsValidDate(last->date) ? AddDays(last->date, -40) : PackedDate(1, 1, 2026);
  for (int i = 0; i < 100; ++i) {
    const int c = m.GetDayClass(AddDays(from, i));
    if (c < 0 || c > 11) __builtin_trap();
  }
  // The temperature shift of every cycle: any temperature, any mark.
  for (const CycleShift &c : CycleShifts(m, clock.Today())) {
    if (c.shift.Confirmed() && !(c.shift.ovulation < c.shift.confirmedOn))
      __builtin_trap();
  }
  Day day(PackedDate(1, 1, 2026), true, false, false, false, false, false, 0.0, u"fuzz");
  if (m.StoreDay(day) == SaveResult::kDone && !db.GetDay(day.date)) __builtin_trap();
  return 0;
}

#ifndef TAMAREL_FUZZ_REPLAY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TamarelFuzzDb(data, size); }
#endif
