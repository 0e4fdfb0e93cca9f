// The calendar painter as it was before hover repaints touched only two
// cells: a font created and deleted per cell and a picture mask built per
// mark. Kept here only so the timing program can show both side by side in
// one run; the program itself never uses it.
#pragma once

#include <windows.h>

#include "env/theme.h"
#include "ui/calendar/calendar_layout.h"

class MenstualManager;
class OptionsManager;
class LocaleManager;
class IClock;

namespace legacy {

// The window-side names of the calendar's model objects: the view, a month
// and a day cell. They are the layout's own structs; the window adds only
// hover and button state, which it keeps itself.
using AFCYearObj = CalendarLayout;
using AFCYueObj = MonthLayout;
using AFCDayObj = DayCell;

// The colours a month is painted with, taken from the theme (or from the
// Windows system colours when the theme asks for them).
struct MonthColors {
  COLORREF background = 0;
  COLORREF text = 0;
  COLORREF title = 0;
  COLORREF weekdayRow = 0;
  COLORREF titleText = 0;
};

// The theme colours as painted: with the system-colours flag the dark colour
// is the active caption's and the base and pale colours the tooltip's.
[[nodiscard]] ThemeRecord PaintedTheme(const ThemeRecord& theme);
[[nodiscard]] MonthColors MonthColorsFor(const ThemeRecord& theme);

// Draws the calendar on any device context: the control's off-screen
// buffer, a printer, or the desktop picture. It reads day classes and day
// records from the cycle manager's memory caches, never from the file twice.
class CalendarPainter {
 public:
  // The colour the desktop picture treats as transparent.
  static constexpr COLORREF kDesktopTransparent = RGB(1, 1, 1);
  // Keys of the pictures: white for the day marks, light grey for the arrows.
  static constexpr COLORREF kIconKey = RGB(255, 255, 255);
  static constexpr COLORREF kArrowKey = RGB(200, 200, 200);

  CalendarPainter(MenstualManager& model, const OptionsManager& options, const LocaleManager& locale,
                  const IClock& clock);

  // The whole view: header band with title and buttons, then the months.
  // Places the Back and Next buttons in the view (hit testing uses them).
  void DrawYear(HDC dc, AFCYearObj& year, bool overBack, bool overNext) const;
  // One month; desktop: the month goes onto the desktop picture, so its
  // background is the transparent colour and it gets no frames.
  void DrawMonth(HDC dc, const AFCYueObj& month, bool desktop = false) const;
  // One day cell; hovered selects the hovered look.
  void DrawDay(HDC dc, const AFCDayObj& day, bool hovered) const;

  // Measures the button labels in the header font and places the buttons,
  // without painting (the window does this before its first paint).
  void PlaceButtons(HDC dc, AFCYearObj& year) const;

  // Draws a bitmap with its top-left corner at (x, y); pixels of the key
  // colour leave the destination as it was.
  static void DrawTransparentBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF key);
  // A picture of the program's resources, loaded on first use and kept for
  // the life of the process; null when it is missing.
  static HBITMAP Picture(int id);

 private:
  int MeasureButtonLabel(HDC dc) const;
  void DrawHeaderGradient(HDC dc, const Rect& band, const ThemeRecord& theme) const;
  void DrawButtons(HDC dc, const AFCYearObj& year, const ThemeRecord& theme, bool overBack, bool overNext) const;
  void DrawWeekdayRow(HDC dc, const AFCYueObj& month, const MonthColors& colors) const;

  MenstualManager& model_;
  const OptionsManager& options_;
  const LocaleManager& locale_;
  const IClock& clock_;
};

}  // namespace legacy

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
#include "ui/widgets/gdi_win32.h"

