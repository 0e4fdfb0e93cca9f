#include "ui/widgets/menu_bitmap_win32.h"

#include "env/debug_log_win32.h"

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
