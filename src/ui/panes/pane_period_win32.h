#pragma once

#include "ui/panes/pane_dialog_win32.h"

// The period pane: automatic cycle lengths, or a cycle and luteal phase
// length chosen by hand.
class CPanePeriod : public CPaneDialog {
 public:
  explicit CPanePeriod(const PaneContext& context);

  // Texts, lists and radio buttons from the settings.
  void RefreshTexts();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  // Copies the controls into the settings and recomputes the cycles.
  void ApplyControls();
};
