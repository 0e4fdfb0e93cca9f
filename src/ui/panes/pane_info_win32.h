#pragma once

#include "env/packed_date.h"
#include "model/save_result.h"
#include "ui/panes/pane_dialog_win32.h"

// The info pane: today's line, the class, tip, note and temperature of the
// day selected in the calendar, and the today dialog.
class CPaneInfo : public CPaneDialog {
 public:
  explicit CPaneInfo(const PaneContext& context);

  // The today line, class and period texts always; the note, tip and
  // temperature only when the selected date changed since the last refresh
  // or when forced.
  void Refresh(bool force);

  // The starting value of the temperature dialog for a day without a record.
  static constexpr double kNewDayTemperature = 100.0;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void EditTemperature();

  PackedDate shownDate_;
};
