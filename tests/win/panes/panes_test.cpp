// The goal, period and legend panes driven as the user drives them: radio
// buttons, lists, check boxes and colour squares change the settings and the
// cycle data, and ask the frame for repaints.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "resources/pane_ids.h"
#include "resources/resource.h"
#include "env/theme.h"
#include "ui/settings/settings_choices.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/panes/pane_legend_win32.h"
#include "ui/panes/pane_period_win32.h"
#include "win/panes/panes_fixture.h"

namespace panetest {
namespace {

using GoalPaneTest = PaneTest;

// The text colour the pane gives one of its labels, as the label asks for it.
COLORREF LabelColour(HWND pane, int id) {
  const HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(pane, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(pane, id)));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

// A label reads greyed: it is enabled (a disabled static would draw in the
// system's grey whatever the pane says) and drawn in another colour than text.
bool LabelGreyed(HWND pane, int id) {
  return IsWindowEnabled(GetDlgItem(pane, id)) && LabelColour(pane, id) != GetSysColor(COLOR_WINDOWTEXT);
}

TEST_F(GoalPaneTest, ShowsTheGoalsAndSelectsTheCurrentOne) {
  options_.goal = 2;
  const auto pane = Open<CPaneGoal>();
  const HWND h = pane->Hwnd();
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_GOAL_AVOID)), L"Avoid pregnancy");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_GOAL_CONCEIVE)), L"Conceive (any gender)");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_GOAL_BOY)), L"Conceive a boy");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_GOAL_GIRL)), L"Conceive a girl");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_GOAL_STATISTIC)), L"Statistic");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_GOAL_MYCYCLES)), L"My cycles");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_GOAL_BIRTH)), L"Birth");
  for (const int id : {IDC_GOAL_AVOID, IDC_GOAL_CONCEIVE, IDC_GOAL_BOY, IDC_GOAL_GIRL}) {
    EXPECT_EQ(IsDlgButtonChecked(h, id) == BST_CHECKED, id == IDC_GOAL_BOY) << id;
  }
  // A goal set elsewhere is picked up by Refresh.
  options_.goal = 0;
  pane->Refresh();
  EXPECT_EQ(IsDlgButtonChecked(h, IDC_GOAL_AVOID), UINT{BST_CHECKED});
  EXPECT_EQ(IsDlgButtonChecked(h, IDC_GOAL_BOY), UINT{BST_UNCHECKED});
}

