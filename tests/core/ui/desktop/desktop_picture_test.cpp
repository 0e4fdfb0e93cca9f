#include "ui/desktop/desktop_picture.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// The month has a size of its own: the offset moves it, it does not shrink
// it, unless the screen's edge leaves less room.
TEST(CalendarSide, ScaleOfTheShorterSideWhereverTheMonthStands) {
  struct Case {
    int w, h, x, y, scale, side;
  };
  const Case cases[] = {
      {1024, 768, 0, 0, 40, 307},
      {1024, 768, 100, 50, 70, 537},
      {1280, 720, 0, 0, 20, 144},
      {1280, 720, 800, 0, 40, 288},    // as large as at 0, 0
      {1280, 720, 0, 400, 40, 288},
      {768, 1024, 0, 0, 40, 307},      // upright screen: the width is the shorter side
      {1280, 720, 1100, 0, 40, 180},   // near the right edge: the room left
      {1280, 720, 0, 600, 40, 120},    // near the bottom: the room left
      {1024, 768, 1024, 0, 40, 0},     // no room right of x
      {1024, 768, 2000, 0, 40, 0},     // an offset beyond the screen gives no square
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CalendarSide(c.w, c.h, c.x, c.y, c.scale), c.side) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
  }
}

void Fill(Image24& image, uint8_t b, uint8_t g, uint8_t r) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      uint8_t* p = image.View().At(x, y);
      p[0] = b;
      p[1] = g;
      p[2] = r;
    }
  }
}

std::array<int, 3> Pixel(Image24& image, int x, int y) {
  const uint8_t* p = image.View().At(x, y);
  return {p[0], p[1], p[2]};
}

TEST(BlendMonth, ChannelFormulaTransparencyAndPlacement) {
  struct Case {
    int opacity;
    std::array<int, 3> screen, month, result;
  };
  const Case cases[] = {
      {0, {255, 255, 255}, {0, 0, 0}, {254, 254, 254}},      // only the screen, x 255 / 256
      {255, {0, 0, 0}, {255, 255, 255}, {254, 254, 254}},    // only the month, the same way
      {70, {200, 100, 0}, {10, 20, 250}, {(10 * 70 + 200 * 185) / 256, (20 * 70 + 100 * 185) / 256, 250 * 70 / 256}},
      {128, {1, 2, 3}, {0, 0, 0}, {0, 0, 1}},
      // (1, 1, 1) and any other sum of 3 keep the screen exactly.
      {255, {9, 8, 7}, {1, 1, 1}, {9, 8, 7}},
      {255, {9, 8, 7}, {3, 0, 0}, {9, 8, 7}},
      {255, {9, 8, 7}, {2, 2, 0}, {2 * 255 / 256, 2 * 255 / 256, 0}},  // sum 4: painted
  };
  for (const Case& c : cases) {
    Image24 screen(5, 4);
    Image24 month(2, 2);
    Fill(screen, static_cast<uint8_t>(c.screen[0]), static_cast<uint8_t>(c.screen[1]), static_cast<uint8_t>(c.screen[2]));
    Fill(month, static_cast<uint8_t>(c.month[0]), static_cast<uint8_t>(c.month[1]), static_cast<uint8_t>(c.month[2]));
    ASSERT_TRUE(BlendMonth(screen.View(), month.View(), 2, 1, c.opacity));
    EXPECT_EQ(Pixel(screen, 2, 1), c.result) << "opacity " << c.opacity;
    EXPECT_EQ(Pixel(screen, 3, 2), c.result) << "opacity " << c.opacity;
    // Outside the square the screen is untouched.
    for (auto [x, y] : {std::pair{1, 1}, {4, 1}, {2, 0}, {2, 3}}) EXPECT_EQ(Pixel(screen, x, y), c.screen);
  }
}

TEST(BlendMonth, RefusesOpacityOutsideTheByteAndClipsAtTheEdges) {
  Image24 screen(3, 3);
  Image24 month(2, 2);
  Fill(screen, 50, 60, 70);
  Fill(month, 200, 200, 200);
  const std::vector<uint8_t> before = screen.pixels;
  EXPECT_FALSE(BlendMonth(screen.View(), month.View(), 0, 0, 256));
  EXPECT_FALSE(BlendMonth(screen.View(), month.View(), 0, 0, -1));
  EXPECT_EQ(screen.pixels, before);
  // Hanging over the bottom-right corner: only the inside pixel changes.
  ASSERT_TRUE(BlendMonth(screen.View(), month.View(), 2, 2, 255));
  EXPECT_EQ(Pixel(screen, 2, 2), (std::array<int, 3>{199, 199, 199}));
  EXPECT_EQ(Pixel(screen, 1, 1), (std::array<int, 3>{50, 60, 70}));
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

TEST(EncodeBmp, HeadersAndBottomUpPaddedRows) {
  Image24 image(3, 2);  // 9 bytes a row, padded to 12
  Fill(image, 1, 2, 3);
  uint8_t* topLeft = image.View().At(0, 0);
  topLeft[0] = 0xAA;
  uint8_t* bottomRight = image.View().At(2, 1);
  bottomRight[2] = 0xBB;
  const std::vector<uint8_t> bmp = EncodeBmp(image.View());
  ASSERT_EQ(bmp.size(), 54u + 24u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Le32(bmp, 2), 78u);
  EXPECT_EQ(Le32(bmp, 6), 0u);  // reserved words
  EXPECT_EQ(Le32(bmp, 10), 54u);
  EXPECT_EQ(Le32(bmp, 14), 40u);
  EXPECT_EQ(Le32(bmp, 18), 3u);
  EXPECT_EQ(Le32(bmp, 22), 2u);
  EXPECT_EQ(bmp[26] | (bmp[27] << 8), 1);
  EXPECT_EQ(bmp[28] | (bmp[29] << 8), 24);
  EXPECT_EQ(Le32(bmp, 30), 0u);
  EXPECT_EQ(Le32(bmp, 34), 24u);
  // The file's first row is the image's bottom row.
  EXPECT_EQ(bmp[54 + 2 * 3 + 2], 0xBB);
  EXPECT_EQ(bmp[54 + 12], 0xAA);
  EXPECT_EQ(bmp[54 + 9], 0);  // padding
  EXPECT_EQ(bmp[54 + 12 + 1], 2);
}

}  // namespace
