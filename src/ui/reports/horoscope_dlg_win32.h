#pragma once

#include <windows.h>

#include <string>

#include "env/handle_win32.h"
#include "env/packed_date.h"
#include "ui/reports/planning_pictures_win32.h"
#include "ui/widgets/dialog_win32.h"

// "Horoscope": the text of a zodiac sign, chosen by a date of birth or
// directly from the list of signs.
class CHoroscopeDlg : public CDialog {
 public:
  // date: the date of birth; empty means today.
  CHoroscopeDlg(PlanningContext context, const PackedDate& date);

  [[nodiscard]] const PackedDate& Date() const { return date_; }
  // The sign whose text is shown (0 Aries .. 11 Pisces), its icon resource
  // and the text itself.
  [[nodiscard]] int Sign() const { return sign_; }
  [[nodiscard]] int IconId() const { return iconId_; }
  [[nodiscard]] const std::u16string& Text() const { return text_; }
  // The focus frame around the date picker, in the dialog's client
  // coordinates, this far outside the picker.
  static constexpr int kFocusRingGap = 2;
  [[nodiscard]] RECT PickerFocusRing() const;

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void ShowSign(int sign);
  void OnDateChanged();
  void OnSignChosen();

  PlanningContext context_;
  PackedDate date_;
  int sign_ = 0;
  int iconId_ = 0;
  std::u16string text_;
  UniqueIcon signIcon_;
  bool pickerFocused_ = false;
};
