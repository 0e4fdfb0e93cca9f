#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "ui/widgets/double_buffer_win32.h"
#include "ui/widgets/gdi_win32.h"
#include "ui/widgets/popup_slide.h"
#include "ui/widgets/window_win32.h"

// A small skinned popup that slides out of the screen edge next to the
// taskbar, shows a text for a while and slides back. The skin is the whole
// background and gives the window its size; the text is drawn inside a text
// area over it and changes colour and font while the mouse is over it. Three
// timers of its own drive it: 1 slides in, 2 ends the stay, 3 slides out.
class CTaskbarNotifier : public CWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TamarelTaskbarNotifier";
  // Posted to the owner when the popup is clicked.
  static constexpr UINT kClickedMessage = WM_USER + 123;
  static constexpr UINT_PTR kShowTimer = 1;
  static constexpr UINT_PTR kStayTimer = 2;
  static constexpr UINT_PTR kHideTimer = 3;
  // Style bits of SetFonts.
  static constexpr int kBold = 1, kItalic = 2, kUnderline = 4;

  enum class State { kHidden = 0, kSlidingIn = 1, kStaying = 2, kSlidingOut = 3 };

  CTaskbarNotifier();
  ~CTaskbarNotifier() override;

  // A hidden borderless popup of 0 x 0 pixels owned by owner.
  [[nodiscard]] bool CreatePopup(HWND owner);
  // The bitmap becomes the skin and gives the window its size; the text area
  // becomes the whole skin. With a colour (none of red, green, blue -1) the
  // pixels of that colour are cut out of the window's shape. False when the
  // bitmap cannot be loaded; the old skin is gone then and the size stays.
  [[nodiscard]] bool LoadSkin(HINSTANCE module, UINT bitmapId, int red, int green, int blue);
  // Size in tenths of a point; styles are kBold | kItalic | kUnderline.
  void SetFonts(const wchar_t* face, int tenthsOfPoint, int normalStyle, int hoverStyle);
  void SetTextColours(COLORREF normal, COLORREF hover);
  void SetTextArea(const RECT& area);
  // Shows text: slides in when hidden, changes the text of a popup on
  // screen and gives it the stay time again. Times in milliseconds.
  void ShowText(std::wstring text, int showMs, int stayMs, int hideMs);
  // Gone from the screen at once, whatever it was doing.
  void HidePopup();
  // Told each time the popup leaves the screen (slid out or hidden).
  void SetOnHidden(std::function<void()> hidden) { onHidden_ = std::move(hidden); }

  // Draws the skin and the text as the window shows them.
  void PaintTo(HDC dc) const;

  [[nodiscard]] State GetState() const { return state_; }
  [[nodiscard]] const std::wstring& Text() const { return text_; }
  [[nodiscard]] bool Hovered() const { return hovered_; }
  [[nodiscard]] SIZE SkinSize() const { return size_; }
  [[nodiscard]] const RECT& TextArea() const { return textArea_; }
  [[nodiscard]] const SlidePlan& Plan() const { return plan_; }
  [[nodiscard]] SlidePoint Position() const { return at_; }
  [[nodiscard]] int StayMs() const { return stayMs_; }
  [[nodiscard]] bool HasRegion() const { return hasRegion_; }
  // The font the text is drawn in while the mouse is not over it.
  [[nodiscard]] HFONT TextFont() const { return normalFont_.Get(); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnPaint(WPARAM wp, LPARAM lp) override;
  LRESULT OnEraseBkgnd(WPARAM wp, LPARAM lp) override;
  LRESULT OnTimer(WPARAM wp, LPARAM lp) override;
  LRESULT OnMouseMove(WPARAM wp, LPARAM lp) override;
  LRESULT OnMouseLeave(WPARAM wp, LPARAM lp) override;
  LRESULT OnLButtonUp(WPARAM wp, LPARAM lp) override;

 private:
  void MoveToCurrent() const;
  void Restart(UINT_PTR timer, int ms) const;
  void SetHovered(bool hovered);
  [[nodiscard]] bool ApplyRegion(COLORREF key);

  HWND owner_ = nullptr;
  std::wstring text_;
  Bitmap skin_;
  SIZE size_{0, 0};
  Font normalFont_;
  Font hoverFont_;
  COLORREF normalColour_ = RGB(133, 146, 181);
  COLORREF hoverColour_ = RGB(10, 36, 106);
  RECT textArea_{0, 0, 0, 0};
  HCURSOR hand_ = nullptr;
  bool hovered_ = false;
  bool hasRegion_ = false;
  int showMs_ = 0;
  int stayMs_ = 0;
  int hideMs_ = 0;
  SlidePlan plan_;
  SlidePoint at_;
  State state_ = State::kHidden;
  mutable DoubleBuffer buffer_;
  std::function<void()> onHidden_;
};
