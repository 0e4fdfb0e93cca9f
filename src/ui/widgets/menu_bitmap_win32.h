#pragma once

#include <windows.h>

#include "ui/widgets/gdi_win32.h"

// A menu item picture from a 24-bit bitmap resource whose key colour is to be
// see-through: a 32-bit bitmap with premultiplied alpha, 0 where the key
// colour was, which menus draw blended over their own background (selected
// or not). Null when the resource is missing.
[[nodiscard]] Bitmap LoadMenuBitmap(HINSTANCE module, int resourceId, COLORREF key);
