#include "ui/panes/pane_goal_win32.h"

#include "settings/options_manager.h"
#include "resources/image_ids.h"
#include "resources/pane_ids.h"
#include "resources/resource.h"

namespace {

constexpr int kGoalRadios[] = {IDC_GOAL_AVOID, IDC_GOAL_CONCEIVE, IDC_GOAL_BOY, IDC_GOAL_GIRL};

}  // namespace

CPaneGoal::CPaneGoal(const PaneContext& context) : CPaneDialog(IDD_PANE_GOAL, context) {}

BOOL CPaneGoal::OnInitDialog() {
  AddSkinButton(IDC_GOAL_STATISTIC, IDI_PANE_STATISTIC);
  AddSkinButton(IDC_GOAL_MYCYCLES, IDI_PANE_MYCYCLES);
  AddSkinButton(IDC_GOAL_BIRTH, IDI_PANE_BIRTH);
  Refresh();
  ApplyGoalVisibility(context_.options.goal);
  return FALSE;
}

void CPaneGoal::Refresh() {
  SetItemText(IDC_GOAL_AVOID, Text(u"GOAL1"));
  SetItemText(IDC_GOAL_CONCEIVE, Text(u"GOAL2"));
  SetItemText(IDC_GOAL_BOY, Text(u"GOAL3"));
  SetItemText(IDC_GOAL_GIRL, Text(u"GOAL4"));
  SetItemText(IDC_GOAL_STATISTIC, PlainText(u"STATISTIC"));
  SetItemText(IDC_GOAL_BIRTH, PlainText(u"BIRTH"));
  SetItemText(IDC_GOAL_MYCYCLES, PlainText(u"MYCYCLES"));
  const int goal = context_.options.goal;
  // A goal outside 0-3 (a hand-edited registry) selects no radio button.
  for (int i = 0; i < 4; ++i) SetChecked(kGoalRadios[i], i == goal);
}

void CPaneGoal::ApplyGoalVisibility(int goal) { ShowItem(IDC_GOAL_BIRTH, goal != 0); }

bool CPaneGoal::OnCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED) return false;
  for (int i = 0; i < 4; ++i) {
    if (id == kGoalRadios[i]) {
      CheckRadioButton(Hwnd(), IDC_GOAL_AVOID, IDC_GOAL_GIRL, id);
      context_.options.goal = i;
      context_.host.GoalChanged();
      return true;
    }
  }
  switch (id) {
    case IDC_GOAL_STATISTIC: context_.host.RunCommand(ID_REPORTS_STATISTIC); return true;
    case IDC_GOAL_MYCYCLES: context_.host.RunCommand(ID_REPORTS_MYCYCLES); return true;
    case IDC_GOAL_BIRTH: context_.host.RunCommand(ID_REPORTS_BIRTH); return true;
    default: return false;
  }
}