TEST_F(GoalPaneTest, ARadioButtonSetsTheGoalAndTellsTheFrame) {
  options_.goal = 1;
  const auto pane = Open<CPaneGoal>();
  const int radios[] = {IDC_GOAL_AVOID, IDC_GOAL_CONCEIVE, IDC_GOAL_BOY, IDC_GOAL_GIRL};
  for (const int goal : {3, 0, 2, 1}) {
    const int before = host_.goalChanged;
    Click(pane->Hwnd(), radios[goal]);
    EXPECT_EQ(options_.goal, goal);
    EXPECT_EQ(host_.goalChanged, before + 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(IsDlgButtonChecked(pane->Hwnd(), radios[i]) == BST_CHECKED, i == goal);
  }
}

TEST_F(GoalPaneTest, ReportButtonsRunTheFramesCommands) {
  const auto pane = Open<CPaneGoal>();
  Click(pane->Hwnd(), IDC_GOAL_STATISTIC);
  Click(pane->Hwnd(), IDC_GOAL_MYCYCLES);
  Click(pane->Hwnd(), IDC_GOAL_BIRTH);
  EXPECT_EQ(host_.commands, (std::vector<UINT>{ID_REPORTS_STATISTIC, ID_REPORTS_MYCYCLES, ID_REPORTS_BIRTH}));
  EXPECT_EQ(options_.goal, 1) << "the buttons leave the goal alone";
}

TEST_F(GoalPaneTest, AvoidingHidesBirthAndTheGenderEntriesAndShowsThePill) {
  options_.goal = 0;
  const auto goal = Open<CPaneGoal>();
  const auto legend = Open<CPaneLegend>(200);
  const HWND g = goal->Hwnd();
  const HWND l = legend->Hwnd();
  const auto check = [&](bool conceiving, const char* when) {
    EXPECT_EQ(Visible(g, IDC_GOAL_BIRTH), conceiving) << when;
    for (const int id : {IDC_LEGEND_GIRL, IDC_LEGEND_BOY, IDC_LEGEND_GIRL_ICON, IDC_LEGEND_BOY_ICON}) {
      EXPECT_EQ(Visible(l, id), conceiving) << when << " " << id;
    }
    for (const int id : {IDC_LEGEND_PILL, IDC_LEGEND_PILL_ICON}) EXPECT_EQ(Visible(l, id), !conceiving) << when;
    EXPECT_TRUE(Visible(g, IDC_GOAL_STATISTIC) && Visible(l, IDC_LEGEND_MOOD)) << when;
  };
  check(false, "created with goal 0");
  for (const int goalValue : {1, 2, 3, 0}) {
    goal->ApplyGoalVisibility(goalValue);
    legend->ApplyGoalVisibility(goalValue);
    check(goalValue != 0, ("goal " + std::to_string(goalValue)).c_str());
  }
}

// The legend closes up around the hidden entries: the pill takes the girl's
// line and the marks below move up by one line.
TEST_F(GoalPaneTest, TheLegendLeavesNoHoleWhereEntriesAreHidden) {
  options_.goal = 1;
  const auto legend = Open<CPaneLegend>();
  const HWND l = legend->Hwnd();
  const auto top = [&](int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(l, id), &r);
    MapWindowPoints(nullptr, l, reinterpret_cast<POINT*>(&r), 2);
    return r.top;
  };
  const int girl = top(IDC_LEGEND_GIRL), boy = top(IDC_LEGEND_BOY), pain = top(IDC_LEGEND_PAIN);
  const int pitch = boy - girl;
  ASSERT_GT(pitch, 12);
  EXPECT_EQ(top(IDC_LEGEND_GIRL) - top(IDC_LEGEND_OVULATION), pitch);
  EXPECT_EQ(pain - boy, pitch);
  EXPECT_EQ(top(IDC_LEGEND_SEX), pain) << "two marks share a line";
  RECT client{}, note{};
  GetClientRect(l, &client);
  GetWindowRect(GetDlgItem(l, IDC_LEGEND_NOTE), &note);
  EXPECT_LE(top(IDC_LEGEND_NOTE) + (note.bottom - note.top), client.bottom) << "the longest legend fits the pane";
  legend->ApplyGoalVisibility(0);
  EXPECT_EQ(top(IDC_LEGEND_PILL), girl);
  EXPECT_EQ(top(IDC_LEGEND_PAIN), pain - pitch);
  EXPECT_EQ(top(IDC_LEGEND_MOOD), top(IDC_LEGEND_NOTE));
}

using PeriodPaneTest = PaneTest;

TEST_F(PeriodPaneTest, ListsHoldTheLengthsAndFollowTheSettings) {
  options_.autoPeriodCalculation = false;
  options_.periodLen = 30;
  options_.luteralLen = 12;
  const auto pane = Open<CPanePeriod>();
  const HWND h = pane->Hwnd();
  const HWND cycle = GetDlgItem(h, IDC_PERIOD_CYCLE);
  const HWND luteal = GetDlgItem(h, IDC_PERIOD_LUTEAL);
  EXPECT_EQ(SendMessageW(cycle, CB_GETCOUNT, 0, 0), 31);
  EXPECT_EQ(SendMessageW(luteal, CB_GETCOUNT, 0, 0), 12);
  wchar_t first[8] = {}, last[8] = {};
  SendMessageW(cycle, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  SendMessageW(luteal, CB_GETLBTEXT, 11, reinterpret_cast<LPARAM>(last));
  EXPECT_STREQ(first, L"10");
  EXPECT_STREQ(last, L"21");
  EXPECT_EQ(SendMessageW(cycle, CB_GETCURSEL, 0, 0), 20);
  EXPECT_EQ(SendMessageW(luteal, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(IsDlgButtonChecked(h, IDC_PERIOD_MANUAL), UINT{BST_CHECKED});
  for (const int id : {IDC_PERIOD_CYCLE, IDC_PERIOD_LUTEAL}) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, id))) << id;
  for (const int id : {IDC_PERIOD_CYCLE_LABEL, IDC_PERIOD_LUTEAL_LABEL}) EXPECT_FALSE(LabelGreyed(h, id)) << id;
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_PERIOD_AUTO)), L"Auto (recommended)");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_PERIOD_MANUAL)), L"Manual");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_PERIOD_CYCLE_LABEL)), L"Menstrual Cicle");
  EXPECT_EQ(TextOf(GetDlgItem(h, IDC_PERIOD_LUTEAL_LABEL)), L"Luteal Phase");
  EXPECT_EQ(options_.periodLen, 30) << "applying the controls at creation keeps the values";
  EXPECT_EQ(options_.luteralLen, 12);
}

