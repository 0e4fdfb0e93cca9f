#pragma once

#include <windows.h>

#include <map>
#include <utility>

#include "ui/widgets/gdi_win32.h"

// The calendar's fonts, one per height and weight, made from the system's
// dialog font on first use and kept: a repaint used to create and delete one
// font per day cell, which cost more than drawing the cell.
class FontCache {
 public:
  // The logical font every calendar font is scaled from.
  [[nodiscard]] static const LOGFONTW& DefaultLogFont();

  // The dialog font with this height and weight (weight clamped to what GDI
  // knows); owned by the cache, so callers select it but never delete it.
  [[nodiscard]] HFONT Get(LONG height, LONG weight);
  // The unscaled dialog font.
  [[nodiscard]] HFONT Default();

  [[nodiscard]] size_t Size() const { return fonts_.size(); }

 private:
  std::map<std::pair<LONG, LONG>, Font> fonts_;
};

// The program's pictures with their transparency masks, loaded and built
// once per process: the mask of a picture never changes, and building it took
// a monochrome bitmap and a blit on every mark of every cell.
class MaskedPictures {
 public:
  // A picture of the program's resources, or null when it is missing.
  [[nodiscard]] static HBITMAP Picture(int id);
  // Draws the picture with its top-left corner at (x, y); pixels of the key
  // colour leave the destination as it was. Same pixels as
  // CalendarPainter::DrawTransparentBitmap, without building the mask.
  static void Draw(HDC dc, int x, int y, int id, COLORREF key);
  // Draws the picture grown to width x height, every pixel a filled
  // rectangle and no raster operation: a printer takes it as it takes text,
  // where a masked blit can come out as a speck or not at all.
  static void DrawScaled(HDC dc, int x, int y, int width, int height, int id, COLORREF key);
  // The picture's size; none when it is missing.
  [[nodiscard]] static SIZE Size(int id);
};
