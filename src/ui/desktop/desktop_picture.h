#pragma once

// The desktop calendar's picture without windows: the size of the calendar
// square, the blending of the month over the screen image, and the BMP file
// the wallpaper is made of.

#include <cstddef>
#include <cstdint>
#include <vector>

// A 24-bit image in memory, rows top-down, 3 bytes per pixel in the order
// blue, green, red, each row `stride` bytes long (a DIB section's rows are
// padded to 4 bytes).
struct PixelView {
  uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  [[nodiscard]] uint8_t* At(int x, int y) const { return data + static_cast<size_t>(y) * stride + x * 3; }
};

// An image that owns its pixels (tests, and the picture before it is written).
struct Image24 {
  Image24(int w, int h) : width(w), height(h), stride(((w * 3) + 3) & ~3), pixels(static_cast<size_t>(stride) * h) {}
  int width;
  int height;
  int stride;
  std::vector<uint8_t> pixels;

  [[nodiscard]] PixelView View() { return {pixels.data(), width, height, stride}; }
};

// The side of the calendar square on a screen of screenWidth x screenHeight:
// scale% of the screen's shorter side (cut to a whole number), whatever the
// offset, so moving the month does not shrink it; only where the room right
// of x or below y is smaller does the square take that room. Never below 0.
[[nodiscard]] int CalendarSide(int screenWidth, int screenHeight, int x, int y, int scale);

// The month painter fills the month's background with (1, 1, 1); a month
// pixel whose channels add up to exactly 3 lets the screen show through.
[[nodiscard]] constexpr bool IsTransparentPixel(const uint8_t* bgr) { return bgr[0] + bgr[1] + bgr[2] == 3; }

// Blends month into screen with its top-left corner at (x, y): a transparent
// month pixel keeps the screen pixel, any other becomes, per channel,
// (month * opacity + screen * (255 - opacity)) / 256 rounded down. Parts
// outside the screen are left out. False, and the screen untouched, for an
// opacity outside 0..255.
[[nodiscard]] bool BlendMonth(const PixelView& screen, const PixelView& month, int x, int y, int opacity);

// The image as an uncompressed 24-bit BMP file: the 14-byte file header
// ("BM", total size, two zero words, pixel offset 54), the 40-byte
// information header, then the rows bottom-up, each padded to 4 bytes.
[[nodiscard]] std::vector<uint8_t> EncodeBmp(const PixelView& image);
