#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "env/theme.h"
#include "ui/frame/band_layout.h"
#include "ui/widgets/gdi_win32.h"

// Paints the frame's top band: the theme's header picture (its filler tiled
// on the left of a wide window), the logo, and the four menu titles with
// their arrows, the hovered one raised. The header pictures are drawn
// straight from the program's resources, only the rows the band shows, so no
// copy of a picture twice the band's height is kept in memory; the small
// pictures are loaded once.
class BandPainter {
 public:
  using Titles = std::array<std::wstring, kBandTitleCount>;

  explicit BandPainter(HINSTANCE resources);
  BandPainter(const BandPainter&) = delete;
  BandPainter& operator=(const BandPainter&) = delete;

  // Measures the titles with the band's font (each without its first
  // character, the "&" of its access key) and places them for a window width.
  [[nodiscard]] BandTitles Layout(HDC dc, int windowWidth, const Titles& titles) const;
  // Paints the band, 0..windowWidth x 0..kBandHeight, into dc.
  void Paint(HDC dc, int windowWidth, const ThemeRecord& theme, const Titles& titles, const BandTitles& layout,
             int hovered);

 private:
  // A bitmap resource as it lies in the module: header, colours and rows.
  struct ResourceDib {
    const BITMAPINFO* info = nullptr;
    const void* bits = nullptr;
    int width = 0;
    int height = 0;  // rows, whichever way they are stored
    explicit operator bool() const { return info != nullptr; }
  };
  struct Header {
    ResourceDib picture;
    ResourceDib filler;
  };
  const Header& HeaderFor(ColorRef base);
  ResourceDib Find(int id) const;
  // Draws rows 0..rows-1 (counted from the top), columns sourceX..sourceX+width-1.
  static void DrawTopRows(HDC dc, const ResourceDib& dib, int x, int sourceX, int width, int rows);
  Bitmap Load(int id) const;

  HINSTANCE resources_;
  Header pink_, spring_, sky_;
  Bitmap logo_;
  Bitmap arrow_;
  Font font_;
};
