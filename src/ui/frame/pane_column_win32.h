#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "ui/panes/pane_host_win32.h"
#include "ui/widgets/resizable_dlg_bar_win32.h"

class CPaneGoal;
class CPaneInfo;
class CPanePeriod;
class CPaneLegend;
class CPaneDialog;
struct ThemeRecord;

// The right-hand column: the pane bar with its four panes (goal, Day, period,
// legend) under their translated titles, their refresh and their colours.
class PaneColumn {
 public:
  static constexpr int kPaneBarId = 0xE81B;
  // The strips the frame paints above and below the bar.
  static constexpr int kStrip = 4;

  // refreshed is told each time the panes are refreshed as a whole.
  PaneColumn(PaneContext context, std::function<void()> refreshed);
  ~PaneColumn();
  PaneColumn(const PaneColumn&) = delete;
  PaneColumn& operator=(const PaneColumn&) = delete;

  // The pane bar's place in a frame client area: the right 311 pixels below
  // the band, inside the strips.
  [[nodiscard]] static RECT Area(const RECT& frameClient);

  // Makes the bar over area with the four panes; onMouseMove runs for every
  // mouse move over the bar (the calendar's balloon stops then).
  void Create(HWND frame, const RECT& area, std::function<void()> onMouseMove);
  void MoveTo(const RECT& area);
  void Show(bool shown);
  void Colour(const ThemeRecord& theme);
  // Paints what the frame shows around the bar in the bar's colour (the
  // strips above and below it, the whole column while the bar is missing)
  // and the calendar's side in the window colour where the calendar leaves
  // it; client is the frame's client rectangle.
  void PaintAround(HDC dc, const RECT& client) const;
  // The pane titles in the current language.
  void RefreshTitles();
  // Every pane from the settings and the selected day (the Day pane's tip
  // made anew when forceDay), then the goal's visibility rule.
  void Refresh(bool forceDay);
  // Only the Day pane, for another selected day.
  void RefreshDay();
  [[nodiscard]] bool Contains(HWND hwnd) const;

  [[nodiscard]] CResizableDlgBar& Bar() { return bar_; }
  [[nodiscard]] const CResizableDlgBar& Bar() const { return bar_; }
  [[nodiscard]] CPaneGoal* Goal() const { return goal_.get(); }
  [[nodiscard]] CPaneInfo* Day() const { return info_.get(); }
  [[nodiscard]] CPanePeriod* Period() const { return period_.get(); }
  [[nodiscard]] CPaneLegend* Legend() const { return legend_.get(); }

 private:
  void CreatePanes();
  void ApplyGoal();
  // The panes whose windows exist, in bar order.
  [[nodiscard]] std::vector<CPaneDialog*> Live() const;

  PaneContext context_;
  std::function<void()> refreshed_;
  CResizableDlgBar bar_;
  std::unique_ptr<CPaneGoal> goal_;
  std::unique_ptr<CPaneInfo> info_;
  std::unique_ptr<CPanePeriod> period_;
  std::unique_ptr<CPaneLegend> legend_;
};
