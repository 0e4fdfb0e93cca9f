// My cycles and Statistic, opened from the main frame's Reports menu and the
// goal pane as a user opens them, and the temperature chart painted into a
// memory DC whose pixels tell where each mark landed.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "resources/pane_ids.h"
#include "resources/reports_ids.h"
#include "resources/resource.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/reports/statistic_dlg_win32.h"
#include "ui/days/temperature_units.h"
#include "ui/widgets/chart_ctrl_win32.h"
#include "win/frame/frame_fixture.h"

namespace frametest {
namespace {

using ReportsTest = FrameTest;

std::wstring Cell(HWND list, int row, int column) {
  wchar_t text[128] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 128;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::wstring Heading(HWND list, int column) {
  wchar_t text[128] = {};
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH;
  c.pszText = text;
  c.cchTextMax = 128;
  SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
  return std::wstring(text) + L"/" + std::to_wstring(c.cx);
}

Day StartDay(PackedDate d) { return Day(d, true, false, false, false, false, false, 0); }

TEST_F(ReportsTest, MyCyclesListsEveryStartWithItsCycle) {
  for (const PackedDate d : {PackedDate(1, 1, 2024), PackedDate(29, 1, 2024), PackedDate(28, 2, 2024),
                             PackedDate(4, 3, 2024)}) {
    ASSERT_EQ(model_->StoreDay(StartDay(d)), SaveResult::kDone);
  }
  OpenFrame();
  std::wstring title, ok;
  std::vector<std::vector<std::wstring>> rows;
  std::vector<std::wstring> headings;
  DWORD styles = 0;
  int lastWidth = 0, listWidth = 0;
  DialogDriver driver([&](HWND dialog) {
    title = DialogDriver::Text(dialog);
    ok = DialogDriver::Text(GetDlgItem(dialog, IDOK));
    const HWND list = GetDlgItem(dialog, IDC_CYCLES_LIST);
    styles = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    lastWidth = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0));
    RECT client{};
    GetClientRect(list, &client);
    listWidth = client.right;
    for (int c = 0; c < 3; ++c) headings.push_back(Heading(list, c));
    const int n = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < n; ++r) rows.push_back({Cell(list, r, 0), Cell(list, r, 1), Cell(list, r, 2)});
    DialogDriver::Click(dialog, IDOK);
  });
  SendMessageW(frame_->Hwnd(), WM_COMMAND, MAKEWPARAM(ID_REPORTS_MYCYCLES, 0), 0);
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(title, L"My cycles");
  EXPECT_EQ(ok, L"Ok");
  EXPECT_EQ(headings, (std::vector<std::wstring>{L"Beginning date/100", L"Cycle length/100",
                                                 L"Date of ovulation/" + std::to_wstring(lastWidth)}));
  // The last column fills the list's width, no less than the others.
  EXPECT_GE(lastWidth, 100);
  EXPECT_LE(200 + lastWidth, listWidth);
  EXPECT_EQ(styles & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), DWORD{LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT});
  // Each ovulation is the day the calendar paints as ovulation in that cycle.
  const std::vector<std::vector<std::wstring>> expected = {{L"01.01.2024", L"28", L"16.01.2024"},
                                                           {L"29.01.2024", L"30", L"13.02.2024"},
                                                           {L"28.02.2024", L"5", L""},
                                                           {L"04.03.2024", L"", L""}};
  EXPECT_EQ(rows, expected);
}

