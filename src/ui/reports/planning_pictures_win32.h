#pragma once

#include <windows.h>

#include <functional>

#include "env/handle_win32.h"
#include "ui/widgets/gdi_win32.h"

class MenstualManager;
class LocaleManager;

// What the planning dialogs need: the cycle data of the current user, the
// texts, the module of their templates and pictures, and the help opener.
struct PlanningContext {
  MenstualManager& model;
  const LocaleManager& locale;
  HINSTANCE resources = nullptr;  // null: the program itself
  std::function<void(HWND owner, DWORD helpContext)> openHelp;
};

// A colour-keyed bitmap resource drawn at cx x cy for a static control: the
// key colour becomes background and each target pixel is the average of
// the source pixels it covers, so a large picture stays smooth when small.
// 24 bits, so a static control shows it as given. Empty when not found.
[[nodiscard]] Bitmap ScaledKeyedBitmap(HINSTANCE module, int id, int cx, int cy, COLORREF key, COLORREF background);

// An icon resource at size x size pixels, owned by the caller.
[[nodiscard]] UniqueIcon LoadIconSized(HINSTANCE module, int id, int size);

// Puts an icon into a SS_ICON static; the static never owns it.
void ShowIcon(HWND staticControl, HICON icon);
// Puts a bitmap into a SS_BITMAP static; the caller keeps it alive while shown.
void ShowBitmap(HWND staticControl, HBITMAP bitmap);
