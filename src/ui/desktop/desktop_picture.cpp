#include "ui/desktop/desktop_picture.h"

#include <algorithm>
#include <cstring>

int CalendarSide(int screenWidth, int screenHeight, int x, int y, int scale) {
  // In whole numbers: scale / 100 x the shorter side, cut toward zero.
  const long long wanted = static_cast<long long>(scale) * std::min(screenWidth, screenHeight) / 100;
  const long long across = static_cast<long long>(screenWidth) - x;
  const long long down = static_cast<long long>(screenHeight) - y;
  return static_cast<int>(std::max(0LL, std::min({wanted, across, down})));
}

bool BlendMonth(const PixelView& screen, const PixelView& month, int x, int y, int opacity) {
  if (opacity < 0 || opacity > 255) return false;
  const int x0 = std::max(0, x);
  const int y0 = std::max(0, y);
  const int x1 = std::min(screen.width, x + month.width);
  const int y1 = std::min(screen.height, y + month.height);
  for (int sy = y0; sy < y1; ++sy) {
    for (int sx = x0; sx < x1; ++sx) {
      const uint8_t* m = month.At(sx - x, sy - y);
      if (IsTransparentPixel(m)) continue;
      uint8_t* s = screen.At(sx, sy);
      for (int c = 0; c < 3; ++c) s[c] = static_cast<uint8_t>((m[c] * opacity + s[c] * (255 - opacity)) / 256);
    }
  }
  return true;
}

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const PixelView& image) {
  constexpr size_t kHeaders = 14 + 40;
  const int width = std::max(0, image.width);
  const int height = std::max(0, image.height);
  const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  const size_t pixelBytes = rowBytes * static_cast<size_t>(height);
  std::vector<uint8_t> out(kHeaders + pixelBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<uint32_t>(out.size()));
  Put32(out, 10, kHeaders);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<uint32_t>(width));
  Put32(out, 22, static_cast<uint32_t>(height));  // positive: rows bottom-up
  Put16(out, 26, 1);                               // planes
  Put16(out, 28, 24);                              // bits per pixel
  Put32(out, 30, 0);                               // no compression
  Put32(out, 34, static_cast<uint32_t>(pixelBytes));
  for (int row = 0; row < height; ++row) {
    const uint8_t* from = image.data + static_cast<size_t>(height - 1 - row) * image.stride;
    std::memcpy(out.data() + kHeaders + rowBytes * static_cast<size_t>(row), from, static_cast<size_t>(width) * 3);
  }
  return out;
}