TEST_F(ReportsTest, StatisticShowsFreshFiguresAndPagesThroughMonths) {
  for (const PackedDate d : {PackedDate(15, 3, 2024), PackedDate(11, 4, 2024), PackedDate(10, 5, 2024)}) {
    ASSERT_EQ(model_->StoreDay(StartDay(d)), SaveResult::kDone);
  }
  OpenFrame();
  // Cached figures from before the new start must not survive into the dialog.
  ASSERT_EQ(model_->GetPeriodCount(), 2);
  RunDayCommand(PackedDate(9, 6, 2024), ID_DAY_SET_START);  // 30 days
  ASSERT_TRUE(Stored(PackedDate(9, 6, 2024)) && Stored(PackedDate(9, 6, 2024))->menstruationStart);

  std::wstring title, figures[4], info, group;
  std::vector<std::wstring> months;
  DialogDriver driver([&](HWND dialog) {
    title = DialogDriver::Text(dialog);
    const int ids[4] = {IDC_STAT_MAX, IDC_STAT_MIN, IDC_STAT_AVERAGE, IDC_STAT_COUNT};
    for (int i = 0; i < 4; ++i) figures[i] = DialogDriver::Text(GetDlgItem(dialog, ids[i]));
    info = DialogDriver::Text(GetDlgItem(dialog, IDC_STAT_INFO));
    group = DialogDriver::Text(GetDlgItem(dialog, IDC_STAT_GROUP));
    months.push_back(DialogDriver::Text(GetDlgItem(dialog, IDC_STAT_MONTH)));
    for (int i = 0; i < 6; ++i) {
      DialogDriver::Click(dialog, IDC_STAT_PREV);
      months.push_back(DialogDriver::Text(GetDlgItem(dialog, IDC_STAT_MONTH)));
    }
    DialogDriver::Click(dialog, IDC_STAT_NEXT);
    months.push_back(DialogDriver::Text(GetDlgItem(dialog, IDC_STAT_MONTH)));
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  // From the goal pane's link, as from the menu.
  const HWND link = GetDlgItem(frame_->Panes().Goal()->Hwnd(), IDC_GOAL_STATISTIC);
  SendMessageW(frame_->Panes().Goal()->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_GOAL_STATISTIC, BN_CLICKED),
               reinterpret_cast<LPARAM>(link));
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(title, L"Statistic");
  EXPECT_EQ(figures[0], L"Maximum cycle lenght: 30");
  EXPECT_EQ(figures[1], L"Minimum cycle lenght: 27");
  EXPECT_EQ(figures[2], L"Average cycle lenght: 28");  // 86 / 3
  EXPECT_EQ(figures[3], L"Total number of cycles: 3");
  EXPECT_EQ(group, L"Rectal Temperature");
  EXPECT_EQ(info.rfind(L"Here you can track your temperature.", 0), 0u) << info;
  EXPECT_EQ(months, (std::vector<std::wstring>{L"June", L"May", L"April", L"March", L"February", L"January",
                                               L"December", L"January"}));
}

TEST_F(ReportsTest, MyCyclesOpensFromTheGoalPane) {
  OpenFrame();
  std::wstring title;
  int rows = -1;
  DialogDriver driver([&](HWND dialog) {
    title = DialogDriver::Text(dialog);
    rows = static_cast<int>(SendMessageW(GetDlgItem(dialog, IDC_CYCLES_LIST), LVM_GETITEMCOUNT, 0, 0));
    DialogDriver::Click(dialog, IDOK);
  });
  const HWND pane = frame_->Panes().Goal()->Hwnd();
  SendMessageW(pane, WM_COMMAND, MAKEWPARAM(IDC_GOAL_MYCYCLES, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(pane, IDC_GOAL_MYCYCLES)));
  ASSERT_TRUE(driver.Ran());
  EXPECT_EQ(title, L"My cycles");
  EXPECT_EQ(rows, 0);
}

// The Statistic dialog open without a frame, its chart painted into a
// 32-bit memory bitmap a margin larger than the control.
class ChartPixelsTest : public ModelTest {
 protected:
  static constexpr int kMargin = 20;
  static constexpr COLORREF kSentinel = RGB(1, 2, 3);

  void TearDown() override {
    if (dialog_ && dialog_->Hwnd()) DestroyWindow(dialog_->Hwnd());
    dialog_.reset();
  }

  void Open() {
    if (dialog_ && dialog_->Hwnd()) DestroyWindow(dialog_->Hwnd());
    dialog_ = std::make_unique<CStatisticDlg>(*model_, options_, locale_, clock_, ProgramResources());
    ASSERT_NE(dialog_->CreateModeless(nullptr), nullptr);
    ASSERT_NE(dialog_->Chart(), nullptr);
  }

  void Paint() {
    CChartCtrl* chart = dialog_->Chart();
    RECT client{};
    GetClientRect(GetDlgItem(dialog_->Hwnd(), IDC_STAT_CHART), &client);
    width_ = client.right;
    height_ = client.bottom;
    ASSERT_GT(width_, 200);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_ + kMargin, -(height_ + kMargin), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_ = MemoryDC(nullptr);
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap_);
    select_.emplace(dc_.Get(), bitmap_.Get());
    Brush sentinel(CreateSolidBrush(kSentinel));
    const RECT all{0, 0, width_ + kMargin, height_ + kMargin};
    FillRect(dc_.Get(), &all, sentinel.Get());
    chart->Paint(dc_.Get(), width_, height_);
    GdiFlush();
    layout_ = chart->Layout(dc_.Get(), width_, height_);
  }

  [[nodiscard]] COLORREF At(double x, double y) const {
    return GetPixel(dc_.Get(), static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
  }
  [[nodiscard]] double X(double day) const { return dialog_->Chart()->XMap(layout_).ToPixel(day); }
  [[nodiscard]] double Y(double value) const { return dialog_->Chart()->YMap(layout_).ToPixel(value); }
  [[nodiscard]] int CountInPlot(COLORREF colour) const {
    int n = 0;
    for (int y = layout_.plot.top; y <= layout_.plot.bottom; ++y) {
      for (int x = layout_.plot.left; x <= layout_.plot.right; ++x) n += At(x, y) == colour;
    }
    return n;
  }

  std::unique_ptr<CStatisticDlg> dialog_;
  MemoryDC dc_;
  Bitmap bitmap_;
  std::optional<SelectGuard> select_;
  int width_ = 0, height_ = 0;
  ChartLayout layout_;
};

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

TEST_F(ChartPixelsTest, TheCoverLineStandsAtItsLevelInEitherUnit) {
  options_.farinheit = false;
  Open();
  Paint();
  for (const double day : {3.5, 15.5, 29.5}) {
    EXPECT_EQ(At(X(day), Y(36.38)), kMagenta) << day;
    EXPECT_NE(At(X(day), Y(36.38) - 4), kMagenta) << day;  // width 3: one pixel either side
    EXPECT_NE(At(X(day), Y(36.38) + 4), kMagenta) << day;
  }
  options_.farinheit = true;
  Open();
  Paint();
  EXPECT_EQ(At(X(15.5), Y(97.5)), kMagenta);
  EXPECT_NEAR(Y(97.5), layout_.plot.bottom - (97.5 - 97.2) / 1.5 * layout_.plot.Height(), 1e-6);
}

TEST_F(ChartPixelsTest, ABarRisesToTheDaysTemperatureAndNoFurther) {
  options_.farinheit = false;
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(10, 6, 2024), false, false, false, false, false, false, 37.5)), SaveResult::kDone);
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(12, 6, 2024), false, false, false, false, false, false, 98.6)), SaveResult::kDone);
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(14, 6, 2024), false, false, true, false, false, false, 0)), SaveResult::kDone);
  Open();
  Paint();
  const COLORREF bar = CChartCtrl::kDefaultBarColor;
  EXPECT_EQ(At(X(10), Y(37.5) + 2), bar);
  EXPECT_EQ(At(X(10), Y(36)), bar);
  EXPECT_EQ(At(X(10), layout_.plot.bottom - 2), bar);
  EXPECT_NE(At(X(10), Y(37.5) - 3), bar);
  EXPECT_NE(At(X(10.5), Y(36)), bar);  // between the days
  // 98.6 F stored, shown in Celsius: 37.0.
  EXPECT_EQ(At(X(12), Y(ToCelsius(98.6)) + 2), bar);
  EXPECT_NE(At(X(12), Y(ToCelsius(98.6)) - 3), bar);
  // No temperature on other days; the intercourse mark sits on the cover line.
  EXPECT_NE(At(X(11), Y(36)), bar);
  EXPECT_EQ(At(X(14) + 4, Y(36.38) - 4), RGB(255, 0, 0));
  EXPECT_NE(At(X(14) + 8, Y(36.38) - 8), RGB(255, 0, 0));
}

