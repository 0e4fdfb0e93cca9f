#pragma once

#include <windows.h>

#include <array>

#include "resources/help_ids.h"
#include "env/handle_win32.h"
#include "ui/reports/planning_pictures_win32.h"
#include "ui/widgets/dialog_win32.h"

// "Chinese Lunar Calendar": the traditional gender chart for the mother's
// age, a boy or girl picture for each month of conception.
class CChineseLunalCalendarDlg : public CDialog {
 public:
  static constexpr int kFirstAge = 18;
  static constexpr int kDefaultAgeIndex = 2;  // age 20
  static constexpr int kHelpContext = IDH_CHINESE_CHART;

  explicit CChineseLunalCalendarDlg(PlanningContext context);

  // The selected entry of the age list, -1 before the dialog opens.
  [[nodiscard]] int AgeIndex() const { return ageIndex_; }
  // Resource id of the picture of month row i (0 January): 130 boy, 131 girl.
  [[nodiscard]] int PictureId(int month) const { return pictureIds_[static_cast<size_t>(month)]; }

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void UpdatePictures();

  PlanningContext context_;
  int ageIndex_ = -1;
  std::array<int, 12> pictureIds_{};
  Bitmap boy_;
  Bitmap girl_;
};
