#pragma once

#include <string>

#include "env/packed_date.h"
#include "model/save_result.h"
#include "ui/panes/pane_dialog_win32.h"
#include "ui/widgets/pane_bar_layout.h"

class Day;

// The info pane: today's line, the class, tip, note and temperature of the
// day selected in the calendar, and the today dialog.
class CPaneInfo : public CPaneDialog {
 public:
  explicit CPaneInfo(const PaneContext& context);

  // The today line, class and period texts always; the note, tip and
  // temperature only when the selected date changed since the last refresh
  // or when forced.
  void Refresh(bool force);

  // The pane's height with its tip box at two lines, and with the whole
  // text of the box in view (never less than the template's height).
  [[nodiscard]] PaneHeights Heights() const;
  // Grows or shrinks the tip box, and the pane with it, to height pixels;
  // the links below the box move with its bottom.
  void ResizeTo(int height);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void EditTemperature();
  [[nodiscard]] std::u16string TemperatureLines(const PackedDate &selected,
                                                const Day *day);

  [[nodiscard]] int LineHeight() const;

  PackedDate shownDate_;
  bool shownFahrenheit_ = false;
  int templateHeight_ = 0;      // the pane as its template makes it
  int templateTextHeight_ = 0;  // the tip box as its template makes it
  int wantedShown_ = 0;         // the wanted height the bar last heard of
};
