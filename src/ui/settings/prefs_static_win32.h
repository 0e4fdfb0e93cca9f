#pragma once

#include <windows.h>

#include <string>

#include "ui/widgets/gdi_win32.h"

// The caption bar above the settings page: the page's caption on a gradient
// from black at the left to the theme colour at the right. It paints an
// owner-drawn static of the settings window.
class CPrefsStatic {
 public:
  CPrefsStatic() = default;
  CPrefsStatic(const CPrefsStatic&) = delete;
  CPrefsStatic& operator=(const CPrefsStatic&) = delete;

  // Binds to the static and sets the colours and the font (Verdana, bold, 14).
  void Attach(HWND control, COLORREF textColor, COLORREF gradientColor);
  void SetText(const std::wstring& text);
  [[nodiscard]] const std::wstring& Text() const { return text_; }
  // WM_DRAWITEM of the static.
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  HWND control_ = nullptr;
  COLORREF textColor_ = 0;
  COLORREF gradientColor_ = 0;
  Font font_;
  std::wstring text_;
};
