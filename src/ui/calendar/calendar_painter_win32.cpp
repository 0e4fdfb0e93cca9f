#include "ui/calendar/calendar_painter_win32.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <string>

#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "ui/calendar/calendar_colors.h"
#include "ui/calendar/day_cell_look.h"
#include "ui/calendar/gdi_cache_win32.h"
#include "ui/widgets/gdi_win32.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWeekendRed = RGB(255, 0, 0);

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Fills with a solid colour without making a brush (ExtTextOut's opaque
// rectangle), leaving the context's background colour as it was: the
// gradients fill hundreds of 1-pixel strips per paint.
void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  if (right <= left || bottom <= top) return;
  const COLORREF previous = SetBkColor(dc, color);
  const RECT r{left, top, right, bottom};
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}
void FillSolid(HDC dc, const RECT& r, COLORREF color) { FillSolid(dc, r.left, r.top, r.right, r.bottom, color); }

// A one-pixel 3-D frame just inside r.
void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  FillSolid(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
  FillSolid(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
  FillSolid(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
  FillSolid(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
}
void DrawRaised(HDC dc, const RECT& r) {
  Draw3dRect(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}
void DrawSunken(HDC dc, const RECT& r) {
  Draw3dRect(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
}

// Sets a background mode for one scope.
class BkModeGuard {
 public:
  BkModeGuard(HDC dc, int mode) : dc_(dc), previous_(SetBkMode(dc, mode)) {}
  ~BkModeGuard() {
    if (previous_) SetBkMode(dc_, previous_);
  }
  BkModeGuard(const BkModeGuard&) = delete;
  BkModeGuard& operator=(const BkModeGuard&) = delete;

 private:
  HDC dc_;
  int previous_;
};

// Sets the text colour for one scope.
class TextColorGuard {
 public:
  TextColorGuard(HDC dc, COLORREF color) : dc_(dc), previous_(SetTextColor(dc, color)) {}
  ~TextColorGuard() {
    if (previous_ != CLR_INVALID) SetTextColor(dc_, previous_);
  }
  TextColorGuard(const TextColorGuard&) = delete;
  TextColorGuard& operator=(const TextColorGuard&) = delete;

 private:
  HDC dc_;
  COLORREF previous_;
};

void DrawTextIn(HDC dc, const std::wstring& text, RECT r, UINT format) {
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

std::wstring MonthName(const LocaleManager& locale, int monthIndex) {
  return ToWide(locale.Translate(u"MONTH" + FromWide(std::to_wstring(monthIndex + 1))));
}

}  // namespace

ThemeRecord PaintedTheme(const ThemeRecord& theme) {
  ThemeRecord painted = theme;
  if (theme.useSystemColors) {
    painted.dark = GetSysColor(COLOR_ACTIVECAPTION);
    painted.pale = GetSysColor(COLOR_INFOBK);
    painted.base = painted.pale;
  }
  return painted;
}

MonthColors MonthColorsFor(const ThemeRecord& theme) {
  MonthColors c;
  c.text = kBlack;
  c.titleText = MonthTitleTextColor(theme);
  if (theme.useSystemColors) {
    c.background = kWhite;
    c.title = GetSysColor(COLOR_ACTIVECAPTION);
    c.weekdayRow = GetSysColor(COLOR_INFOBK);
  } else {
    c.background = theme.base;
    c.title = theme.dark;
    c.weekdayRow = theme.light;
  }
  return c;
}

CalendarPainter::CalendarPainter(MenstualManager& model, const OptionsManager& options, const LocaleManager& locale,
                                 const IClock& clock)
    : model_(model), options_(options), locale_(locale), clock_(clock) {}

HBITMAP CalendarPainter::Picture(int id) { return MaskedPictures::Picture(id); }

// The mask technique: a monochrome mask that is white where the picture has
// the key colour; then XOR the picture in, AND the mask (which keeps the
// destination under the key and blacks out the rest), XOR the picture again.
void CalendarPainter::DrawTransparentBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF key) {
  if (!bitmap) return;
  BITMAP info{};
  if (GetObjectW(bitmap, sizeof info, &info) == 0) return;
  const int w = info.bmWidth;
  const int h = info.bmHeight;

  MemoryDC source(dc);
  MemoryDC maskDc(dc);
  Bitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
  if (!source || !maskDc || !mask) return;
  SelectGuard sourceBitmap(source.Get(), bitmap);
  SelectGuard maskBitmap(maskDc.Get(), mask.Get());

  const COLORREF oldSourceBk = SetBkColor(source.Get(), key);
  BitBlt(maskDc.Get(), 0, 0, w, h, source.Get(), 0, 0, SRCCOPY);
  SetBkColor(source.Get(), oldSourceBk);

  // The monochrome mask turns into black (0) and white (1) on the way in.
  TextColorGuard text(dc, kBlack);
  const COLORREF oldBk = SetBkColor(dc, kWhite);
  BitBlt(dc, x, y, w, h, source.Get(), 0, 0, SRCINVERT);
  BitBlt(dc, x, y, w, h, maskDc.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, w, h, source.Get(), 0, 0, SRCINVERT);
  SetBkColor(dc, oldBk);
}

int CalendarPainter::MeasureButtonLabel(HDC dc) const {
  int widest = 0;
  for (const char16_t* key : {u"PREV", u"NEXT"}) {
    const std::wstring label = ToWide(locale_.Translate(key));
    SIZE size{};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  return widest;
}

void CalendarPainter::PlaceButtons(HDC dc, AFCYearObj& year) const {
  const LOGFONTW& lf = FontCache::DefaultLogFont();
  SelectGuard selected(dc, fonts_.Get(lf.lfHeight + lf.lfHeight / 10, FW_SEMIBOLD));
  year.PlaceButtons(MeasureButtonLabel(dc));
}

// One-pixel columns with exact integer steps from the base colour to the
// dark one (a gradient fill would round differently).
void CalendarPainter::DrawHeaderGradient(HDC dc, const Rect& band, const ThemeRecord& theme) const {
  const int width = band.Width();
  for (int i = 0; i < width; ++i) {
    FillSolid(dc, band.left + i, band.top, band.left + i + 1, band.bottom,
              InterpolateColor(theme.base, theme.dark, i, width));
  }
}

void CalendarPainter::DrawButtons(HDC dc, const AFCYearObj& year, const ThemeRecord& theme, bool overBack,
                                  bool overNext) const {
  const RECT back = ToRect(year.BackButton());
  const RECT next = ToRect(year.NextButton());
  MaskedPictures::Draw(dc, back.left, back.top + 4, IDB_ARROW_BACK, kArrowKey);
  MaskedPictures::Draw(dc, next.right - 9, next.top + 4, IDB_ARROW_NEXT, kArrowKey);

  FillSolid(dc, back.left + 9, back.top + 4, back.right, back.bottom - 4, kWhite);
  {
    TextColorGuard color(dc, overBack ? theme.pale : theme.dark);
    DrawTextIn(dc, ToWide(locale_.Translate(u"PREV")), RECT{back.left, back.top, back.right - 6, back.bottom},
               DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
  FillSolid(dc, next.left, next.top + 4, next.right - 9, next.bottom - 4, kWhite);
  {
    TextColorGuard color(dc, overNext ? theme.pale : theme.dark);
    DrawTextIn(dc, ToWide(locale_.Translate(u"NEXT")), RECT{next.left + 6, next.top, next.right, next.bottom},
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

void CalendarPainter::DrawYear(HDC dc, AFCYearObj& year, bool overBack, bool overNext, bool paper) const {
  const ThemeRecord theme = PaintedTheme(options_.theme);
  const Rect& b = year.Bounds();
  const Rect band = year.HeaderBand();
  if (!paper) {
    FillSolid(dc, 0, 0, b.right + 14, b.bottom, theme.base);
    DrawHeaderGradient(dc, band, theme);
  }

  const LOGFONTW& lf = FontCache::DefaultLogFont();
  SelectGuard selectedFont(dc, fonts_.Get(lf.lfHeight + lf.lfHeight / 10, FW_SEMIBOLD));
  if (!paper) {
    BkModeGuard transparent(dc, TRANSPARENT);
    year.PlaceButtons(MeasureButtonLabel(dc));
    DrawButtons(dc, year, theme, overBack, overNext);
    TextColorGuard white(dc, kWhite);
    DrawTextIn(dc, YearTitle(year), ToRect(band), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  for (const AFCYueObj& month : year.Months()) DrawMonth(dc, month, false, paper);
  // The selected day is the screen's: paper has no selection.
  if (const AFCDayObj* selected = year.SelectedCell(); selected && !paper) DrawSelectionFrame(dc, selected->rect);
}

std::wstring CalendarPainter::YearTitle(const AFCYearObj& year) const {
  wchar_t title[256];
  std::swprintf(title, 256, L"%u (%ls - %ls)", static_cast<unsigned>(year.Year()),
                MonthName(locale_, year.FirstMonthIndex()).c_str(), MonthName(locale_, year.LastMonthIndex()).c_str());
  return title;
}

// The day she clicked carries a frame of its own, two pixels wide in the
// theme's dark colour, so she always sees which day the panes and commands
// act on; the hover mark only follows the mouse.
void CalendarPainter::DrawSelectionFrame(HDC dc, const Rect& cell) const {
  const COLORREF color = static_cast<COLORREF>(PaintedTheme(options_.theme).dark);
  const RECT r = ToRect(cell);
  for (int inset = 1; inset <= kSelectionFrameWidth; ++inset) {
    const RECT ring{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    Draw3dRect(dc, ring, color, color);
  }
}

void CalendarPainter::DrawWeekdayRow(HDC dc, const AFCYueObj& month, const MonthColors& colors) const {
  const Rect& m = month.bounds;
  const int ch = m.Height() / MonthLayout::kRows;
  const int cw = m.Width() / MonthLayout::kColumns;
  // Opaque: each name sits on a white box of its own.
  BkModeGuard opaque(dc, OPAQUE);
  const COLORREF oldBk = SetBkColor(dc, kWhite);
  Rectangle(dc, m.left, m.top + ch - 1, m.left + 7 * cw + 1, m.top + 2 * ch);

  // Sized by the month's width, and never taller than its row: a landscape
  // page makes wide, short months.
  SelectGuard selected(dc, fonts_.Get(std::min(m.Width() / 15, ch * 7 / 10), m.Width() / 15));
  // Keys DAY1 ... DAY7 run from Sunday; the columns run from Monday.
  static constexpr const char16_t* kDayKeys[7] = {u"DAY2", u"DAY3", u"DAY4", u"DAY5", u"DAY6", u"DAY7", u"DAY1"};
  for (int j = 0; j < MonthLayout::kColumns; ++j) {
    const RECT cell = ToRect(month.WeekdayCell(j));
    RECT fill = cell;
    if (j == 0) fill.left += 1;
    if (j == MonthLayout::kColumns - 1) fill.right = m.right;
    FillSolid(dc, fill, colors.weekdayRow);
    // Inside the cell, so the next cell's fill does not cover it.
    Line(dc, fill.right - 1, fill.top, fill.right - 1, fill.bottom);

    TextColorGuard color(dc, j >= 5 ? kWeekendRed : colors.text);
    DrawTextIn(dc, ToWide(locale_.Translate(kDayKeys[j])), cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SetBkColor(dc, oldBk);
}

void CalendarPainter::DrawMonth(HDC dc, const AFCYueObj& month, bool desktop, bool paper) const {
  const ThemeRecord theme = PaintedTheme(options_.theme);
  const MonthColors colors = MonthColorsFor(theme);
  const Rect& m = month.bounds;
  const int l = m.left, t = m.top, r = m.right, b = m.bottom;
  const int ch = m.Height() / MonthLayout::kRows;

  // Frames and outlines in black on white, whatever the context held before.
  SelectGuard pen(dc, GetStockObject(BLACK_PEN));
  SelectGuard brush(dc, GetStockObject(WHITE_BRUSH));

  FillSolid(dc, l, t, r, b, desktop ? kDesktopTransparent : kWhite);
  FillSolid(dc, l, t + ch + 1, r, b, desktop ? kDesktopTransparent : colors.background);

  const Rect leftTitle = month.LeftTitleCell();
  const Rect rightTitle = month.RightTitleCell();
  const RECT band = ToRect(month.TitleBand());
  {
    const int f = m.Width() / 100;
    const LOGFONTW& lf = FontCache::DefaultLogFont();
    SelectGuard selected(dc, fonts_.Get(MonthTitleFontHeight(lf.lfHeight, m.Width(), ch), lf.lfWeight * f));

    if (!desktop) FillSolid(dc, l, t, r, b, theme.pale);
    Rectangle(dc, l, t, r + 1, t + ch);
    // The month background only starts the title's gradient.
    const int rows = ch - 2;
    for (int i = 0; i < rows; ++i) {
      FillSolid(dc, l + 1, t + 1 + i, r, t + 2 + i, InterpolateColor(colors.background, colors.title, i, rows));
    }
    {
      BkModeGuard transparent(dc, TRANSPARENT);
      const std::wstring name = MonthName(locale_, month.monthIndex);
      // On the desktop the shadow would read as a second, ghost title.
      if (!desktop) {
        TextColorGuard shadow(dc, colors.title);
        DrawTextIn(dc, name, RECT{band.left + 3, band.top + 3, band.right + 3, band.bottom + 3},
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      TextColorGuard text(dc, colors.titleText);
      DrawTextIn(dc, name, band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    DrawWeekdayRow(dc, month, colors);
  }
  if (!desktop) {
    Line(dc, leftTitle.left, t + ch, rightTitle.right, t + ch);
    MoveToEx(dc, l, t + ch, nullptr);
    LineTo(dc, l, b);
    LineTo(dc, r, b);
    LineTo(dc, r, t + ch);
  }

  SelectGuard selected(dc, fonts_.Default());
  TextColorGuard text(dc, colors.text);
  for (const AFCDayObj& day : month.days) {
    BkModeGuard transparent(dc, TRANSPARENT);
    DrawDay(dc, day, day.hovered && !paper, paper);
  }
}

void CalendarPainter::DrawDay(HDC dc, const AFCDayObj& day, bool hovered, bool paper) const {
  const RECT cell = ToRect(day.rect);
  const int l = cell.left, t = cell.top, r = cell.right, b = cell.bottom;
  const int cw = r - l;
  const PackedDate date = day.Date();
  // Screen pixels of a reference cell to the cell's units on paper.
  const auto s = [&](int v) { return paper ? v * cw / kPaperCellReference : v; };

  // The font is sized by the cell, so the marks scale with the view; on
  // paper it also fits the cell's height, which a landscape page makes short.
  const int fontHeight = paper ? std::min(cw / 2, (b - t) * 3 / 5) : cw / 2;
  SelectGuard selected(dc, fonts_.Get(fontHeight, cw / 2));
  TextColorGuard keepText(dc, GetTextColor(dc));

  const DayCellLook look = DecideDayCellLook(model_.GetDayClass(date), model_.GetCachedDay(date), options_,
                                             paper ? kPaperCellReference : cw, hovered);
  if (look.fill) FillSolid(dc, cell, static_cast<COLORREF>(*look.fill));
  // The number's box, top right: no picture is drawn over it. On paper it
  // keeps a margin of a twentieth of the cell from the borders.
  const int margin = paper ? std::max(1, cw / 20) : 1;
  const std::wstring number = ToWide(day.Text());
  SIZE extent{};
  GetTextExtentPoint32W(dc, number.c_str(), static_cast<int>(number.size()), &extent);
  const Rect numberBox{r - margin - extent.cx, t + margin, r - margin, t + margin + extent.cy};
  const Rect cellBox{l, t, r, b};
  const auto draw = [&](int picture, int x, int y) {
    const SIZE size = MaskedPictures::Size(picture);
    const Point at = MarkPlace(Point{x, y}, s(size.cx), s(size.cy), numberBox, cellBox);
    if (paper) {
      MaskedPictures::DrawScaled(dc, at.x, at.y, s(size.cx), s(size.cy), picture, kIconKey);
    } else {
      MaskedPictures::Draw(dc, at.x, at.y, picture, kIconKey);
    }
  };
  if (look.icon) draw(look.icon, l + s(0), b - s(19));
  if (look.note) draw(IDB_DAY_NOTE, l + s(14), t + s(18));
  if (look.sex == MarkStyle::Picture) {
    draw(IDB_DAY_SEX, l + s(0), t + s(3));
  } else if (look.sex == MarkStyle::Letter) {
    DrawTextIn(dc, L"S", RECT{l + 3, b - 35, l + 19, b - 5}, DT_RIGHT | DT_SINGLELINE);
  }
  if (look.pill == MarkStyle::Picture) {
    draw(IDB_DAY_PILL, l + s(2), t + s(18));
  } else if (look.pill == MarkStyle::Letter) {
    DrawTextIn(dc, L"P", RECT{l + 12, b - 25, l + 33, b + 5}, DT_RIGHT | DT_SINGLELINE);
  }
  if (look.mood) draw(look.mood, l + s(14), t + s(5));
  // Beside the bottom-left icon.
  if (look.disturbed) draw(IDB_DAY_DISTURBED, l + s(17), b - s(13));

  DrawRaised(dc, cell);
  const bool today = date == clock_.Today();
  if (today) {
    const POINT path[] = {{l - 1, t + 1}, {r - 1, t + 1}, {r - 1, b - 1}, {l + 1, b - 1}, {l + 1, t + 1}};
    Polyline(dc, path, 5);
    DrawSunken(dc, cell);
  }
  // Readable on any fill: the colour of the number follows the cell's colour.
  const ColorRef beneath = look.fill ? *look.fill : PaintedTheme(options_.theme).pale;
  SetTextColor(dc, static_cast<COLORREF>(DayNumberColor(beneath, today)));
  DrawTextIn(dc, number, RECT{l, t + margin, r - margin, b - 3}, DT_RIGHT | DT_TOP | DT_SINGLELINE);
  if (hovered) DrawSunken(dc, cell);
}

namespace {

// Where a day may leave ink: its cell, the today path one pixel to its left,
// the marks of a narrow cell reaching past its right edge and the "P" of a
// wide one below it.
Rect InkBounds(const Rect& cell) {
  return Rect{cell.left - 1, cell.top, std::max(cell.right, cell.left + 33), cell.bottom + 5};
}

bool Intersects(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

// A full paint draws, under any day cell, the month's pale fill, then the
// month's days in list order (a day may draw into its neighbours), then the
// later months, which cover whatever the earlier ones left on them. So a
// cell is rebuilt by clipping to it less the later months, filling it pale
// and drawing again, in order, every day of its month whose ink reaches it.
void CalendarPainter::RepaintCells(HDC dc, const AFCYearObj& year, const std::vector<Rect>& cells) const {
  const ThemeRecord theme = PaintedTheme(options_.theme);
  const MonthColors colors = MonthColorsFor(theme);
  const auto& months = year.Months();
  for (const Rect& cell : cells) {
    size_t owner = months.size();
    for (size_t i = 0; i < months.size() && owner == months.size(); ++i) {
      for (const AFCDayObj& day : months[i].days) {
        if (day.rect == cell) {
          owner = i;
          break;
        }
      }
    }
    if (owner == months.size()) continue;  // not a day of this view

    Region clip(CreateRectRgn(cell.left, cell.top, cell.right, cell.bottom));
    if (!clip) continue;
    for (size_t later = owner + 1; later < months.size(); ++later) {
      const Rect& m = months[later].bounds;
      Region covered(CreateRectRgn(m.left, m.top, m.right, m.bottom));
      if (covered) CombineRgn(clip.Get(), clip.Get(), covered.Get(), RGN_DIFF);
    }
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, clip.Get());
    FillSolid(dc, ToRect(cell), theme.pale);
    // The context as DrawMonth leaves it for its days.
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, fonts_.Default());
    SetTextColor(dc, colors.text);
    SetBkMode(dc, TRANSPARENT);
    for (const AFCDayObj& day : months[owner].days) {
      if (Intersects(InkBounds(day.rect), cell)) DrawDay(dc, day, day.hovered);
    }
    // The selection frame goes over the days, as in a full repaint.
    if (const AFCDayObj* selected = year.SelectedCell(); selected && Intersects(selected->rect, cell)) {
      DrawSelectionFrame(dc, selected->rect);
    }
    RestoreDC(dc, saved);
  }
}
