#pragma once

// The calendar on the tests' own managers: settings in memory, db.dat and the
// language folder in a temp folder, a fixed today, and a host that records
// what the control asks of it. Pixels are read from a 32-bit DIB section.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "model/database_manager.h"
#include "model/day.h"
#include "model/menstual_manager.h"
#include "support/temp_dir.h"
#include "win/support/canvas_win32.h"
#include "ui/calendar/calendar_host_win32.h"
#include "ui/calendar/calendar_layout.h"
#include "ui/calendar/calendar_painter_win32.h"
#include "ui/widgets/gdi_win32.h"

namespace caltest {

using ::Canvas;

// A host that hands out a fixed calendar area and records the day menus asked for.
class FakeHost : public ICalendarHost {
 public:
  RECT CalendarArea() const override { return area; }
  void ShowDayMenu(HWND calendar, const RECT& cell) override {
    menuCells.push_back(cell);
    menuWindows.push_back(calendar);
  }
  bool IsHostActive() const override { return active; }

  RECT area{0, 0, 1000, 797};
  bool active = true;
  std::vector<RECT> menuCells;
  std::vector<HWND> menuWindows;
};

inline RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
inline POINT Centre(const Rect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class CalendarTest : public ::testing::Test {
 protected:
  static constexpr PackedDate kToday{15, 6, 2024};
  // The view of the default area: 1000 x 700 below the band.
  static constexpr Rect kArea{0, 0, 1000, 797};

  void SetUp() override {
    model_ = std::make_unique<MenstualManager>(
        std::make_unique<DatabaseManager>(dir_ / "db.dat", [] { return uint16_t{0}; }), options_, locale_, clock_);
    painter_ = std::make_unique<CalendarPainter>(*model_, options_, locale_, clock_);
  }

  // A cycle that started on 3 June 2024, so June to September carry every class.
  void MarkCycle() {
    Day start(PackedDate(3, 6, 2024), true, false, false, false, false, false, 0.0);
    ASSERT_EQ(model_->StoreDay(start), SaveResult::kDone);
  }
  void StoreMarks(const PackedDate& date, bool sex, bool pill, const std::u16string& note = {}) {
    Day day(date, false, false, sex, pill, false, false, 0.0,
            note.empty() ? std::nullopt : std::optional<std::u16string>(note));
    ASSERT_EQ(model_->StoreDay(day), SaveResult::kDone);
  }

  // The first shown cell (in list order) whose date has the class, or null.
  const DayCell* FirstCellOfClass(const CalendarLayout& view, int dayClass, const PackedDate& except = {}) {
    for (const MonthLayout& month : view.Months()) {
      for (const DayCell& cell : month.days) {
        if (cell.Date() == except || cell.Date() == kToday) continue;
        if (model_->GetDayClass(cell.Date()) == dayClass) return &cell;
      }
    }
    return nullptr;
  }
  static const DayCell* CellOf(const CalendarLayout& view, const PackedDate& date) {
    for (const MonthLayout& month : view.Months()) {
      for (const DayCell& cell : month.days) {
        if (cell.Date() == date) return &cell;
      }
    }
    return nullptr;
  }
  // A pixel of a cell clear of its number (top right), its marks (left
  // column and top left) and its frame.
  static POINT Plain(const DayCell& cell) { return POINT{cell.rect.left + 22, cell.rect.bottom - 5}; }

  testsupport::TempDir dir_;
  Latin1Codec codec_;
  MemorySettingsStore store_;
  LocaleManager locale_{dir_.path(), codec_};
  OptionsManager options_{store_, SystemLocaleInfo{}, &locale_, u"C:\\Tamarel\\tamarel.exe"};
  FixedClock clock_{kToday};
  std::unique_ptr<MenstualManager> model_;
  std::unique_ptr<CalendarPainter> painter_;
};

}  // namespace caltest