TEST_F(PeriodPaneTest, AStoredLengthOutsideTheListIsBroughtInside) {
  options_.autoPeriodCalculation = false;
  options_.periodLen = 55;
  options_.luteralLen = 3;
  const auto pane = Open<CPanePeriod>();
  EXPECT_EQ(options_.periodLen, 40);
  EXPECT_EQ(options_.luteralLen, 10);
}

// Messages the thread's windows are sent while a pane refreshes.
class SentMessages {
 public:
  SentMessages() : hook_(SetWindowsHookExW(WH_CALLWNDPROC, &SentMessages::Proc, nullptr, GetCurrentThreadId())) {
    current_ = this;
  }
  ~SentMessages() {
    if (hook_) UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  SentMessages(const SentMessages&) = delete;
  SentMessages& operator=(const SentMessages&) = delete;
  [[nodiscard]] bool Hooked() const { return hook_ != nullptr; }
  [[nodiscard]] int Count(UINT message) const {
    return static_cast<int>(std::count(sent_.begin(), sent_.end(), message));
  }

 private:
  static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && current_) current_->sent_.push_back(reinterpret_cast<const CWPSTRUCT*>(lp)->message);
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline SentMessages* current_ = nullptr;
  HHOOK hook_;
  std::vector<UINT> sent_;
};

// A refresh that changes nothing sets no text, refills no list and moves no
// control: each of those repaints a control, and the frame refreshes every
// pane at start and after every day command. What does change still shows.
TEST_F(PeriodPaneTest, ARefreshChangesOnlyWhatChanged) {
  options_.autoPeriodCalculation = false;
  options_.periodLen = 30;
  options_.goal = 1;
  const auto period = Open<CPanePeriod>();
  const auto legend = Open<CPaneLegend>(200);
  const auto goal = Open<CPaneGoal>(400);
  const HWND cycle = GetDlgItem(period->Hwnd(), IDC_PERIOD_CYCLE);
  {
    const SentMessages sent;
    ASSERT_TRUE(sent.Hooked());
    period->RefreshTexts();
    legend->Refresh();
    legend->ApplyGoalVisibility(1);
    goal->Refresh();
    goal->ApplyGoalVisibility(1);
    EXPECT_EQ(sent.Count(WM_SETTEXT), 0);
    EXPECT_EQ(sent.Count(CB_RESETCONTENT) + sent.Count(CB_ADDSTRING) + sent.Count(CB_SETCURSEL), 0);
    EXPECT_EQ(sent.Count(WM_WINDOWPOSCHANGING), 0);
  }
  options_.periodLen = 25;
  {
    const SentMessages sent;
    period->RefreshTexts();
    EXPECT_EQ(sent.Count(CB_RESETCONTENT), 0) << "the list keeps its entries";
    EXPECT_EQ(sent.Count(CB_SETCURSEL), 1);
  }
  EXPECT_EQ(SendMessageW(cycle, CB_GETCURSEL, 0, 0), 15);
  EXPECT_EQ(SendMessageW(cycle, CB_GETCOUNT, 0, 0), 31);
  // A text a control does not show yet is set; the goal's entries move.
  SetDlgItemTextW(goal->Hwnd(), IDC_GOAL_AVOID, L"stale");
  goal->Refresh();
  EXPECT_EQ(TextOf(GetDlgItem(goal->Hwnd(), IDC_GOAL_AVOID)), L"Avoid pregnancy");
  legend->ApplyGoalVisibility(0);
  EXPECT_TRUE(Visible(legend->Hwnd(), IDC_LEGEND_PILL));
  EXPECT_FALSE(Visible(legend->Hwnd(), IDC_LEGEND_GIRL));
}

