#include "ui/frame/calendar_printer_win32.h"

#include <commdlg.h>

#include <algorithm>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "settings/options_manager.h"
#include "ui/widgets/gdi_win32.h"
#include "env/access_key.h"
#include "resources/image_ids.h"
#include "ui/calendar/calendar_painter_win32.h"
#include "ui/calendar/gdi_cache_win32.h"

namespace {

// The printer context of one print job; deleted exactly once.
class PrinterDC {
 public:
  explicit PrinterDC(HDC dc) : dc_(dc) {}
  ~PrinterDC() {
    if (dc_) DeleteDC(dc_);
  }
  PrinterDC(const PrinterDC&) = delete;
  PrinterDC& operator=(const PrinterDC&) = delete;
  [[nodiscard]] HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Global memory the print dialog hands back.
void FreeGlobal(HGLOBAL memory) {
  if (memory) GlobalFree(memory);
}

// A colour square of the legend with a thin black edge, so a light colour
// (low fertility is white) still shows on white paper.
void FillSquare(HDC dc, const Rect& r, COLORREF colour) {
  const RECT rect{r.left, r.top, r.right, r.bottom};
  const COLORREF previous = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
  // About a quarter of a millimetre on any printer.
  const int w = std::max(1, GetDeviceCaps(dc, LOGPIXELSX) / 100);
  const Brush edge(CreateSolidBrush(RGB(0, 0, 0)));
  if (!edge) return;
  for (const RECT& side : {RECT{r.left, r.top, r.right, r.top + w}, RECT{r.left, r.bottom - w, r.right, r.bottom},
                           RECT{r.left, r.top, r.left + w, r.bottom}, RECT{r.right - w, r.top, r.right, r.bottom}}) {
    FillRect(dc, &side, edge.Get());
  }
}

// A day mark's picture in a legend square, in the proportion it has in a day
// cell: the largest mark (the heart) fills the square.
void DrawMark(HDC dc, const Rect& square, int picture) {
  constexpr int kLargestMark = 15;
  const SIZE size = MaskedPictures::Size(picture);
  const int w = size.cx * square.Width() / kLargestMark;
  const int h = size.cy * square.Height() / kLargestMark;
  MaskedPictures::DrawScaled(dc, square.left + (square.Width() - w) / 2, square.top + (square.Height() - h) / 2, w, h,
                             picture, CalendarPainter::kIconKey);
}

void Text(HDC dc, const Point& at, const std::wstring& text) {
  TextOutW(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

CalendarPrinter::Choice CalendarPrinter::SystemChoosePrinter(HWND owner) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  const BOOL ok = PrintDlgW(&pd);
  FreeGlobal(pd.hDevMode);
  FreeGlobal(pd.hDevNames);
  if (!ok) {
    if (const DWORD error = CommDlgExtendedError()) LogError(L"PrintDlg", error);
    if (pd.hDC) DeleteDC(pd.hDC);
    return {};
  }
  return {pd.hDC, {}};
}

CalendarPrinter::CalendarPrinter(const OptionsManager& options, const LocaleManager& locale, const Prompts& prompts,
                                 ChoosePrinter choose)
    : options_(options), locale_(locale), prompts_(prompts), choose_(std::move(choose)) {}

PrintPage CalendarPrinter::PageOf(HDC printer) {
  PrintPage page;
  page.width = GetDeviceCaps(printer, HORZRES);
  page.height = GetDeviceCaps(printer, VERTRES);
  page.offsetX = GetDeviceCaps(printer, PHYSICALOFFSETX);
  page.offsetY = GetDeviceCaps(printer, PHYSICALOFFSETY);
  page.dpiX = GetDeviceCaps(printer, LOGPIXELSX);
  page.dpiY = GetDeviceCaps(printer, LOGPIXELSY);
  return page;
}

CalendarPrinter::Result CalendarPrinter::Print(HWND owner, const AFCYearObj& shown, const CalendarPainter& painter) {
  const Choice choice = choose_ ? choose_(owner) : SystemChoosePrinter(owner);
  if (!choice.dc) return Result::Cancelled;
  const Result result = PrintOnto(choice.dc, shown, painter, choice.outputFile);
  if (result == Result::Failed && prompts_.messageBox) {
    prompts_.messageBox(owner, ToWide(locale_.Translate(u"ERROR_CANT_PRINT")), ToWide(locale_.Translate(u"ERROR")),
                        MB_OK | MB_ICONINFORMATION);
  }
  return result;
}

CalendarPrinter::Result CalendarPrinter::PrintOnto(HDC printer, const AFCYearObj& shown,
                                                   const CalendarPainter& painter,
                                                   const std::wstring& outputFile) const {
  const PrinterDC dc(printer);
  if (!dc.Get()) return Result::Failed;
  const std::wstring name = ToWide(locale_.Translate(u"APP_NAME"));
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = name.c_str();
  doc.lpszOutput = outputFile.empty() ? nullptr : outputFile.c_str();
  if (StartDocW(dc.Get(), &doc) <= 0) {
    LogLastError(L"StartDoc");
    return Result::Failed;
  }
  if (StartPage(dc.Get()) <= 0) {
    LogLastError(L"StartPage");
    AbortDoc(dc.Get());
    return Result::Failed;
  }
  const PrintLayout layout = LayOutPrintPage(PageOf(dc.Get()));
  // A copy of the shown view: the screen keeps its own layout untouched.
  AFCYearObj page = shown;
  page.SetBounds(layout.calendarBounds);
  page.LayoutMonths();
  painter.DrawYear(dc.Get(), page, false, false, true);
  DrawLegend(dc.Get(), layout, painter.YearTitle(page));

  const bool pageEnded = EndPage(dc.Get()) > 0;
  if (!pageEnded) LogLastError(L"EndPage");
  const bool docEnded = pageEnded ? EndDoc(dc.Get()) > 0 : (AbortDoc(dc.Get()), false);
  if (pageEnded && !docEnded) LogLastError(L"EndDoc");
  return pageEnded && docEnded ? Result::Printed : Result::Failed;
}

void CalendarPrinter::DrawLegend(HDC dc, const PrintLayout& layout, const std::wstring& yearTitle) const {
  // The printer's own face at a size fixed in points, so the legend reads
  // the same on every printer.
  LOGFONTW lf{};
  lf.lfHeight = -layout.fontHeight;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  Font font(CreateFontIndirectW(&lf));
  SelectGuard selected(dc, font.Get());
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF previousColour = SetTextColor(dc, RGB(0, 0, 0));

  Text(dc, layout.yearTitle, yearTitle);
  Text(dc, layout.title, ToWide(WithoutAccessKey(locale_.Translate(u"PANE4_TITLE"))));
  static constexpr const char16_t* kLabels[6] = {u"MSG_FLOW",     u"MSG_PROGNOZE", u"MSG_NFERTILE",
                                                 u"MSG_FERTILE", u"MSG_LFERTILE", u"MSG_OVULATION"};
  for (size_t k = 0; k < 6; ++k) {
    FillSquare(dc, layout.entries[k].square, static_cast<COLORREF>(options_.colors[k]));
    Text(dc, layout.entries[k].label, ToWide(locale_.Translate(kLabels[k])));
  }
  // The marks as the printed days show them: the heart and the pill.
  DrawMark(dc, layout.sexSquare, IDB_DAY_SEX);
  Text(dc, layout.sexLabel, ToWide(WithoutAccessKey(locale_.Translate(u"WAS_SEX"))));
  DrawMark(dc, layout.pillSquare, IDB_DAY_PILL);
  Text(dc, layout.pillLabel, ToWide(WithoutAccessKey(locale_.Translate(u"TOOK_PILL"))));

  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
}
