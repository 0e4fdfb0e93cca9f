#pragma once

#include "ui/panes/pane_dialog_win32.h"

// The goal pane: the four goals and the buttons of the statistics, cycles and
// birth dialogs.
class CPaneGoal : public CPaneDialog {
 public:
  explicit CPaneGoal(const PaneContext& context);

  // Texts and the radio button of the current goal.
  void Refresh();
  // The Birth button is for the conceiving goals only.
  void ApplyGoalVisibility(int goal);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
};
