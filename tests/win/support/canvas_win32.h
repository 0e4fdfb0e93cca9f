#pragma once

// A 32-bit top-down DIB section selected into a memory DC: the tests paint
// into it and read its pixels.

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "ui/widgets/gdi_win32.h"

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const uint32_t*>(bits);
    if (bitmap_) previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    Fill(RGB(0, 128, 0));
  }
  ~Canvas() {
    if (previous_) SelectObject(dc_.Get(), previous_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  [[nodiscard]] bool Ok() const { return bitmap_ && bits_; }
  [[nodiscard]] HDC Dc() const { return dc_.Get(); }
  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }

  void Fill(COLORREF color) {
    Brush brush(CreateSolidBrush(color));
    const RECT all{0, 0, width_, height_};
    FillRect(dc_.Get(), &all, brush.Get());
  }
  // The pixel as a COLORREF (the DIB holds 0x00RRGGBB).
  [[nodiscard]] COLORREF At(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // How many pixels of the area have the colour.
  [[nodiscard]] int Count(const RECT& area, COLORREF color) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) n += At(x, y) == color ? 1 : 0;
    }
    return n;
  }
  // Copies the same-sized picture at source's origin.
  void CopyFrom(HDC source) { BitBlt(dc_.Get(), 0, 0, width_, height_, source, 0, 0, SRCCOPY); }
  // The first pixel that differs from other's (of the same size), as
  // x + y * width, or -1.
  [[nodiscard]] long FirstDifference(const Canvas& other) const {
    GdiFlush();
    const size_t n = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (std::memcmp(bits_, other.bits_, n * 4) == 0) return -1;
    for (size_t i = 0; i < n; ++i) {
      if ((bits_[i] & 0xFFFFFF) != (other.bits_[i] & 0xFFFFFF)) return static_cast<long>(i);
    }
    return -1;
  }
  // Writes the picture as a BMP, for people to look at.
  bool Save(const wchar_t* path) const;

 private:
  int width_;
  int height_;
  Bitmap bitmap_;
  MemoryDC dc_{nullptr};
  HGDIOBJ previous_ = nullptr;
  const uint32_t* bits_ = nullptr;
};

inline bool Canvas::Save(const wchar_t* path) const {
  GdiFlush();
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width_;
  info.biHeight = -height_;
  info.biPlanes = 1;
  info.biBitCount = 32;
  const DWORD size = static_cast<DWORD>(width_) * static_cast<DWORD>(height_) * 4;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + size;
  const HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, &file, sizeof file, &written, nullptr) &&
            WriteFile(h, &info, sizeof info, &written, nullptr) && WriteFile(h, bits_, size, &written, nullptr);
  CloseHandle(h);
  return ok;
}

