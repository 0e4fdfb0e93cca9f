#include "ui/widgets/menu_bitmap_win32.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "env/debug_log_win32.h"

Bitmap LoadMenuBitmap(HINSTANCE module, int resourceId, COLORREF key) {
  Bitmap source(static_cast<HBITMAP>(
      LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!source) {
    LogLastError(L"LoadImage(menu bitmap)");
    return {};
  }
  BITMAP info{};
  GetObjectW(source.Get(), sizeof info, &info);
  const int width = info.bmWidth;
  const int height = info.bmHeight;
  if (width <= 0 || height <= 0) return {};

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;

  // Read the picture as 32-bit pixels, whatever its depth.
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  {
    ClientDC screen(nullptr);
    if (!GetDIBits(screen.Get(), source.Get(), 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS)) {
      LogLastError(L"GetDIBits(menu bitmap)");
      return {};
    }
  }
  // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
  const uint32_t keyPixel = (static_cast<uint32_t>(GetRValue(key)) << 16) |
                            (static_cast<uint32_t>(GetGValue(key)) << 8) | GetBValue(key);
  for (uint32_t& p : pixels) {
    p = (p & 0x00FFFFFF) == keyPixel ? 0 : (p | 0xFF000000);
  }

  void* bits = nullptr;
  Bitmap result(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!result || !bits) {
    LogLastError(L"CreateDIBSection(menu bitmap)");
    return {};
  }
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
  GdiFlush();
  return result;
}

MenuIcon::MenuIcon(HINSTANCE module, int resourceId, COLORREF key)
    : bitmap_(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, 0))),
      key_(key) {
  if (!bitmap_) {
    LogLastError(L"LoadImage(menu icon)");
    return;
  }
  BITMAP info{};
  GetObjectW(bitmap_.Get(), sizeof info, &info);
  size_ = SIZE{info.bmWidth, info.bmHeight};
}

void MenuIcon::DrawAt(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  MemoryDC source(dc);
  const SelectGuard select(source.Get(), bitmap_.Get());
  TransparentBlt(dc, x, y, size_.cx, size_.cy, source.Get(), 0, 0, size_.cx, size_.cy, key_);
}

const MenuIcon* MenuIcon::FromItemData(ULONG_PTR data) {
  const auto* icon = reinterpret_cast<const MenuIcon*>(data);
  return icon && icon->magic_ == kMagic ? icon : nullptr;
}

bool MenuIcon::Measure(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  const MenuIcon* icon = FromItemData(measure.itemData);
  if (!icon) return false;
  measure.itemWidth = static_cast<UINT>(icon->size_.cx + kGap);
  measure.itemHeight = static_cast<UINT>(icon->size_.cy);
  return true;
}

// Drawn at the left of the place the menu gives, centred in its height; the
// menu has painted the item's background (selected or not) beneath.
bool MenuIcon::Draw(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  const MenuIcon* icon = FromItemData(draw.itemData);
  if (!icon) return false;
  const RECT& r = draw.rcItem;
  const int y = r.top + (r.bottom - r.top - icon->size_.cy) / 2;
  icon->DrawAt(draw.hDC, r.left, y);
  return true;
}
