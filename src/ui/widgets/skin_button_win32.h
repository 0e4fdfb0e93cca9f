#pragma once

#include <windows.h>

#include <string>

#include "ui/widgets/gdi_win32.h"
#include "env/handle_win32.h"

// A push button drawn like a link on a coloured pane: a 16 x 16 icon on the
// left, the text beside it, no frame until the mouse is over it (a light
// tint) or it is pressed (a darker tint, content moved by a pixel). The
// button in the template is an owner-drawn BUTTON; its parent passes
// WM_DRAWITEM on to Draw.
class CSkinButton {
 public:
  CSkinButton() = default;
  ~CSkinButton();
  CSkinButton(const CSkinButton&) = delete;
  CSkinButton& operator=(const CSkinButton&) = delete;

  // Takes over button; iconId 0 leaves the icon place empty so that the texts
  // of a column of buttons stay aligned. font is not owned.
  bool Attach(HWND button, HINSTANCE module, int iconId, HFONT font);
  void SetBackground(COLORREF colour);

  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  [[nodiscard]] bool Hot() const { return hot_; }
  [[nodiscard]] bool HasIcon() const { return static_cast<bool>(icon_); }

  void Draw(const DRAWITEMSTRUCT& item) const;
  // The text fits the button's text place on one line (no ellipsis).
  [[nodiscard]] bool Fits(const std::wstring& text) const;

  // The colour of the texts, a dark blue that reads like a link on the
  // themes' light base colours.
  static constexpr COLORREF kTextColour = RGB(0x1A, 0x23, 0x7E);
  static constexpr int kIconSize = 16;
  // The text starts kTextLeft pixels from the button's left edge (past the
  // icon's place) and ends kTextRight pixels before its right edge.
  static constexpr int kTextLeft = 2 + kIconSize + 3;
  static constexpr int kTextRight = 2;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR self) noexcept;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Detach();

  HWND hwnd_ = nullptr;
  UniqueIcon icon_;
  HFONT font_ = nullptr;
  COLORREF background_ = RGB(255, 255, 255);
  bool hot_ = false;
};

// The buttons' shared font: Arial, 12 pixels high, underlined.
[[nodiscard]] Font CreateSkinButtonFont();