TEST_F(ChartPixelsTest, TemperaturesOffTheAxisAreCutToThePlotAndNothingLeavesTheControl) {
  options_.farinheit = false;
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(10, 6, 2024), false, false, false, false, false, false, 44.0)), SaveResult::kDone);
  ASSERT_EQ(model_->StoreDay(Day(PackedDate(12, 6, 2024), false, false, false, false, false, false, 31.0)), SaveResult::kDone);
  Open();
  Paint();
  const COLORREF bar = CChartCtrl::kDefaultBarColor;
  EXPECT_EQ(At(X(10), layout_.plot.top + 2), bar);
  for (int y = 0; y < layout_.plot.top; ++y) EXPECT_NE(At(X(10), y), bar) << y;
  EXPECT_NE(At(X(12), layout_.plot.bottom - 2), bar);  // below the axis: no bar
  for (int y = layout_.plot.bottom + 1; y < height_; ++y) EXPECT_NE(At(X(12), y), bar) << y;
  for (int x = 0; x < width_ + kMargin; ++x) {
    for (int y = 0; y < height_ + kMargin; ++y) {
      if (x < width_ && y < height_) continue;
      ASSERT_EQ(At(x, y), kSentinel) << x << "," << y;
    }
  }
}

TEST_F(ChartPixelsTest, ThePrognosisCurvePeaksOnTheOvulationDayAndIsAbsentWithoutOne) {
  options_.farinheit = false;
  // Two cycles of 28 days before today (15.06.2024): June holds a predicted ovulation.
  for (const PackedDate d : {PackedDate(4, 5, 2024), PackedDate(1, 6, 2024)}) {
    ASSERT_EQ(model_->StoreDay(StartDay(d)), SaveResult::kDone);
  }
  int ovulation = 0;
  for (int d = 1; d <= 30; ++d) {
    if (model_->GetDayClass(PackedDate(d, 6, 2024)) == DayClass::Ovulation) ovulation = d;
  }
  ASSERT_NE(ovulation, 0);
  Open();
  Paint();
  ASSERT_GT(CountInPlot(kGreen), 50);
  // The highest green row is the plateau, centred on the ovulation day.
  int top = -1;
  long sum = 0, n = 0;
  for (int y = layout_.plot.top; y <= layout_.plot.bottom && top < 0; ++y) {
    for (int x = layout_.plot.left; x <= layout_.plot.right; ++x) {
      if (At(x, y) != kGreen) continue;
      top = y;
      sum += x;
      ++n;
    }
  }
  ASSERT_GT(n, 0);
  EXPECT_NEAR(static_cast<double>(sum) / n, X(ovulation), 3);
  EXPECT_NEAR(top, Y(37) - 2, 2);
  // The balloon stands above the peak.
  int balloon = 0;
  for (int y = static_cast<int>(Y(37)) - 40; y < Y(37); ++y) {
    for (int x = static_cast<int>(X(ovulation)) - 40; x < X(ovulation) + 40; ++x) balloon += At(x, y) == RGB(255, 255, 225);
  }
  EXPECT_GT(balloon, 100);

  // A month before any start has no ovulation and no curve.
  for (int i = 0; i < 3; ++i) {
    SendMessageW(dialog_->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_STAT_PREV, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_->Hwnd(), IDC_STAT_PREV)));
  }
  EXPECT_EQ(dialog_->ShownMonth(), (ChartMonth{3, 2024}));
  Paint();
  EXPECT_EQ(CountInPlot(kGreen), 0);
  EXPECT_GT(CountInPlot(kMagenta), 100);  // the cover line is always there
}

