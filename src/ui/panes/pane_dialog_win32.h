#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/panes/pane_host_win32.h"
#include "ui/widgets/dialog_win32.h"
#include "ui/widgets/gdi_win32.h"
#include "ui/widgets/skin_button_win32.h"

// The common part of the side panes: a modeless child dialog that the pane
// bar places, painted in the bar's background colour (the dialog, its static
// texts, radio buttons and check boxes), with its skinned buttons.
class CPaneDialog : public CDialog {
 public:
  CPaneDialog(int templateId, const PaneContext& context);
  ~CPaneDialog() override;

  // Creates the pane hidden as a child of parent (the bar shows it at its
  // first layout); null on failure.
  HWND Create(HWND parent);
  void SetBackground(COLORREF colour);
  [[nodiscard]] COLORREF Background() const { return background_; }

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Owner-drawn controls other than the skinned buttons; true when drawn.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT&) { return false; }
  // Releases a pane's keyboard registration when it goes.
  void OnFinalMessage() override;
  // Enter and Escape in a pane must not close it: a pane lives as long as the frame.
  void OnOK() override {}
  void OnCancel() override {}

  // Makes the control a skinned button with the icon (0: none).
  // The skin button id shows text on one line without cutting it (true for
  // a control that is not a skin button).
  [[nodiscard]] bool SkinTextFits(int id, const std::wstring& text) const;
  void AddSkinButton(int id, int iconId);
  [[nodiscard]] std::wstring Text(std::u16string_view key) const;
  // A text the menus share, where it marks the menu's access key: shown
  // here without the mark.
  [[nodiscard]] std::wstring PlainText(std::u16string_view key) const;
  [[nodiscard]] HINSTANCE Module() const;
  // A text the control already shows is not set again, and a control
  // already shown or hidden is left alone: each change costs the control a
  // repaint and the window manager a round trip, and a pane refreshes often.
  void SetItemText(int id, std::wstring_view text) const;
  void ShowItem(int id, bool show) const;
  void EnableItem(int id, bool enable) const;
  // The label of a control: it stays enabled and reads greyed while the
  // control is disabled, in a grey that keeps 3:1 on the pane's colour (a
  // disabled static draws in the system's grey, which light themes swallow).
  // Enabling or disabling the control through EnableItem repaints it.
  void LabelFollows(int labelId, int controlId);
  // The greyed label's colour on this pane.
  [[nodiscard]] COLORREF GreyedTextColour() const;
  [[nodiscard]] bool IsChecked(int id) const;
  void SetChecked(int id, bool checked) const;

  PaneContext context_;

 private:
  INT_PTR OnCtlColor(HDC dc, HWND control);
  // The template's dialog units come out wider or narrower than the bar's
  // pane in pixels, depending on the system's dialog font: the controls'
  // left and right edges follow the pane's width in proportion, so nothing
  // runs past the pane's edge and the gaps between controls stay.
  void RememberTemplatePlaces();
  void FitControlsToWidth(int width) const;

  struct TemplatePlace {
    HWND control = nullptr;
    int left = 0;
    int right = 0;
  };
  std::vector<TemplatePlace> templatePlaces_;
  std::vector<std::pair<int, int>> labels_;  // label id, control id
  int templateWidth_ = 0;

  COLORREF background_;
  Brush backgroundBrush_;
  Font buttonFont_;
  std::vector<std::unique_ptr<CSkinButton>> buttons_;
  HWND registered_ = nullptr;
};
