#pragma once

#include <windows.h>

#include "ui/panes/pane_host_win32.h"
#include "ui/panes/pane_texts.h"
#include "ui/widgets/dialog_win32.h"
#include "ui/widgets/gdi_win32.h"

// The today dialog: today's line, the next menstruation and ovulation, the
// expected birth date and the baby's gender for a conceiving goal, today's
// note and tip.
class CDayInfoDlg : public CDialog {
 public:
  explicit CDayInfoDlg(const PaneContext& context);

  // What the look ahead found, once the dialog is open.
  [[nodiscard]] const LookAhead& Found() const { return found_; }
  // The picture shown for the gender: IDB_GENDER_BOY or IDB_GENDER_GIRL.
  [[nodiscard]] int GenderPicture() const { return found_.girl ? kGirlPicture : kBoyPicture; }

  static constexpr int kBoyPicture = 130;
  static constexpr int kGirlPicture = 131;

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item) const;

  PaneContext context_;
  LookAhead found_;
  Bitmap gender_;
};
