#pragma once

#include <windows.h>

#include "ui/reports/temperature_month.h"
#include "ui/widgets/dialog_win32.h"

class MenstualManager;
class OptionsManager;
class LocaleManager;
class IClock;
class CChartCtrl;

// "Statistic": the longest, shortest and average cycle and the number of
// cycles, computed afresh on opening, above the temperature chart of one
// month that "<" and ">" page through. Reads, never changes.
class CStatisticDlg : public CDialog {
 public:
  CStatisticDlg(MenstualManager& model, const OptionsManager& options, const LocaleManager& locale,
                const IClock& clock, HINSTANCE resources = nullptr);

  [[nodiscard]] ChartMonth ShownMonth() const { return month_; }
  // Colours of the temperature shift's marks on the chart.
  static constexpr COLORREF kOwnCoverColor = RGB(255, 0, 255);
  static constexpr COLORREF kHighOutlineColor = RGB(255, 128, 0);
  // The chart control of the open dialog, or null.
  [[nodiscard]] CChartCtrl* Chart() const;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void SetUpChart();
  void BuildMonth();
  void AddTemperatureShifts(CChartCtrl &chart, const TemperatureMonth &month);

  MenstualManager& model_;
  const OptionsManager& options_;
  const LocaleManager& locale_;
  const IClock& clock_;
  HINSTANCE resources_;
  ChartMonth month_;
};
