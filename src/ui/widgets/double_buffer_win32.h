#pragma once

#include <windows.h>

#include "ui/widgets/gdi_win32.h"

// An off-screen surface a window paints into and then copies to the screen in
// one blit, so nothing flickers. It keeps its bitmap between paints and
// reallocates only when the size changes.
class DoubleBuffer {
 public:
  DoubleBuffer() = default;
  ~DoubleBuffer();
  DoubleBuffer(const DoubleBuffer&) = delete;
  DoubleBuffer& operator=(const DoubleBuffer&) = delete;

  // Makes the buffer exactly width x height, compatible with target; returns
  // the DC to paint into, or null when the bitmap cannot be made.
  HDC Prepare(HDC target, int width, int height);
  // Copies the area (in buffer coordinates, which are the window's) to target.
  bool Present(HDC target, const RECT& area) const;

  // Gives the bitmap back; the next Prepare makes a new one.
  void Release();

  [[nodiscard]] HDC Dc() const { return dc_.Get(); }
  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }

 private:
  MemoryDC dc_;  // made compatible with the first target
  Bitmap bitmap_;
  HGDIOBJ previous_ = nullptr;  // the DC's own bitmap, put back before ours is deleted
  int width_ = 0;
  int height_ = 0;
};
