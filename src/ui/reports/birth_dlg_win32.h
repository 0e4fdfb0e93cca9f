#pragma once

#include <windows.h>

#include "env/handle_win32.h"
#include "env/packed_date.h"
#include "ui/reports/birth_plan.h"
#include "ui/reports/planning_pictures_win32.h"
#include "ui/widgets/dialog_win32.h"

// "Birth": the latest intercourse, the estimated date of birth with the
// likely gender, and the baby's zodiac sign; opens the horoscope of that
// date and the Chinese lunar calendar.
class CBirthDlg : public CDialog {
 public:
  explicit CBirthDlg(PlanningContext context);

  // What the dialog found when it opened.
  [[nodiscard]] const BirthPlan& Plan() const { return plan_; }
  // The dialog's date: the date of birth once it has opened, empty before.
  [[nodiscard]] const PackedDate& Date() const { return date_; }
  // Resource ids of the pictures shown: 130 boy / 131 girl, 5641-5652 sign.
  [[nodiscard]] int GenderPictureId() const { return genderPictureId_; }
  [[nodiscard]] int ZodiacIconId() const { return zodiacIconId_; }

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  [[nodiscard]] HINSTANCE Module() const;

  PlanningContext context_;
  BirthPlan plan_;
  PackedDate date_;
  int genderPictureId_ = 0;
  int zodiacIconId_ = 0;
  UniqueIcon smallIcon_;
  UniqueIcon zodiacIcon_;
  Bitmap genderPicture_;
};
