// What painting costs: the calendar asks the class and the record of every
// visible date after every change. Compared with reading the whole file once.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "model/menstual_manager.h"
#include "support/full_database.h"
#include "ui/calendar/calendar_layout.h"
#include "ui/calendar/day_cell_look.h"

namespace {

struct Fixture {
  Fixture() : options(store, SystemLocaleInfo{}, nullptr, u""), locale(folder, codec), clock(PackedDate(1, 6, 2026)) {
    path = testsupport::WriteFullDatabase("tamarel-bench");
  }
  std::filesystem::path folder = std::filesystem::temp_directory_path();
  MemorySettingsStore store;
  OptionsManager options;
  Latin1Codec codec;
  LocaleManager locale;
  FixedClock clock;
  std::filesystem::path path;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

// (a) Every date of a four-month view, class and record, right after a write.
void BM_ClassifyFourMonthsAfterWrite(benchmark::State& state) {
  Fixture& f = Shared();
  MenstualManager m(std::make_unique<DatabaseManager>(f.path, [] { return uint16_t{0}; }), f.options, f.locale,
                    f.clock);
  const PackedDate first(1, 3, 2026);
  (void)m.GetDayClass(first);  // the file is read once, at the first paint
  bool sex = false;
  for (auto _ : state) {
    state.PauseTiming();
    Day day = *m.GetDay(PackedDate(15, 2, 2026));
    day.sex = (sex = !sex);
    if (m.StoreDay(day) != SaveResult::kDone) state.SkipWithError("write failed");
    state.ResumeTiming();
    for (int i = 0; i < 122; ++i) {
      const PackedDate d = AddDays(first, i);
      benchmark::DoNotOptimize(m.GetDayClass(d));
      benchmark::DoNotOptimize(m.GetCachedDay(d));
    }
  }
  state.counters["file_reads"] = static_cast<double>(m.Database().RecordReads());
}
BENCHMARK(BM_ClassifyFourMonthsAfterWrite)->Unit(benchmark::kMicrosecond);

// (b) Reading the whole file once: open it and read every day record.
void BM_ReadWholeFileThroughDatabase(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    DatabaseManager db(f.path, [] { return uint16_t{0}; });
    int n = 0;
    for (auto d = db.GetFirstDay(); d; d = db.GetNextDay()) ++n;
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_ReadWholeFileThroughDatabase)->Unit(benchmark::kMicrosecond);

// (b') The bare bytes of the file in one read, for scale.
void BM_ReadWholeFileRaw(benchmark::State& state) {
  Fixture& f = Shared();
  std::vector<char> buffer(std::filesystem::file_size(f.path));
  for (auto _ : state) {
    std::FILE* file = std::fopen(f.path.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
    std::fclose(file);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(BM_ReadWholeFileRaw)->Unit(benchmark::kMicrosecond);

// (c) The portable half of a mouse move over the calendar: find the day
// under the mouse and decide the look of the cells to draw again, for the
// two cells of a hover repaint (arg 0) and for every cell of the view (arg 1).
// The GDI half is timed under Wine by tamarel_paint_timing.exe.
void BM_HoverDecisions(benchmark::State& state) {
  Fixture& f = Shared();
  MenstualManager m(std::make_unique<DatabaseManager>(f.path, [] { return uint16_t{0}; }), f.options, f.locale,
                    f.clock);
  CalendarLayout view(PackedDate(15, 3, 2026));
  view.Resize(Rect{0, 0, 1000, 797});
  std::vector<const DayCell*> cells;
  for (const MonthLayout& month : view.Months()) {
    for (const DayCell& day : month.days) cells.push_back(&day);
  }
  const bool wholeView = state.range(0) != 0;
  size_t i = 0;
  for (auto _ : state) {
    const DayCell* before = view.HoveredDay();
    const DayCell& next = *cells[i++ % cells.size()];
    const DayCell* after = view.HitTest(Point{(next.rect.left + next.rect.right) / 2, next.rect.top + 2});
    const auto decide = [&](const DayCell& c) {
      const PackedDate d = c.Date();
      benchmark::DoNotOptimize(DecideDayCellLook(m.GetDayClass(d), m.GetCachedDay(d), f.options, c.rect.Width(),
                                                 c.hovered));
    };
    if (wholeView) {
      for (const DayCell* c : cells) decide(*c);
    } else {
      if (before) decide(*before);
      if (after) decide(*after);
    }
  }
}
BENCHMARK(BM_HoverDecisions)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