// Two recorded cycles of 33 days: automatic lengths put the ovulation on
// 22 June, a manual 28-day cycle with a 14-day luteal phase on 17 June.
// The greyed Menstrual Cycle and Luteal Phase labels stay readable on the
// pane in every theme: 3:1 at least against the pane's colour.
TEST_F(PeriodPaneTest, GreyedLabelsStayReadableInEveryTheme) {
  options_.autoPeriodCalculation = true;
  for (const ThemeChoice& choice : kThemeChoices) {
    SCOPED_TRACE(static_cast<unsigned>(choice.color));
    options_.theme = ThemeForChoice(static_cast<int>(&choice - kThemeChoices.data()));
    const auto pane = Open<CPanePeriod>();
    const HWND h = pane->Hwnd();
    for (const int id : {IDC_PERIOD_CYCLE_LABEL, IDC_PERIOD_LUTEAL_LABEL}) {
      ASSERT_TRUE(LabelGreyed(h, id)) << id;
      const double contrast = ContrastRatio(static_cast<ColorRef>(LabelColour(h, id)), options_.theme.base);
      EXPECT_GE(contrast, kMinTextContrast) << id;
    }
  }
}

TEST_F(PeriodPaneTest, ManualLengthsRecomputeTheClassesAndAutoKeepsThem) {
  Start(PackedDate(1, 5, 2024));
  Start(PackedDate(3, 6, 2024));
  const PackedDate june22(22, 6, 2024), june17(17, 6, 2024);
  const auto pane = Open<CPanePeriod>();
  const HWND h = pane->Hwnd();
  EXPECT_EQ(IsDlgButtonChecked(h, IDC_PERIOD_AUTO), UINT{BST_CHECKED});
  for (const int id : {IDC_PERIOD_CYCLE, IDC_PERIOD_LUTEAL}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, id))) << id;
  for (const int id : {IDC_PERIOD_CYCLE_LABEL, IDC_PERIOD_LUTEAL_LABEL}) EXPECT_TRUE(LabelGreyed(h, id)) << id;
  EXPECT_EQ(model_->GetDayClass(june22), Ovulation);
  EXPECT_NE(model_->GetDayClass(june17), Ovulation);

  options_.periodLen = 31;  // a different manual length chosen before
  pane->RefreshTexts();
  Click(h, IDC_PERIOD_MANUAL);
  EXPECT_FALSE(options_.autoPeriodCalculation);
  EXPECT_EQ(options_.periodLen, 31);
  for (const int id : {IDC_PERIOD_CYCLE, IDC_PERIOD_LUTEAL}) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, id))) << id;
  for (const int id : {IDC_PERIOD_CYCLE_LABEL, IDC_PERIOD_LUTEAL_LABEL}) EXPECT_FALSE(LabelGreyed(h, id)) << id;
  const int changes = host_.daysChanged;
  const HWND cycle = GetDlgItem(h, IDC_PERIOD_CYCLE);
  SendMessageW(cycle, CB_SETCURSEL, 18, 0);
  SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_PERIOD_CYCLE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(cycle));
  EXPECT_EQ(options_.periodLen, 28);
  EXPECT_EQ(options_.luteralLen, 14);
  EXPECT_EQ(host_.daysChanged, changes + 1);
  EXPECT_EQ(model_->GetDayClass(june17), Ovulation) << "the cached classes were recomputed";
  EXPECT_NE(model_->GetDayClass(june22), Ovulation);

  const HWND luteal = GetDlgItem(h, IDC_PERIOD_LUTEAL);
  SendMessageW(luteal, CB_SETCURSEL, 6, 0);
  SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_PERIOD_LUTEAL, CBN_SELCHANGE), reinterpret_cast<LPARAM>(luteal));
  EXPECT_EQ(options_.luteralLen, 16);
  EXPECT_EQ(model_->GetDayClass(PackedDate(15, 6, 2024)), Ovulation) << "28 - 16 = day 12 of the cycle";

  Click(h, IDC_PERIOD_AUTO);
  EXPECT_TRUE(options_.autoPeriodCalculation);
  for (const int id : {IDC_PERIOD_CYCLE, IDC_PERIOD_LUTEAL}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, id))) << id;
  for (const int id : {IDC_PERIOD_CYCLE_LABEL, IDC_PERIOD_LUTEAL_LABEL}) EXPECT_TRUE(LabelGreyed(h, id)) << id;
  EXPECT_EQ(options_.periodLen, 28) << "the manual values are kept";
  EXPECT_EQ(options_.luteralLen, 16);
  EXPECT_EQ(model_->GetDayClass(june22), Ovulation);
}

