#pragma once

#include <windows.h>

#include "env/theme.h"

class LocaleManager;

// The owner-drawn theme list: each entry a swatch of its colour and its
// name in the current language, looked up each time the entry is drawn.
class CColourPickerCB {
 public:
  explicit CColourPickerCB(const LocaleManager& locale) : locale_(locale) {}
  CColourPickerCB(const CColourPickerCB&) = delete;
  CColourPickerCB& operator=(const CColourPickerCB&) = delete;

  // Binds to the combo box and fills it with the themes, entry 0 selected.
  void Attach(HWND combo);
  [[nodiscard]] int Selected() const;
  void Select(int entry) const;
  // The colour of the selected entry.
  [[nodiscard]] ColorRef CurrentColor() const;
  // WM_DRAWITEM of the combo box.
  void DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  const LocaleManager& locale_;
  HWND combo_ = nullptr;
};
