#pragma once

#include <windows.h>

#include "ui/widgets/gdi_win32.h"

// A menu item's icon that the menu's owner draws itself (HBMMENU_CALLBACK):
// not every system blends a 32-bit menu bitmap's alpha (some show its
// see-through pixels black) or leaves room between the picture and the
// text. The owner's WM_MEASUREITEM and WM_DRAWITEM hand their structures to
// Measure and Draw; the item's data points at the icon.
class MenuIcon {
 public:
  // Room to the right of the picture, before the item's text.
  static constexpr int kGap = 4;

  MenuIcon(HINSTANCE module, int resourceId, COLORREF key);
  MenuIcon(const MenuIcon&) = delete;
  MenuIcon& operator=(const MenuIcon&) = delete;

  [[nodiscard]] explicit operator bool() const { return static_cast<bool>(bitmap_); }
  [[nodiscard]] SIZE Size() const { return size_; }
  // The picture with the key colour left out, its top-left corner at (x, y).
  void DrawAt(HDC dc, int x, int y) const;

  // Answers a WM_MEASUREITEM / WM_DRAWITEM of a menu item whose data is a
  // MenuIcon; false (nothing done) for anything else.
  static bool Measure(MEASUREITEMSTRUCT& measure);
  static bool Draw(const DRAWITEMSTRUCT& draw);

 private:
  static const MenuIcon* FromItemData(ULONG_PTR data);

  static constexpr unsigned kMagic = 0x4D49434Eu;  // tells our icons from other item data
  unsigned magic_ = kMagic;
  Bitmap bitmap_;
  SIZE size_{};
  COLORREF key_ = 0;
};
