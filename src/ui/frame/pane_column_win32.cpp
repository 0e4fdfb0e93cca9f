#include "ui/frame/pane_column_win32.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/theme.h"
#include "env/wide_win32.h"
#include "settings/options_manager.h"
#include "ui/frame/band_layout.h"
#include "ui/frame/frame_texts.h"
#include "ui/panes/pane_goal_win32.h"
#include "ui/panes/pane_info_win32.h"
#include "ui/panes/pane_legend_win32.h"
#include "ui/panes/pane_period_win32.h"

PaneColumn::PaneColumn(PaneContext context, std::function<void()> refreshed)
    : context_(std::move(context)), refreshed_(std::move(refreshed)) {}

PaneColumn::~PaneColumn() = default;

RECT PaneColumn::Area(const RECT& c) {
  const LONG top = kBandHeight + kStrip;
  return RECT{c.right - kPaneBarWidth, top, c.right, std::max(top, c.bottom - kStrip)};
}

void PaneColumn::Create(HWND frame, const RECT& area, std::function<void()> onMouseMove) {
  if (!bar_.CreateBar(frame, area, kPaneBarId)) {
    LogMessage(L"the pane bar could not be created");
    return;
  }
  bar_.SetMouseMoveHook(std::move(onMouseMove));
  Colour(context_.options.theme);
  CreatePanes();
  // The Day pane's tip box takes the height the other panes leave: all of
  // its text on a tall screen, two lines on a laptop's short one.
  if (info_ && info_->Hwnd()) {
    CPaneInfo* info = info_.get();
    bar_.SetElasticPane(1, [info] { return info->Heights(); }, [info](int height) { info->ResizeTo(height); });
  }
  bar_.Layout();
}

// The four panes, children of the bar, in the order goal, info, period,
// legend; each under its translated title.
void PaneColumn::CreatePanes() {
  goal_ = std::make_unique<CPaneGoal>(context_);
  info_ = std::make_unique<CPaneInfo>(context_);
  period_ = std::make_unique<CPanePeriod>(context_);
  legend_ = std::make_unique<CPaneLegend>(context_);
  const std::pair<CPaneDialog*, const char16_t*> panes[] = {{goal_.get(), kPaneTitleKeys[0]},
                                                           {info_.get(), kPaneTitleKeys[1]},
                                                           {period_.get(), kPaneTitleKeys[2]},
                                                           {legend_.get(), kPaneTitleKeys[3]}};
  for (const auto& [pane, key] : panes) {
    const HWND hwnd = pane->Create(bar_.Hwnd());
    if (!hwnd) {
      LogMessage(L"a pane could not be created");
      continue;
    }
    pane->SetBackground(bar_.Background());
    bar_.AddPane(ToWide(context_.locale.Translate(key)), hwnd);
  }
}

void PaneColumn::MoveTo(const RECT& a) {
  if (bar_.Hwnd()) MoveWindow(bar_.Hwnd(), a.left, a.top, a.right - a.left, a.bottom - a.top, TRUE);
}

void PaneColumn::PaintAround(HDC dc, const RECT& c) const {
  const Brush strip(CreateSolidBrush(bar_.Background()));
  const LONG left = c.right - kPaneBarWidth;
  for (const RECT r : {RECT{left, kBandHeight, c.right, kBandHeight + kStrip}, RECT{left, c.bottom - kStrip, c.right, c.bottom}}) {
    FillRect(dc, &r, strip.Get());
  }
  const RECT rest{0, kBandHeight, left, c.bottom};
  if (rest.bottom > rest.top) FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
  const RECT bar = Area(c);
  if (bar.bottom > bar.top && !bar_.Hwnd()) FillRect(dc, &bar, strip.Get());
}

void PaneColumn::Show(bool shown) {
  if (bar_.Hwnd()) ShowWindow(bar_.Hwnd(), shown ? SW_SHOW : SW_HIDE);
}

void PaneColumn::Colour(const ThemeRecord& theme) {
  bar_.SetColors(static_cast<COLORREF>(theme.base), static_cast<COLORREF>(theme.dark),
                 static_cast<COLORREF>(theme.pale));
  for (CPaneDialog* pane : Live()) pane->SetBackground(bar_.Background());
}

void PaneColumn::RefreshTitles() {
  for (size_t i = 0; i < bar_.SectionCount() && i < std::size(kPaneTitleKeys); ++i) {
    bar_.SetTitle(i, ToWide(context_.locale.Translate(kPaneTitleKeys[i])));
  }
}

void PaneColumn::Refresh(bool forceDay) {
  if (goal_ && goal_->Hwnd()) goal_->Refresh();
  if (info_ && info_->Hwnd()) info_->Refresh(forceDay);
  if (period_ && period_->Hwnd()) period_->RefreshTexts();
  if (legend_ && legend_->Hwnd()) legend_->Refresh();
  ApplyGoal();
  if (refreshed_) refreshed_();
}

void PaneColumn::RefreshDay() {
  if (info_ && info_->Hwnd()) info_->Refresh(false);
}

// The Birth button and the legend's boy, girl and pill entries follow the goal.
void PaneColumn::ApplyGoal() {
  const int goal = context_.options.goal;
  if (goal_ && goal_->Hwnd()) goal_->ApplyGoalVisibility(goal);
  if (legend_ && legend_->Hwnd()) legend_->ApplyGoalVisibility(goal);
}

std::vector<CPaneDialog*> PaneColumn::Live() const {
  std::vector<CPaneDialog*> panes;
  for (CPaneDialog* pane : {static_cast<CPaneDialog*>(goal_.get()), static_cast<CPaneDialog*>(info_.get()),
                            static_cast<CPaneDialog*>(period_.get()), static_cast<CPaneDialog*>(legend_.get())}) {
    if (pane && pane->Hwnd()) panes.push_back(pane);
  }
  return panes;
}

bool PaneColumn::Contains(HWND hwnd) const {
  const HWND bar = bar_.Hwnd();
  return bar && (hwnd == bar || IsChild(bar, hwnd));
}
