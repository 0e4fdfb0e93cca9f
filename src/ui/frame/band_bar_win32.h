#pragma once

#include <windows.h>

#include <functional>

#include "ui/frame/band_layout.h"
#include "ui/frame/band_painter_win32.h"
#include "ui/widgets/double_buffer_win32.h"
#include "ui/widgets/prompts_win32.h"
#include "ui/widgets/window_win32.h"

class OptionsManager;
class LocaleManager;

// The 97-pixel band across the top of the main window, a child window of its
// own: the header picture, the logo and the four menu titles that act as the
// menu bar, their hover, their menus and their access keys. A chosen command
// goes to the frame as WM_COMMAND; the frame owns the menus (their icons and
// menu-loop messages go to it).
class CBandBar : public CWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TamarelBand";
  static constexpr int kControlId = 0xE80A;

  CBandBar(const OptionsManager& options, const LocaleManager& locale, const Prompts& prompts, HINSTANCE resources);

  [[nodiscard]] bool CreateBand(HWND frame, int width);
  // The frame's new width.
  void Resize(int width);
  // The titles in the current language.
  void RefreshTexts();
  // The title whose access key is the character (any case), or -1.
  [[nodiscard]] int TitleForKey(wchar_t key) const;
  // The band is the menu bar: F10 or Alt alone (key 0) opens the first menu,
  // Alt with a title's letter that title's menu. True when the system's
  // keyboard menu is not to open (Alt+Space opens the window menu).
  [[nodiscard]] bool OnKeyMenu(LPARAM key);
  // byKeyboard: the menu opens with its first item selected, and the left
  // and right arrows go on to the neighbouring titles' menus. Moving onto
  // another title while a menu is open opens that title's menu.
  void OpenMenu(int title, bool byKeyboard = false);
  // No title stays lit but keepTitle (the one whose menu is open), or -1.
  void ForgetPointer(int keepTitle);
  // A menu closed: the title is lit only with the mouse still on it.
  void HoverFromCursor();

  [[nodiscard]] const BandTitles& Layout() const { return layout_; }
  [[nodiscard]] int Hovered() const { return hovered_; }
  // The title whose menu is open, or -1.
  [[nodiscard]] int OpenTitle() const { return openTitle_; }

 protected:
  LRESULT OnPaint(WPARAM wp, LPARAM lp) override;
  LRESULT OnEraseBkgnd(WPARAM wp, LPARAM lp) override;
  LRESULT OnMouseMove(WPARAM wp, LPARAM lp) override;
  LRESULT OnMouseLeave(WPARAM wp, LPARAM lp) override;
  LRESULT OnLButtonDown(WPARAM wp, LPARAM lp) override;

 private:
  void Relayout();
  void UpdateHover(POINT client);
  void SetHovered(int title);
  [[nodiscard]] HWND Frame() const { return GetParent(Hwnd()); }

  const OptionsManager& options_;
  const LocaleManager& locale_;
  const Prompts& prompts_;
  HINSTANCE resources_;
  BandPainter painter_;
  BandPainter::Titles titles_;
  BandTitles layout_;
  DoubleBuffer buffer_;
  int width_ = 0;
  int hovered_ = -1;
  int openTitle_ = -1;
  bool trackingLeave_ = false;  // told when the mouse leaves the band
  bool hoverForced_ = false;    // a band menu is open under its lit title
};
