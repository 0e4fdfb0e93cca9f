#include "ui/reports/planning_pictures_win32.h"

#include <algorithm>
#include <vector>

#include "env/debug_log_win32.h"

Bitmap ScaledKeyedBitmap(HINSTANCE module, int id, int cx, int cy, COLORREF key, COLORREF background) {
  if (cx <= 0 || cy <= 0) return {};
  Bitmap source(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
  if (!source) {
    LogLastError(L"LoadImage(bitmap)");
    return {};
  }
  BITMAP info{};
  if (!GetObjectW(source.Get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
  const int sw = info.bmWidth;
  const int sh = info.bmHeight;

  // The source as top-down 32-bit pixels, whatever its own format.
  BITMAPINFO bi = TopDownDibInfo(sw, sh, 32);
  std::vector<RGBQUAD> pixels(static_cast<size_t>(sw) * static_cast<size_t>(sh));
  {
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, source.Get(), 0, static_cast<UINT>(sh), pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != sh) return {};
  }

  // The target: 24-bit top-down rows padded to four bytes.
  const BITMAPINFO ti = TopDownDibInfo(cx, cy, 24);
  void* bits = nullptr;
  Bitmap target(CreateDIBSection(nullptr, &ti, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!target || !bits) return {};
  const int stride = DibRowBytes(cx, 24);
  auto* out = static_cast<BYTE*>(bits);
  for (int y = 0; y < cy; ++y) {
    const int y0 = y * sh / cy;
    const int y1 = std::max(y0 + 1, (y + 1) * sh / cy);
    for (int x = 0; x < cx; ++x) {
      const int x0 = x * sw / cx;
      const int x1 = std::max(x0 + 1, (x + 1) * sw / cx);
      unsigned r = 0, g = 0, b = 0, n = 0;
      for (int sy = y0; sy < y1; ++sy) {
        for (int sx = x0; sx < x1; ++sx) {
          const RGBQUAD& p = pixels[static_cast<size_t>(sy) * static_cast<size_t>(sw) + static_cast<size_t>(sx)];
          const bool keyed = RGB(p.rgbRed, p.rgbGreen, p.rgbBlue) == key;
          r += keyed ? GetRValue(background) : p.rgbRed;
          g += keyed ? GetGValue(background) : p.rgbGreen;
          b += keyed ? GetBValue(background) : p.rgbBlue;
          ++n;
        }
      }
      BYTE* px = out + static_cast<ptrdiff_t>(y) * stride + x * 3;
      px[0] = static_cast<BYTE>((b + n / 2) / n);
      px[1] = static_cast<BYTE>((g + n / 2) / n);
      px[2] = static_cast<BYTE>((r + n / 2) / n);
    }
  }
  return target;
}

UniqueIcon LoadIconSized(HINSTANCE module, int id, int size) {
  UniqueIcon icon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
  if (!icon) LogLastError(L"LoadImage(icon)");
  return icon;
}

void ShowIcon(HWND staticControl, HICON icon) {
  SendMessageW(staticControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void ShowBitmap(HWND staticControl, HBITMAP bitmap) {
  // A 24-bit picture is shown as given; nothing comes back for us to free.
  SendMessageW(staticControl, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}