using LegendPaneTest = PaneTest;

TEST_F(LegendPaneTest, EachCheckBoxMirrorsItsSetting) {
  const struct {
    int id;
    bool OptionsManager::*setting;
    const wchar_t* text;
  } entries[] = {
      {IDC_LEGEND_FLOW, &OptionsManager::showFlow, L"Menstrual flow"},
      {IDC_LEGEND_PROGNOZE, &OptionsManager::showPrognoze, L"Prognozed cycle"},
      {IDC_LEGEND_NFERTILE, &OptionsManager::showNFertile, L"Non-feritle days"},
      {IDC_LEGEND_FERTILE, &OptionsManager::showFertile, L"Good day to convince a child"},
      {IDC_LEGEND_LFERTILE, &OptionsManager::showLFertile, L"Low fertiltity"},
      {IDC_LEGEND_OVULATION, &OptionsManager::showOvulation, L"Ovulation"},
      {IDC_LEGEND_GIRL, &OptionsManager::showGirl, L"Good day to convince a girl"},
      {IDC_LEGEND_BOY, &OptionsManager::showBoy, L"Good day to convince a boy"},
      {IDC_LEGEND_PAIN, &OptionsManager::showPain, L"Bad feeling"},
      {IDC_LEGEND_SEX, &OptionsManager::showSex, L"Was sex"},
      {IDC_LEGEND_NOTE, &OptionsManager::showNote, L"Has note"},
      {IDC_LEGEND_PILL, &OptionsManager::showPill, L"Took Pill"},
      {IDC_LEGEND_MOOD, &OptionsManager::showMood, L"Mood"},
  };
  // Every other entry on, so that a check box wired to the wrong setting shows.
  bool on = true;
  for (const auto& e : entries) {
    options_.*e.setting = on;
    on = !on;
  }
  const auto pane = Open<CPaneLegend>();
  const HWND h = pane->Hwnd();
  for (const auto& e : entries) {
    EXPECT_EQ(TextOf(GetDlgItem(h, e.id)), e.text);
    EXPECT_EQ(IsDlgButtonChecked(h, e.id) == BST_CHECKED, options_.*e.setting) << e.id;
  }
  for (const auto& e : entries) {
    pane->ApplyGoalVisibility(e.id == IDC_LEGEND_PILL ? 0 : 1);
    std::vector<bool> before;
    for (const auto& other : entries) before.push_back(options_.*other.setting);
    const int repaints = host_.repaintCalendar;
    Click(h, e.id);
    EXPECT_EQ(host_.repaintCalendar, repaints + 1) << e.id;
    for (size_t i = 0; i < std::size(entries); ++i) {
      const bool expected = entries[i].id == e.id ? !before[i] : before[i];
      EXPECT_EQ(options_.*entries[i].setting, expected) << "after a click on " << e.id << ", entry " << i;
    }
  }
  // Settings changed elsewhere come back with Refresh.
  options_.showFlow = false;
  options_.showMood = true;
  pane->Refresh();
  EXPECT_EQ(IsDlgButtonChecked(h, IDC_LEGEND_FLOW), UINT{BST_UNCHECKED});
  EXPECT_EQ(IsDlgButtonChecked(h, IDC_LEGEND_MOOD), UINT{BST_CHECKED});
}

