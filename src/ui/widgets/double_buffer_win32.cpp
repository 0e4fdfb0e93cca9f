#include "ui/widgets/double_buffer_win32.h"

#include "env/debug_log_win32.h"

DoubleBuffer::~DoubleBuffer() { Release(); }

void DoubleBuffer::Release() {
  if (dc_ && previous_) SelectObject(dc_.Get(), previous_);
  previous_ = nullptr;
  bitmap_.Reset();
  width_ = height_ = 0;
}

HDC DoubleBuffer::Prepare(HDC target, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  if (dc_ && bitmap_ && width == width_ && height == height_) return dc_.Get();
  Release();
  if (!dc_) dc_ = MemoryDC(target);
  if (!dc_) {
    LogLastError(L"CreateCompatibleDC");
    return nullptr;
  }
  // A 32-bit section rather than a compatible bitmap: its memory is the
  // process's own pages, returned to the system as soon as it is deleted.
  const BITMAPINFO info = TopDownDibInfo(width, height, 32);
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_) {
    LogLastError(L"CreateDIBSection(double buffer)");
    return nullptr;
  }
  previous_ = SelectObject(dc_.Get(), bitmap_.Get());
  width_ = width;
  height_ = height;
  return dc_.Get();
}

bool DoubleBuffer::Present(HDC target, const RECT& area) const {
  if (!dc_ || !bitmap_) return false;
  return BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.Get(), area.left,
                area.top, SRCCOPY) != FALSE;
}
