// Moving the mouse repaints only the day left and the day entered; the
// screen must come out exactly as a full repaint of the same state would
// draw it, pixel for pixel, also where a day's marks reach into its
// neighbours (narrow cells, today's outline) and at the months' edges.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <vector>

#include "calendar_fixture.h"
#include "ui/calendar/year_select_wnd_win32.h"

namespace caltest {
namespace {

constexpr wchar_t kHostClass[] = L"TamarelHoverRepaintHost";

struct ViewSize {
  const char* name;
  int width;
  int height;
};
void PrintTo(const ViewSize& size, std::ostream* os) { *os << size.name; }

class HoverRepaintTest : public CalendarTest, public ::testing::WithParamInterface<ViewSize> {
 protected:
  void SetUp() override {
    CalendarTest::SetUp();
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassExW(&wc);  // a second registration fails harmlessly
    const ViewSize size = GetParam();
    hostWindow_ = CreateWindowExW(0, kHostClass, L"hover host", WS_POPUP, 0, 0, size.width, size.height, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hostWindow_, nullptr);
    GetClientRect(hostWindow_, &host_.area);
    // Mouse moves that miss every day look where the cursor really is.
    SetCursorPos(1270, 1010);
    ShowWindow(hostWindow_, SW_SHOWNA);
  }
  void TearDown() override {
    control_.reset();
    if (hostWindow_) DestroyWindow(hostWindow_);
  }

  // Marks that draw into the neighbours: every kind of mark on the days
  // around today and at the ends of the week rows.
  void MarkDays() {
    MarkCycle();
    for (const PackedDate& d : {PackedDate(14, 6, 2024), PackedDate(15, 6, 2024), PackedDate(16, 6, 2024),
                                PackedDate(30, 6, 2024), PackedDate(1, 7, 2024), PackedDate(7, 7, 2024),
                                PackedDate(8, 7, 2024), PackedDate(31, 8, 2024), PackedDate(1, 9, 2024)}) {
      Day day(d, false, false, true, true, d.day % 2 == 0, d.day % 2 == 1, 36.6, std::u16string(u"note"));
      ASSERT_EQ(model_->StoreDay(day), SaveResult::kDone);
    }
  }

  FakeHost host_;
  HWND hostWindow_ = nullptr;
  std::unique_ptr<AFCYearSelectWnd> control_;
};

TEST_P(HoverRepaintTest, HoverRepaintsLeaveTheScreenAsAFullRepaintWould) {
  MarkDays();
  options_.goal = 0;  // pill marks are drawn
  const ViewSize size = GetParam();
  control_ = std::make_unique<AFCYearSelectWnd>(host_, *model_, options_, locale_, clock_);
  ASSERT_TRUE(control_->CreateControl(RECT{0, 97, size.width, size.height}, hostWindow_));
  control_->OnHostSize();
  UpdateWindow(control_->Hwnd());
  RECT client{};
  GetClientRect(control_->Hwnd(), &client);
  Canvas shown(client.right, client.bottom);
  Canvas full(client.right, client.bottom);
  ASSERT_TRUE(shown.Ok() && full.Ok());

  // Every day in list order, then back over the first month: each move
  // repaints two cells. A wrong pixel stays until its cell is entered or left
  // again, so comparing every few moves and at the end finds it.
  std::vector<Rect> path;
  for (const MonthLayout& month : control_->Year().Months()) {
    for (const DayCell& day : month.days) path.push_back(day.rect);
  }
  for (const DayCell& day : control_->Year().Months().front().days) path.insert(path.begin(), day.rect);
  ASSERT_GT(path.size(), 120u);
  const int cellRepaintsBefore = control_->CellRepaints();
  for (size_t i = 0; i < path.size(); ++i) {
    const Rect& cell = path[i];
    const POINT p = Centre(cell);
    SendMessageW(control_->Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    UpdateWindow(control_->Hwnd());
    if (i % 8 != 7 && i + 1 != path.size()) continue;
    shown.CopyFrom(control_->BufferDc());
    SendMessageW(control_->Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(full.Dc()), PRF_CLIENT);
    const long at = shown.FirstDifference(full);
    ASSERT_EQ(at, -1) << "after hovering the cell at " << cell.left << "," << cell.top << " the pixel at "
                      << at % shown.Width() << "," << at / shown.Width() << " differs";
  }
  // The fast path was taken on (nearly) every move, not a full repaint.
  EXPECT_GE(control_->CellRepaints() - cellRepaintsBefore, static_cast<int>(path.size()) - 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HoverRepaintTest,
                         ::testing::Values(ViewSize{"Wide", 1000, 797}, ViewSize{"Narrow", 440, 520},
                                           ViewSize{"Large", 1270, 1000}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace caltest
