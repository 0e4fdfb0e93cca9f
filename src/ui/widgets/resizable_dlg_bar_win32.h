#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/widgets/pane_bar_layout.h"
#include "ui/widgets/double_buffer_win32.h"
#include "ui/widgets/gdi_win32.h"
#include "ui/widgets/window_win32.h"

// The docked bar on the right of the main window: a vertical stack of pane
// dialogs, each under a rounded title band. A click on a title collapses or
// expands its pane and the titles below move. The bar eats its own mouse
// moves and button presses before dispatch, so it cannot be dragged and they
// never reach the frame's mouse routing.
class CResizableDlgBar : public CWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TamarelPaneBar";

  CResizableDlgBar();
  ~CResizableDlgBar() override;

  // Creates the bar as a visible child of parent.
  [[nodiscard]] bool CreateBar(HWND parent, const RECT& rect, int id);

  // Adds a pane: a dialog created as a child of this bar. It stays hidden
  // until the next layout places it. Returns the section's index.
  size_t AddPane(std::wstring title, HWND pane);
  void SetTitle(size_t index, std::wstring title);
  [[nodiscard]] std::wstring Title(size_t index) const;
  void SetColors(COLORREF background, COLORREF band, COLORREF text);
  [[nodiscard]] COLORREF Background() const { return background_; }
  [[nodiscard]] COLORREF BandColor() const { return band_; }
  [[nodiscard]] COLORREF TextColor() const { return text_; }

  [[nodiscard]] size_t SectionCount() const { return sections_.size(); }
  [[nodiscard]] bool IsExpanded(size_t index) const;
  void SetExpanded(size_t index, bool expanded);
  // The title band of a section, in bar client coordinates.
  [[nodiscard]] RECT BandRect(size_t index) const;

  // Places the bands and panes again and repaints.
  void Layout();
  // A pane that takes the height the others leave (the Day pane's tip box):
  // heights says what it needs, resize gives it its new height before it is
  // placed. Posting kRelayoutMessage to the bar lays it out again (when what
  // the pane holds has changed).
  static constexpr UINT kRelayoutMessage = WM_APP + 41;
  void SetElasticPane(size_t index, std::function<PaneHeights()> heights, std::function<void(int)> resize);

  // Runs on every mouse move the bar eats (the frame stops the calendar's
  // balloon timer with it).
  void SetMouseMoveHook(std::function<void()> hook) { mouseMoveHook_ = std::move(hook); }

  // For the message loop's filter: true eats a mouse move or button press
  // addressed to the bar itself.
  bool FilterMessage(const MSG& msg);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnPaint(WPARAM wp, LPARAM lp) override;
  LRESULT OnEraseBkgnd(WPARAM wp, LPARAM lp) override;
  LRESULT OnSize(WPARAM wp, LPARAM lp) override;
  LRESULT OnLButtonUp(WPARAM wp, LPARAM lp) override;
  LRESULT OnDestroy(WPARAM wp, LPARAM lp) override;

 private:
  size_t elastic_ = static_cast<size_t>(-1);
  std::function<PaneHeights()> elasticHeights_;
  std::function<void(int)> elasticResize_;

  struct Section {
    std::wstring title;
    HWND pane = nullptr;
    int paneHeight = 0;
    bool expanded = true;
  };
  class LoopFilter;

  void PaintBar(HDC dc, int width, int height);
  [[nodiscard]] int SectionAtPoint(POINT p) const;

  std::vector<Section> sections_;
  std::vector<PaneSectionPlacement> placements_;
  COLORREF background_ = RGB(255, 255, 255);
  COLORREF band_ = RGB(128, 128, 128);
  COLORREF text_ = RGB(255, 255, 255);
  Font titleFont_;
  DoubleBuffer buffer_;
  std::function<void()> mouseMoveHook_;
  std::unique_ptr<LoopFilter> loopFilter_;
};
