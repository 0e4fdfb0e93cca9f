#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/calendar/calendar_painter_win32.h"
#include "ui/frame/print_layout.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;

// Prints one page: the shown four months, drawn by the calendar's own
// painter straight onto the printer, and the legend below them.
class CalendarPrinter {
 public:
  // What the print dialog chose: a printer context the caller then owns (null
  // when the user cancelled or there is no printer), and a file the page
  // goes into instead of the printer's port (empty: the port).
  struct Choice {
    HDC dc = nullptr;
    std::wstring outputFile;
  };
  using ChoosePrinter = std::function<Choice(HWND owner)>;
  // The system's print dialog (print, not setup), owned by owner.
  [[nodiscard]] static Choice SystemChoosePrinter(HWND owner);

  enum class Result { Printed, Cancelled, Failed };

  CalendarPrinter(const OptionsManager& options, const LocaleManager& locale, const Prompts& prompts,
                  ChoosePrinter choose);

  // File > Print: the dialog, then the page. A page that cannot be printed
  // is reported to the user.
  Result Print(HWND owner, const AFCYearObj& shown, const CalendarPainter& painter);

  // The page onto a printer context (deleted here, whatever happens).
  // outputFile: print into this file instead of the printer's port.
  [[nodiscard]] Result PrintOnto(HDC printer, const AFCYearObj& shown, const CalendarPainter& painter,
                                 const std::wstring& outputFile = {}) const;

  // What the printer says of its page.
  [[nodiscard]] static PrintPage PageOf(HDC printer);

 private:
  // The year title at the top, then the legend below the months.
  void DrawLegend(HDC dc, const PrintLayout& layout, const std::wstring& yearTitle) const;

  const OptionsManager& options_;
  const LocaleManager& locale_;
  const Prompts& prompts_;
  ChoosePrinter choose_;
};
