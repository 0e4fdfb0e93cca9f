#include "ui/reports/statistic_dlg_win32.h"

#include <string>

#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/wide_win32.h"
#include "model/menstual_manager.h"
#include "resources/image_ids.h"
#include "resources/reports_ids.h"
#include "settings/options_manager.h"
#include "ui/reports/cycle_report.h"
#include "ui/widgets/chart_ctrl_win32.h"
#include "env/access_key.h"
#include "resources/help_ids.h"

namespace {

constexpr COLORREF kCoverColor = RGB(255, 0, 255);
constexpr COLORREF kIntercourseColor = RGB(255, 0, 0);
constexpr COLORREF kPrognosisColor = RGB(0, 255, 0);
constexpr int kCoverWidth = 3;
constexpr int kIntercourseSize = 10;
constexpr int kPrognosisWidth = 4;
constexpr int kOwnCoverWidth = 2;
constexpr int kHighOutlineWidth = 2;
// Disturbed readings: a pale grey beside the temperature bars' blue.
constexpr COLORREF kDisturbedBarColor = RGB(0xB8, 0xB8, 0xC4);

}  // namespace

CStatisticDlg::CStatisticDlg(MenstualManager& model, const OptionsManager& options, const LocaleManager& locale,
                             const IClock& clock, HINSTANCE resources)
    : CDialog(IDD_STATISTIC, resources),
      model_(model),
      options_(options),
      locale_(locale),
      clock_(clock),
      resources_(resources) {
  SetHelpContext(IDH_STATISTIC);
  // The template holds the chart as a custom control of this class.
  (void)CChartCtrl::Register();
}

CChartCtrl* CStatisticDlg::Chart() const { return Hwnd() ? CChartCtrl::FromHandle(Item(IDC_STAT_CHART)) : nullptr; }

BOOL CStatisticDlg::OnInitDialog() {
  const HINSTANCE module = resources_ ? resources_ : GetModuleHandleW(nullptr);
  SetCaptionIcons(Hwnd(), module, IDI_PANE_STATISTIC, CaptionIcons::kBoth);
  SetWindowTextW(Hwnd(), ToWide(WithoutAccessKey(locale_.Translate(u"STATISTIC"))).c_str());

  const std::array<std::u16string, 4> figures = FigureTexts(locale_, FreshStatisticFigures(model_));
  const int labels[4] = {IDC_STAT_MAX, IDC_STAT_MIN, IDC_STAT_AVERAGE, IDC_STAT_COUNT};
  for (int i = 0; i < 4; ++i) SetItemText(labels[i], ToWide(figures[static_cast<size_t>(i)]));
  SetItemText(IDC_STAT_INFO, ToWide(locale_.Translate(u"TEMP_INFO")));
  SetItemText(IDC_STAT_GROUP, ToWide(locale_.Translate(u"RECTAL_TEMPERATURE")));

  const PackedDate today = clock_.Today();
  month_ = ChartMonth{today.month, today.year};
  SetUpChart();
  BuildMonth();
  return TRUE;
}

bool CStatisticDlg::OnCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == IDC_STAT_PREV) {
    month_ = PreviousMonth(month_);
  } else if (id == IDC_STAT_NEXT) {
    month_ = NextMonth(month_);
  } else {
    return false;
  }
  BuildMonth();
  return true;
}

void CStatisticDlg::SetUpChart() {
  CChartCtrl* chart = Chart();
  if (!chart) return;
  const TemperatureScale scale = ChartScale(options_.farinheit);
  chart->SetBottomAxis(1, 31, 1);
  chart->SetLeftAxis(scale.axisMin, scale.axisMax);
  const ThemeRecord& theme = options_.theme;
  if (theme.useSystemColors) {
    chart->SetBackgroundGradient(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNFACE));
  } else {
    chart->SetBackgroundGradient(theme.base, theme.pale);
  }
  chart->ShowLegend(true);
}

void CStatisticDlg::BuildMonth() {
  SetItemText(IDC_STAT_MONTH, ToWide(locale_.Translate(u"MONTH" + [&] {
                const std::string n = std::to_string(month_.month);
                return std::u16string(n.begin(), n.end());
              }())));
  CChartCtrl* chart = Chart();
  if (!chart) return;
  const TemperatureMonth month = BuildTemperatureMonth(model_, month_, options_.farinheit);
  chart->RemoveAllSeries();
  const size_t bars = chart->AddBarSeries(CChartCtrl::kDefaultBarColor, locale_.Translate(u"CHART_TEMPERATURE"));
  const size_t cover = chart->AddLineSeries(kCoverColor, kCoverWidth, locale_.Translate(u"CHART_COVER_LINE"));
  const size_t sex = chart->AddPointSeries(kIntercourseColor, kIntercourseSize, kIntercourseSize,
                                           locale_.Translate(u"CHART_INTERCOURSE"));
  chart->AddPoints(cover, month.cover);
  chart->AddPoints(sex, month.intercourse);
  chart->AddPoints(bars, month.temperatures);
  // A disturbed reading stays on the chart, pale, and counts for nothing.
  if (!month.disturbed.empty()) {
    const size_t disturbed = chart->AddBarSeries(kDisturbedBarColor, locale_.Translate(u"MSG_DISTURBED"));
    chart->AddPoints(disturbed, month.disturbed);
  }
  if (!month.prognosis.empty()) {
    const size_t curve =
        chart->AddLineSeries(kPrognosisColor, kPrognosisWidth, locale_.Translate(u"CHART_PROGNOSIS"));
    chart->AddPoints(curve, month.prognosis);
    chart->SetBalloon(curve, kPrognosisCentre, locale_.Translate(u"MSG_OVULATION"));
  }
  AddTemperatureShifts(*chart, month);
  chart->Redraw();
}

// Her own cover lines, dashed beside the fixed one, the high readings that
// confirmed a shift outlined, and the balloon on the confirmed ovulation day.
void CStatisticDlg::AddTemperatureShifts(CChartCtrl &chart,
                                         const TemperatureMonth &month) {
  for (size_t i = 0; i < month.ownCover.size(); ++i) {
    const CoverSegment &segment = month.ownCover[i];
    // One legend entry for all of them.
    const size_t line = chart.AddDashedLineSeries(
        kOwnCoverColor, kOwnCoverWidth,
        i == 0 ? locale_.Translate(u"CHART_OWN_COVER_LINE") : u"");
    chart.AddPoints(line, segment.points);
    if (segment.ovulationPoint) {
      chart.SetBalloon(line, *segment.ovulationPoint,
                       locale_.Translate(u"MSG_TEMP_OVULATION"));
    }
  }
  if (!month.highs.empty()) {
    const size_t highs =
        chart.AddBarOutlineSeries(kHighOutlineColor, kHighOutlineWidth);
    chart.AddPoints(highs, month.highs);
  }
}