// A cycle from 1 June: lows on the 5th to 10th (the highest 36.45), highs on
// the 11th to 13th, the third 0.25 above: confirmed on the 13th, ovulation
// about the 10th. Today is the 15th.
TEST_F(ChartPixelsTest,
       HerCoverLineTheHighsAndTheBalloonStandOnTheConfirmedShift) {
  options_.farinheit = false;
  ASSERT_EQ(model_->StoreDay(StartDay(PackedDate(1, 6, 2024))),
            SaveResult::kDone);
  const double temps[] = {36.7,  36.6,  36.5,  36.5,  36.30, 36.35, 36.40,
                          36.45, 36.35, 36.30, 36.60, 36.62, 36.70, 36.75};
  for (int d = 1; d <= 14; ++d) {
    Day day = model_->GetDay(PackedDate(d, 6, 2024))
                  ? *model_->GetDay(PackedDate(d, 6, 2024))
                  : Day(PackedDate(d, 6, 2024), false, false, false, false,
                        false, false, 0);
    day.temperature = temps[d - 1];
    ASSERT_EQ(model_->StoreDay(day), SaveResult::kDone);
  }
  Open();
  Paint();
  const int row = static_cast<int>(std::lround(Y(36.45)));
  ASSERT_GT(std::fabs(Y(36.45) - Y(36.38)), 3) << "the two lines lie apart";
  // Dashed from the first low (the 5th) to the cycle's last day (today, the
  // 15th), nowhere else.
  int on = 0, span = 0;
  for (int x = static_cast<int>(X(5)) + 1; x < X(15) - 1; ++x, ++span)
    on += At(x, row) == kMagenta;
  EXPECT_GT(on, span / 3);
  EXPECT_LT(on, span * 9 / 10) << "dashes, not one stroke";
  for (int x = layout_.plot.left + 2; x < X(5) - 3; ++x)
    EXPECT_NE(At(x, row), kMagenta) << x;
  for (int x = static_cast<int>(X(15)) + 3; x < layout_.plot.right - 2; ++x)
    EXPECT_NE(At(x, row), kMagenta) << x;
  // The fixed cover line is still there.
  EXPECT_EQ(At(X(20.5), Y(36.38)), kMagenta);

  // The three highs are outlined; the low before them and the day after them
  // are not.
  const COLORREF orange = CStatisticDlg::kHighOutlineColor;
  const auto orangeNear = [&](int day) {
    int n = 0;
    for (int x = static_cast<int>(X(day - 0.5)); x < X(day + 0.5); ++x) {
      for (int y = layout_.plot.top; y <= layout_.plot.bottom; ++y)
        n += At(x, y) == orange;
    }
    return n;
  };
  for (const int day : {11, 12, 13})
    EXPECT_GT(orangeNear(day), 20) << day;
  for (const int day : {10, 14})
    EXPECT_EQ(orangeNear(day), 0) << day;

  // The balloon stands over her cover line on the 10th.
  long sum = 0, n = 0;
  for (int y = row - 28; y < row - 8; ++y) {
    for (int x = layout_.plot.left; x <= layout_.plot.right; ++x) {
      if (At(x, y) != RGB(255, 255, 225))
        continue;
      sum += x;
      ++n;
    }
  }
  ASSERT_GT(n, 100);
  EXPECT_NEAR(static_cast<double>(sum) / n, X(10), 4);

  // May holds no shift: no line of hers, nothing outlined.
  SendMessageW(
      dialog_->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_STAT_PREV, BN_CLICKED),
      reinterpret_cast<LPARAM>(GetDlgItem(dialog_->Hwnd(), IDC_STAT_PREV)));
  Paint();
  EXPECT_EQ(CountInPlot(orange), 0);
  for (int x = layout_.plot.left + 2; x < layout_.plot.right - 2; ++x)
    EXPECT_NE(At(x, row), kMagenta) << x;
}

TEST_F(ChartPixelsTest, NavigationCrossesTheYearsEndBothWays) {
  clock_.Set(PackedDate(20, 12, 2024));
  Open();
  const HWND d = dialog_->Hwnd();
  const auto press = [&](int id) {
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
  };
  EXPECT_EQ(dialog_->ShownMonth(), (ChartMonth{12, 2024}));
  press(IDC_STAT_NEXT);
  EXPECT_EQ(dialog_->ShownMonth(), (ChartMonth{1, 2025}));
  EXPECT_EQ(DialogDriver::Text(GetDlgItem(d, IDC_STAT_MONTH)), L"January");
  press(IDC_STAT_PREV);
  press(IDC_STAT_PREV);
  EXPECT_EQ(dialog_->ShownMonth(), (ChartMonth{11, 2024}));
  EXPECT_EQ(DialogDriver::Text(GetDlgItem(d, IDC_STAT_MONTH)), L"November");
}

}  // namespace
}  // namespace frametest
