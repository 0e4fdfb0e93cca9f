// What the calendar costs on every mouse move, measured under Wine (or
// Windows) on a full db.dat: the repaint of the hovered cells, the full
// repaint of the view, and, side by side in the same run, the full repaint
// every move cost before with the former painter. Prints its figures and
// judges nothing: timings depend on the machine.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "legacy_calendar_painter_win32.h"
#include "model/database_manager.h"
#include "model/menstual_manager.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "support/full_database.h"
#include "ui/calendar/calendar_host_win32.h"
#include "ui/calendar/year_select_wnd_win32.h"
#include "ui/widgets/double_buffer_win32.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 797;
constexpr int kRounds = 5;

class Host : public ICalendarHost {
 public:
  RECT CalendarArea() const override { return RECT{0, 0, kWidth, kHeight}; }
  void ShowDayMenu(HWND, const RECT&) override {}
  bool IsHostActive() const override { return true; }
};

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  const auto seconds = [](const FILETIME& f) {
    return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

double WallSeconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figure {
  double cpuMicros = 0;
  double wallMicros = 0;
};

// Runs step for every item, kRounds times; the median round per item.
Figure Measure(size_t items, const std::function<void(size_t)>& step) {
  std::vector<double> cpu, wall;
  for (int round = 0; round < kRounds; ++round) {
    const double c0 = ProcessCpuSeconds();
    const double w0 = WallSeconds();
    for (size_t i = 0; i < items; ++i) step(i);
    GdiFlush();
    cpu.push_back((ProcessCpuSeconds() - c0) * 1e6 / static_cast<double>(items));
    wall.push_back((WallSeconds() - w0) * 1e6 / static_cast<double>(items));
  }
  std::sort(cpu.begin(), cpu.end());
  std::sort(wall.begin(), wall.end());
  return Figure{cpu[kRounds / 2], wall[kRounds / 2]};
}

void Print(const char* what, const Figure& f) {
  std::printf("%-58s %9.1f us CPU %9.1f us wall\n", what, f.cpuMicros, f.wallMicros);
}

}  // namespace

int wmain() {
  const std::string tag = "tamarel-timing-" + std::to_string(GetCurrentProcessId());
  const std::filesystem::path db = testsupport::WriteFullDatabase(tag);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / tag;
  std::filesystem::create_directories(folder);

  MemorySettingsStore store;
  Latin1Codec codec;
  LocaleManager locale(folder, codec);
  OptionsManager options(store, SystemLocaleInfo{}, &locale, u"C:\\Tamarel\\tamarel.exe");
  // Inside the file's five and a half years of records: every shown day has one.
  FixedClock clock(PackedDate(15, 3, 2026));
  MenstualManager model(std::make_unique<DatabaseManager>(db, [] { return uint16_t{0}; }), options, locale, clock);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TamarelTimingHost";
  RegisterClassExW(&wc);
  const HWND hostWindow = CreateWindowExW(0, wc.lpszClassName, L"timing", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                                          nullptr, wc.hInstance, nullptr);
  Host host;
  AFCYearSelectWnd control(host, model, options, locale, clock);
  if (!hostWindow || !control.CreateControl(RECT{0, 97, kWidth, kHeight}, hostWindow)) {
    std::fprintf(stderr, "cannot create the calendar window\n");
    return 1;
  }
  ShowWindow(hostWindow, SW_SHOWNA);
  control.OnHostSize();
  UpdateWindow(control.Hwnd());
  const HWND hwnd = control.Hwnd();

  // The mouse goes over every day of the view, cell by cell.
  std::vector<POINT> path;
  for (const MonthLayout& month : control.Year().Months()) {
    for (const DayCell& day : month.days) {
      path.push_back(POINT{(day.rect.left + day.rect.right) / 2, (day.rect.top + day.rect.bottom) / 2});
    }
  }
  const auto move = [&](size_t i) {
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(path[i].x, path[i].y));
    UpdateWindow(hwnd);
  };
  std::printf("Calendar %dx%d, %zu days shown, full db.dat (2000 records), %d rounds, median per item\n", kWidth,
              kHeight - 97, path.size(), kRounds);

  // Before: every move repainted the whole view with the former painter into
  // the window's buffer and copied it to the screen.
  CalendarLayout legacyView(clock.Today());
  legacyView.Resize(Rect{0, 0, kWidth, kHeight});
  legacy::CalendarPainter legacyPainter(model, options, locale, clock);
  DoubleBuffer legacyBuffer;
  {
    const HDC screen = GetDC(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    const HDC buffer = legacyBuffer.Prepare(screen, client.right, client.bottom);
    Print("before: mouse move, whole view repainted (former painter)", Measure(path.size(), [&](size_t i) {
            legacyView.HitTest(Point{path[i].x, path[i].y});
            legacyPainter.DrawYear(buffer, legacyView, false, false);
            legacyBuffer.Present(screen, client);
          }));
    ReleaseDC(hwnd, screen);
  }
  Print("after:  mouse move, hovered cells repainted", Measure(path.size(), move));
  const int cellPaintsBefore = control.CellRepaints();
  move(0);
  move(1);
  Print("after:  full repaint of the view (page, data change)", Measure(path.size(), [&](size_t) {
          InvalidateRect(hwnd, nullptr, FALSE);
          UpdateWindow(hwnd);
        }));
  std::printf("(hover repaints took the two-cell path: %s)\n", control.CellRepaints() > cellPaintsBefore ? "yes" : "NO");

  DestroyWindow(hostWindow);
  std::error_code ec;
  std::filesystem::remove(db, ec);
  std::filesystem::remove_all(folder, ec);
  return 0;
}
