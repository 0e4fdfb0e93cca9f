#pragma once

#include "ui/panes/pane_dialog_win32.h"

// The legend pane: what the calendar shows (a check box per class colour and
// per mark) and the class colours, each changed by a click on its square.
class CPaneLegend : public CPaneDialog {
 public:
  explicit CPaneLegend(const PaneContext& context);

  // Texts, check boxes and colour squares from the settings.
  void Refresh();
  // Boy and girl entries for the conceiving goals, the pill entry for
  // avoiding; the shown rows close up.
  void ApplyGoalVisibility(int goal);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void CopyChecksToSettings();
  void ChooseClassColour(int square);
  void LayOutRows(int goal);

  Bitmap girl_, boy_, pill_, disturbed_;
};
