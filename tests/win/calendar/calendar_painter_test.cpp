#include "ui/calendar/calendar_painter_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "calendar_fixture.h"
#include "model/day_class.h"
#include "resources/image_ids.h"
#include "ui/calendar/calendar_colors.h"

namespace caltest {
namespace {

class CalendarPainterTest : public CalendarTest {
 protected:
  // June to September 2024 laid out in the default area and painted.
  CalendarLayout PaintView(Canvas& canvas, const Rect& area = kArea) {
    CalendarLayout view(kToday);
    view.Resize(area);
    painter_->DrawYear(canvas.Dc(), view, false, false);
    return view;
  }
  Canvas canvas_{1000, 700};
};

TEST_F(CalendarPainterTest, CellsTakeTheColourOfTheirClass) {
  ASSERT_TRUE(canvas_.Ok());
  MarkCycle();
  options_.showBoy = options_.showGirl = options_.showPain = false;
  const CalendarLayout view = PaintView(canvas_);
  const std::map<int, COLORREF> expected = {
      {FlowFirstDay, RGB(255, 50, 50)},
      {FlowSecondDay, RGB(255, 50, 50)},
      {Flow, RGB(255, 50, 50)},
      {PrognosisFirstDay, RGB(255, 50, 255)},
      {PrognosisSecondDay, RGB(255, 100, 255)},
      {Prognosis, RGB(255, 151, 255)},
      {LowFertile, RGB(255, 255, 255)},
      {NonFertileAfterFlow, RGB(128, 128, 255)},
      {NonFertileBeforeFlow, RGB(128, 128, 255)},
      {BoyDay, RGB(255, 232, 170)},
      {GirlDay, RGB(255, 232, 170)},
      {Ovulation, RGB(255, 255, 100)},
  };
  int found = 0;
  for (const auto& [dayClass, color] : expected) {
    const DayCell* cell = FirstCellOfClass(view, dayClass);
    if (!cell) continue;
    ++found;
    SCOPED_TRACE(testing::Message() << "class " << dayClass << " on " << int{cell->day} << "." << cell->month);
    const POINT p = Plain(*cell);
    EXPECT_EQ(canvas_.At(p.x, p.y), color);
    EXPECT_EQ(canvas_.At(cell->rect.right - 4, cell->rect.bottom - 4), color);
  }
  // One recorded cycle and its predictions show every class.
  EXPECT_EQ(found, 12);
}

TEST_F(CalendarPainterTest, HoveredCellLosesBlueAndGetsSunkenFrame) {
  ASSERT_TRUE(canvas_.Ok());
  CalendarLayout view(kToday);
  view.Resize(kArea);
  const DayCell* target = FirstCellOfClass(view, LowFertile);  // no data: every day has low fertility
  ASSERT_NE(target, nullptr);
  const Rect cell = target->rect;
  ASSERT_NE(view.HitTest({cell.left + 5, cell.top + 5}), nullptr);
  painter_->DrawYear(canvas_.Dc(), view, false, false);

  EXPECT_EQ(canvas_.At(cell.left + 22, cell.bottom - 5), RGB(255, 255, 235));
  const DayCell* other = FirstCellOfClass(view, LowFertile, target->Date());
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(canvas_.At(Plain(*other).x, Plain(*other).y), RGB(255, 255, 255));
  // Sunken: shadow on the top edge, where a plain cell has the highlight.
  EXPECT_EQ(canvas_.At(cell.left + 10, cell.top), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas_.At(other->rect.left + 10, other->rect.top), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(CalendarPainterTest, WithEveryShowOffCellsArePaleAndOnlyTodayStandsOut) {
  ASSERT_TRUE(canvas_.Ok());
  MarkCycle();
  options_.showFlow = options_.showPrognoze = options_.showNFertile = options_.showFertile = false;
  options_.showLFertile = options_.showOvulation = false;
  const CalendarLayout view = PaintView(canvas_);
  const COLORREF pale = options_.theme.pale;
  for (const MonthLayout& month : view.Months()) {
    for (const DayCell& cell : month.days) {
      if (cell.Date() == kToday) continue;
      const POINT p = Plain(cell);
      ASSERT_EQ(canvas_.At(p.x, p.y), pale) << int{cell.day} << "." << cell.month;
      ASSERT_EQ(canvas_.Count(ToRect(cell.rect), RGB(0, 0, 255)), 0) << int{cell.day} << "." << cell.month;
    }
  }
  const DayCell* today = CellOf(view, kToday);
  ASSERT_NE(today, nullptr);
  EXPECT_GT(canvas_.Count(ToRect(today->rect), RGB(0, 0, 255)), 10);                            // the blue number
  EXPECT_EQ(canvas_.At(today->rect.left + 10, today->rect.top), GetSysColor(COLOR_BTNSHADOW));  // sunken
}

TEST_F(CalendarPainterTest, HeaderGradientRunsFromBaseToDarkInExactSteps) {
  ASSERT_TRUE(canvas_.Ok());
  const CalendarLayout view = PaintView(canvas_);
  const Rect band = view.HeaderBand();
  const int width = band.Width();
  const ThemeRecord& theme = options_.theme;
  // Row 1 lies above the buttons and the title.
  for (int i : {0, 1, width / 3, width / 2, width - 1}) {
    SCOPED_TRACE(i);
    const int r = GetRValue(theme.base) + i * (GetRValue(theme.dark) - GetRValue(theme.base)) / width;
    const int g = GetGValue(theme.base) + i * (GetGValue(theme.dark) - GetGValue(theme.base)) / width;
    const int b = GetBValue(theme.base) + i * (GetBValue(theme.dark) - GetBValue(theme.base)) / width;
    EXPECT_EQ(canvas_.At(band.left + i, band.top + 1), RGB(r, g, b));
  }
  EXPECT_EQ(canvas_.At(band.left - 1, band.top + 1), theme.base);  // the view's background
  // The buttons are placed by painting and carry their white label boxes.
  const Rect back = view.BackButton();
  const Rect next = view.NextButton();
  EXPECT_GT(back.Width(), 31);
  EXPECT_EQ(back.Width(), next.Width());
  EXPECT_EQ(canvas_.At(back.right - 2, back.top + 5), RGB(255, 255, 255));
  EXPECT_EQ(canvas_.At(next.left + 1, next.top + 5), RGB(255, 255, 255));
}

TEST_F(CalendarPainterTest, DesktopMonthLeavesTheTransparentColourAndNoFrame) {
  ASSERT_TRUE(canvas_.Ok());
  options_.showLFertile = false;  // no data: every day would be low fertility
  CalendarLayout view(kToday);
  view.Resize(kArea);
  const MonthLayout& month = view.Months()[0];  // June 2024 starts on a Saturday
  const Rect empty = month.WeekCell(0, 0);   // before the 1st
  const Rect& m = month.bounds;
  const int ch = month.cellHeight;

  painter_->DrawMonth(canvas_.Dc(), month, true);
  constexpr COLORREF kClear = CalendarPainter::kDesktopTransparent;
  EXPECT_EQ(canvas_.At(empty.left + 10, empty.top + 10), kClear);
  EXPECT_EQ(canvas_.At(Plain(month.days[10]).x, Plain(month.days[10]).y), kClear);
  EXPECT_EQ(canvas_.At(m.left, m.bottom - 3), kClear);          // no frame line on the left
  EXPECT_NE(canvas_.At(m.left + 3, m.top + ch), RGB(0, 0, 0));  // nor under the title

  canvas_.Fill(RGB(0, 128, 0));
  painter_->DrawMonth(canvas_.Dc(), month, false);
  EXPECT_EQ(canvas_.At(empty.left + 10, empty.top + 10), options_.theme.pale);
  EXPECT_EQ(canvas_.At(m.left, m.bottom - 3), RGB(0, 0, 0));
  EXPECT_EQ(canvas_.At(m.left + 3, m.top + ch), RGB(0, 0, 0));
}

TEST_F(CalendarPainterTest, WeekendNamesAreRed) {
  ASSERT_TRUE(canvas_.Ok());
  const CalendarLayout view = PaintView(canvas_);
  const MonthLayout& month = view.Months()[0];
  for (int column = 0; column < 7; ++column) {
    SCOPED_TRACE(column);
    const int red = canvas_.Count(ToRect(month.WeekdayCell(column)), RGB(255, 0, 0));
    if (column >= 5) {
      EXPECT_GT(red, 5);
    } else {
      EXPECT_EQ(red, 0);
    }
  }
}

// The picture's own pixels (its key colour left out) where it was drawn.
int PicturePixelsAt(const Canvas& canvas, int id, int x, int y) {
  const HBITMAP picture = CalendarPainter::Picture(id);
  if (!picture) return -1;
  Canvas copy(32, 32);
  copy.Fill(RGB(255, 255, 255));
  CalendarPainter::DrawTransparentBitmap(copy.Dc(), 0, 0, picture, CalendarPainter::kIconKey);
  int same = 0;
  for (int py = 0; py < 16; ++py) {
    for (int px = 0; px < 16; ++px) {
      const COLORREF c = copy.At(px, py);
      if (c != RGB(255, 255, 255) && canvas.At(x + px, y + py) == c) ++same;
    }
  }
  return same;
}

TEST_F(CalendarPainterTest, TransparentBitmapKeepsTheDestinationUnderTheKey) {
  ASSERT_TRUE(canvas_.Ok());
  const HBITMAP sex = CalendarPainter::Picture(IDB_DAY_SEX);
  ASSERT_NE(sex, nullptr) << "the calendar pictures are not in the test executable";
  canvas_.Fill(RGB(10, 20, 30));
  CalendarPainter::DrawTransparentBitmap(canvas_.Dc(), 5, 5, sex, CalendarPainter::kIconKey);
  EXPECT_EQ(canvas_.Count(RECT{5, 5, 20, 20}, RGB(255, 255, 255)), 0);  // no key pixel came through
  const int kept = canvas_.Count(RECT{5, 5, 20, 20}, RGB(10, 20, 30));
  EXPECT_GT(kept, 10);
  EXPECT_LT(kept, 15 * 15);
  EXPECT_EQ(canvas_.Count(RECT{0, 0, 40, 40}, RGB(10, 20, 30)), 40 * 40 - (15 * 15 - kept));
  EXPECT_EQ(CalendarPainter::Picture(IDB_DAY_SEX), sex);  // loaded once
}

TEST_F(CalendarPainterTest, SexAndPillArePicturesUpTo180PixelsAndLettersBeyond) {
  ASSERT_TRUE(canvas_.Ok());
  options_.goal = 0;  // pill marks show
  options_.showLFertile = false;
  const PackedDate date(10, 6, 2024);
  StoreMarks(date, true, true);
  for (int width : {180, 181}) {
    SCOPED_TRACE(width);
    canvas_.Fill(RGB(0, 128, 0));
    DayCell cell;
    cell.rect = Rect{10, 10, 10 + width, 10 + 120};
    cell.day = date.day;
    cell.month = date.month;
    cell.year = date.year;
    SetTextColor(canvas_.Dc(), RGB(0, 0, 0));
    SetBkMode(canvas_.Dc(), TRANSPARENT);
    painter_->DrawDay(canvas_.Dc(), cell, false);
    const int l = cell.rect.left, t = cell.rect.top, b = cell.rect.bottom;
    const int sexPixels = PicturePixelsAt(canvas_, IDB_DAY_SEX, l, t + 3);
    const int pillPixels = PicturePixelsAt(canvas_, IDB_DAY_PILL, l + 2, t + 18);
    const int letterInk = canvas_.Count(RECT{l + 3, b - 35, l + 19, b - 5}, RGB(0, 0, 0)) +
                          canvas_.Count(RECT{l + 12, b - 25, l + 33, b}, RGB(0, 0, 0));
    if (width == 180) {
      EXPECT_GT(sexPixels, 20);
      EXPECT_GT(pillPixels, 20);
      EXPECT_EQ(letterInk, 0);
    } else {
      EXPECT_LT(sexPixels, 3);
      EXPECT_LT(pillPixels, 3);
      EXPECT_GT(letterInk, 20);
    }
  }
}


// In a narrow cell the marks make room for the number: within the box its
// digits take, the cell looks the same with every mark of the day drawn as
// with the number alone.
TEST_F(CalendarPainterTest, TheMarksOfANarrowCellNeverCoverItsNumber) {
  ASSERT_TRUE(canvas_.Ok());
  options_.goal = 0;  // pill marks show
  options_.showLFertile = false;
  options_.showPain = true;
  const PackedDate date(28, 6, 2024);
  for (int width : {30, 34, 40, 48}) {
    SCOPED_TRACE(width);
    ASSERT_EQ(model_->StoreDay(Day(date, false, false, false, false, false, false, 0.0, u"")), SaveResult::kDone);
    DayCell cell;
    cell.rect = Rect{10, 10, 10 + width, 10 + 36};
    cell.day = date.day;
    cell.month = date.month;
    cell.year = date.year;
    auto paint = [&] {
      canvas_.Fill(RGB(0, 128, 0));
      SetTextColor(canvas_.Dc(), RGB(0, 0, 0));
      SetBkMode(canvas_.Dc(), TRANSPARENT);
      painter_->DrawDay(canvas_.Dc(), cell, false);
      std::vector<COLORREF> pixels;
      for (int y = cell.rect.top; y < cell.rect.bottom; ++y) {
        for (int x = cell.rect.left; x < cell.rect.right; ++x) pixels.push_back(canvas_.At(x, y));
      }
      return pixels;
    };
    const std::vector<COLORREF> alone = paint();
    ASSERT_EQ(model_->StoreDay(Day(date, false, false, true, true, true, false, 0.0, u"a note")), SaveResult::kDone);
    const std::vector<COLORREF> marked = paint();
    // The box of the number's ink (black on the pale cell).
    int left = width, top = 36, right = -1, bottom = -1, marks = 0;
    for (size_t i = 0; i < alone.size(); ++i) {
      if (marked[i] != alone[i]) ++marks;
      if (alone[i] != RGB(0, 0, 0)) continue;
      const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
      // The cell's 3-D frame is not the number.
      if (x < 2 || y < 2 || x >= width - 2 || y >= 34) continue;
      left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    }
    ASSERT_GT(right, left) << "the number is drawn";
    int covered = 0;
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        const size_t i = static_cast<size_t>(y * width + x);
        if (marked[i] != alone[i]) ++covered;
      }
    }
    EXPECT_GT(marks, 60) << "the marks are drawn";
    EXPECT_EQ(covered, 0);
  }
}

}  // namespace
}  // namespace caltest
