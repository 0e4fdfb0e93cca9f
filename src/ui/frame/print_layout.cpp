#include "ui/frame/print_layout.h"

#include <cstdint>

namespace {

// value at the reference resolution, at dpi, rounded to the nearest unit.
int Scale(int value, int dpi) {
  if (dpi <= 0) dpi = kLegendReferenceDpi;
  const std::int64_t scaled = (static_cast<std::int64_t>(value) * dpi * 2 + kLegendReferenceDpi) /
                              (2 * kLegendReferenceDpi);
  return static_cast<int>(scaled);
}

}  // namespace

PrintLayout LayOutPrintPage(const PrintPage& page) {
  PrintLayout l;
  const int a = page.width;
  const int b = page.height;
  const int x0 = page.offsetX;
  const int y0 = page.offsetY;
  l.calendarHeight = b > a ? a : static_cast<int>(static_cast<std::int64_t>(b) * 7 / 10);
  l.columnStep = (x0 + a - 2) / 3;

  const int squareW = Scale(kLegendSquare, page.dpiX);
  const int squareH = Scale(kLegendSquare, page.dpiY);
  const int labelOffset = Scale(kLegendLabelOffset, page.dpiX);
  const int lineStep = Scale(kLegendLineStep, page.dpiY);
  l.yearTitle = Point{x0, y0};
  l.calendarBounds = Rect{x0, y0 + lineStep, a - x0, l.calendarHeight - y0};
  const int dpiY = page.dpiY > 0 ? page.dpiY : kLegendReferenceDpi;
  l.fontHeight = (kLegendFontPoints * dpiY + 36) / 72;

  int y = y0 + l.calendarHeight;
  l.title = Point{x0, y};
  y += lineStep;
  for (int row = 0; row < 3; ++row) {
    int x = x0;
    for (int column = 0; column < 2; ++column) {
      LegendEntryPlace& e = l.entries[static_cast<size_t>(row * 2 + column)];
      e.square = Rect{x, y, x + squareW, y + squareH};
      e.label = Point{x + labelOffset, y};
      x += l.columnStep;
    }
    y += lineStep;
  }
  l.sexSquare = Rect{x0, y, x0 + squareW, y + squareH};
  l.sexLabel = Point{x0 + labelOffset, y};
  l.pillSquare = Rect{x0 + l.columnStep, y, x0 + l.columnStep + squareW, y + squareH};
  l.pillLabel = Point{x0 + l.columnStep + labelOffset, y};
  return l;
}