namespace legacy {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWeekendRed = RGB(255, 0, 0);
constexpr COLORREF kTodayBlue = RGB(0, 0, 255);
// GDI knows weights up to 1000; the scaled month-title font asks for more.
constexpr LONG kHeaviestWeight = 1000;

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

// Every font of the calendar is the system's dialog font, scaled.
LOGFONTW DefaultLogFont() {
  LOGFONTW lf{};
  HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
  if (!stock || GetObjectW(stock, sizeof lf, &lf) == 0) {
    stock = GetStockObject(ANSI_VAR_FONT);
    if (stock) GetObjectW(stock, sizeof lf, &lf);
  }
  return lf;
}

Font MakeFont(LONG height, LONG weight) {
  LOGFONTW lf = DefaultLogFont();
  lf.lfHeight = height;
  lf.lfWeight = std::clamp(weight, LONG{0}, kHeaviestWeight);
  return Font(CreateFontIndirectW(&lf));
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
  c.titleText = theme.light;
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

HBITMAP CalendarPainter::Picture(int id) {
  // Loaded once per process; a missing picture is remembered as missing too.
  static std::map<int, Bitmap> cache;
  auto it = cache.find(id);
  if (it == cache.end()) {
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    it = cache.emplace(id, Bitmap(bitmap)).first;
  }
  return it->second.Get();
}

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
  const LOGFONTW lf = DefaultLogFont();
  Font font = MakeFont(lf.lfHeight + lf.lfHeight / 10, FW_SEMIBOLD);
  SelectGuard selected(dc, font.Get());
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
  DrawTransparentBitmap(dc, back.left, back.top + 4, Picture(IDB_ARROW_BACK), kArrowKey);
  DrawTransparentBitmap(dc, next.right - 9, next.top + 4, Picture(IDB_ARROW_NEXT), kArrowKey);

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

void CalendarPainter::DrawYear(HDC dc, AFCYearObj& year, bool overBack, bool overNext) const {
  const ThemeRecord theme = PaintedTheme(options_.theme);
  const Rect& b = year.Bounds();
  FillSolid(dc, 0, 0, b.right + 14, b.bottom, theme.base);
  const Rect band = year.HeaderBand();
  DrawHeaderGradient(dc, band, theme);

  const LOGFONTW lf = DefaultLogFont();
  Font font = MakeFont(lf.lfHeight + lf.lfHeight / 10, FW_SEMIBOLD);
  SelectGuard selectedFont(dc, font.Get());
  year.PlaceButtons(MeasureButtonLabel(dc));
  {
    BkModeGuard transparent(dc, TRANSPARENT);
    DrawButtons(dc, year, theme, overBack, overNext);

    wchar_t title[256];
    std::swprintf(title, 256, L"%u (%ls - %ls)", static_cast<unsigned>(year.Year()),
                  MonthName(locale_, year.FirstMonthIndex()).c_str(),
                  MonthName(locale_, year.LastMonthIndex()).c_str());
    TextColorGuard white(dc, kWhite);
    DrawTextIn(dc, title, ToRect(band), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  for (const AFCYueObj& month : year.Months()) DrawMonth(dc, month);
}

void CalendarPainter::DrawWeekdayRow(HDC dc, const AFCYueObj& month, const MonthColors& colors) const {
  const Rect& m = month.bounds;
  const int ch = m.Height() / MonthLayout::kRows;
  const int cw = m.Width() / MonthLayout::kColumns;
  // Opaque: each name sits on a white box of its own.
  BkModeGuard opaque(dc, OPAQUE);
  const COLORREF oldBk = SetBkColor(dc, kWhite);
  Rectangle(dc, m.left, m.top + ch - 1, m.left + 7 * cw + 1, m.top + 2 * ch);

  Font font = MakeFont(m.Width() / 15, m.Width() / 15);
  SelectGuard selected(dc, font.Get());
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

void CalendarPainter::DrawMonth(HDC dc, const AFCYueObj& month, bool desktop) const {
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
    const LOGFONTW lf = DefaultLogFont();
    Font titleFont = MakeFont(lf.lfHeight * f, lf.lfWeight * f);
    SelectGuard selected(dc, titleFont.Get());

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
      {
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

  const LOGFONTW dayLf = DefaultLogFont();
  Font dayFont(CreateFontIndirectW(&dayLf));
  SelectGuard selected(dc, dayFont.Get());
  TextColorGuard text(dc, colors.text);
  for (const AFCDayObj& day : month.days) {
    BkModeGuard transparent(dc, TRANSPARENT);
    DrawDay(dc, day, day.hovered);
  }
}

void CalendarPainter::DrawDay(HDC dc, const AFCDayObj& day, bool hovered) const {
  const RECT cell = ToRect(day.rect);
  const int l = cell.left, t = cell.top, r = cell.right, b = cell.bottom;
  const int cw = r - l;
  const PackedDate date = day.Date();

  // One font per cell, sized by the cell, so the marks scale with the view.
  Font font = MakeFont(cw / 2, cw / 2);
  SelectGuard selected(dc, font.Get());
  TextColorGuard keepText(dc, GetTextColor(dc));

  const DayCellLook look =
      DecideDayCellLook(model_.GetDayClass(date), model_.GetCachedDay(date), options_, cw, hovered);
  if (look.fill) FillSolid(dc, cell, static_cast<COLORREF>(*look.fill));
  if (look.icon) DrawTransparentBitmap(dc, l, b - 19, Picture(look.icon), kIconKey);
  if (look.note) DrawTransparentBitmap(dc, l + 14, t + 18, Picture(IDB_DAY_NOTE), kIconKey);
  if (look.sex == MarkStyle::Picture) {
    DrawTransparentBitmap(dc, l, t + 3, Picture(IDB_DAY_SEX), kIconKey);
  } else if (look.sex == MarkStyle::Letter) {
    DrawTextIn(dc, L"S", RECT{l + 3, b - 35, l + 19, b - 5}, DT_RIGHT | DT_SINGLELINE);
  }
  if (look.pill == MarkStyle::Picture) {
    DrawTransparentBitmap(dc, l + 2, t + 18, Picture(IDB_DAY_PILL), kIconKey);
  } else if (look.pill == MarkStyle::Letter) {
    DrawTextIn(dc, L"P", RECT{l + 12, b - 25, l + 33, b + 5}, DT_RIGHT | DT_SINGLELINE);
  }
  if (look.mood) DrawTransparentBitmap(dc, l + 14, t + 5, Picture(look.mood), kIconKey);

  DrawRaised(dc, cell);
  const bool today = date == clock_.Today();
  if (today) {
    const POINT path[] = {{l - 1, t + 1}, {r - 1, t + 1}, {r - 1, b - 1}, {l + 1, b - 1}, {l + 1, t + 1}};
    Polyline(dc, path, 5);
    DrawSunken(dc, cell);
  }
  SetTextColor(dc, today ? kTodayBlue : kBlack);
  DrawTextIn(dc, ToWide(day.Text()), RECT{l, t + 1, r - 1, b - 3}, DT_RIGHT | DT_TOP | DT_SINGLELINE);
  if (hovered) DrawSunken(dc, cell);
}

}  // namespace legacy
