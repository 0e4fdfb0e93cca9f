// The band's header picture drawn from the program's resources, row by row
// as the band shows it, against the picture loaded whole and copied.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "env/theme.h"
#include "resources/image_ids.h"
#include "ui/frame/band_painter_win32.h"
#include "win/frame/frame_fixture.h"
#include "win/support/canvas_win32.h"

namespace {

using frametest::ProgramResources;

// The band as it was painted from whole pictures: the filler tiled left of
// the header, the header's top rows at the right edge.
void PaintReference(HDC dc, int windowWidth, int pictureId, int fillerId) {
  const HINSTANCE module = ProgramResources();
  const auto picture =
      static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(pictureId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  const auto filler =
      static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(fillerId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(picture, nullptr);
  ASSERT_NE(filler, nullptr);
  BITMAP p{}, f{};
  GetObjectW(picture, sizeof p, &p);
  GetObjectW(filler, sizeof f, &f);
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, filler);
  const int fillerEnd = windowWidth > p.bmWidth ? windowWidth - p.bmWidth : 0;
  for (int x = 0; x < fillerEnd; x += f.bmWidth) BitBlt(dc, x, 0, f.bmWidth, kBandHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, picture);
  const int destX = windowWidth > p.bmWidth ? windowWidth - p.bmWidth : 0;
  const int sourceX = p.bmWidth > windowWidth ? p.bmWidth - windowWidth : 0;
  BitBlt(dc, destX, 0, p.bmWidth - sourceX, kBandHeight, source, sourceX, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(picture);
  DeleteObject(filler);
}

TEST(BandPainter, DrawsTheHeaderRowsFromTheResourcesAsTheWholePictureShowsThem) {
  ASSERT_NE(ProgramResources(), nullptr);
  struct Case {
    ColorRef base;
    int picture;
    int filler;
  };
  const Case themes[] = {{MakeColor(205, 154, 254), IDB_HEADER_PINK, IDB_FILLER_PINK},
                         {MakeColor(255, 243, 112), IDB_HEADER_SPRING, IDB_FILLER_SPRING},
                         {MakeColor(97, 195, 255), IDB_HEADER_SKY, IDB_FILLER_SKY}};
  // Narrower than the header (its left part cut), exactly as wide, and wide
  // enough for the filler, with a last tile cut by the header.
  for (const int width : {640, 878, 1289}) {
    for (const Case& c : themes) {
      BandPainter painter(ProgramResources());
      Canvas drawn(width, kBandHeight), expected(width, kBandHeight);
      ASSERT_TRUE(drawn.Ok() && expected.Ok());
      const BandPainter::Titles titles{};
      painter.Paint(drawn.Dc(), width, DeriveTheme(c.base), titles, BandTitles{}, -1);
      PaintReference(expected.Dc(), width, c.picture, c.filler);
      int differing = 0, compared = 0;
      for (int y = 0; y < kBandHeight; ++y) {
        for (int x = 0; x < width; ++x) {
          if (x >= 10 && x < 10 + 237 && y >= 10 && y < 10 + 60) continue;  // the logo
          ++compared;
          if (drawn.At(x, y) != expected.At(x, y)) ++differing;
        }
      }
      EXPECT_EQ(differing, 0) << "width " << width << ", picture " << c.picture << ", of " << compared;
      // Not a blank band on both sides: the picture's own colours are there.
      EXPECT_NE(drawn.At(width - 1, 0), RGB(0, 128, 0));
      EXPECT_NE(drawn.At(width - 1, 0), drawn.At(width - 1, kBandHeight - 1));
    }
  }
}

}  // namespace