// The square's pixels as the pane paints them into a memory DC.
COLORREF SquareCentre(HWND pane, int id) {
  const HWND square = GetDlgItem(pane, id);
  RECT r{};
  GetClientRect(square, &r);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_STATIC;
  item.CtlID = static_cast<UINT>(id);
  item.hwndItem = square;
  item.hDC = dc;
  item.rcItem = r;
  SendMessageW(pane, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
  const COLORREF centre = GetPixel(dc, 8, 8);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return centre;
}

TEST_F(LegendPaneTest, AColourSquareChangesItsClassColour) {
  const int squares[6] = {IDC_LEGEND_FLOW_COLOR,    IDC_LEGEND_PROGNOZE_COLOR, IDC_LEGEND_NFERTILE_COLOR,
                          IDC_LEGEND_FERTILE_COLOR, IDC_LEGEND_LFERTILE_COLOR, IDC_LEGEND_OVULATION_COLOR};
  const auto pane = Open<CPaneLegend>();
  const HWND h = pane->Hwnd();
  for (int i = 0; i < 6; ++i) {
    const auto original = options_.colors;
    EXPECT_EQ(SquareCentre(h, squares[i]), original[static_cast<size_t>(i)]) << i;
    const COLORREF chosen = RGB(10 + i, 20 + i, 30 + i);
    chooseAnswer_ = chosen;
    offeredColours_.clear();
    const int repaints = host_.repaintMain;
    const HWND square = GetDlgItem(h, squares[i]);
    SendMessageW(square, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(square, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    ASSERT_EQ(offeredColours_.size(), 1u) << "one chooser per click on square " << i;
    EXPECT_EQ(offeredColours_[0], original[static_cast<size_t>(i)]) << "the current colour is preselected";
    for (int j = 0; j < 6; ++j) {
      EXPECT_EQ(options_.colors[static_cast<size_t>(j)], j == i ? chosen : original[static_cast<size_t>(j)]) << i;
    }
    EXPECT_EQ(host_.repaintMain, repaints + 1);
    EXPECT_EQ(SquareCentre(h, squares[i]), chosen) << i;
  }
  // A cancelled chooser changes nothing.
  const auto before = options_.colors;
  chooseAnswer_.reset();
  const int repaints = host_.repaintMain;
  SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_LEGEND_FERTILE_COLOR, STN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_LEGEND_FERTILE_COLOR)));
  EXPECT_EQ(options_.colors, before);
  EXPECT_EQ(host_.repaintMain, repaints);
}

TEST_F(LegendPaneTest, PanesPaintInTheBarsColour) {
  const auto pane = Open<CPaneLegend>();
  const COLORREF colour = RGB(0xA0, 0xC8, 0x64);
  pane->SetBackground(colour);
  const HWND h = pane->Hwnd();
  const HDC dc = GetDC(h);
  const HBRUSH dialogBrush = reinterpret_cast<HBRUSH>(
      SendMessageW(h, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h)));
  const HBRUSH checkBrush = reinterpret_cast<HBRUSH>(SendMessageW(
      h, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_LEGEND_FLOW))));
  const COLORREF textBack = GetBkColor(dc);
  ReleaseDC(h, dc);
  LOGBRUSH info{};
  ASSERT_NE(dialogBrush, nullptr);
  GetObjectW(dialogBrush, sizeof info, &info);
  EXPECT_EQ(info.lbColor, colour);
  EXPECT_EQ(checkBrush, dialogBrush);
  EXPECT_EQ(textBack, colour);
}

}  // namespace
}  // namespace panetest
