#pragma once

#include <windows.h>

#include "ui/widgets/dialog_win32.h"

class MenstualManager;
class LocaleManager;

// "My cycles": every recorded start of a menstruation with the length of the
// cycle it begins and that cycle's expected ovulation. Reads, never changes.
class CCyclesDlg : public CDialog {
 public:
  static constexpr int kColumnWidth = 100;

  CCyclesDlg(MenstualManager& model, const LocaleManager& locale, HINSTANCE resources = nullptr);

 protected:
  BOOL OnInitDialog() override;

 private:
   void AddTemperatureColumn(HWND list);

   MenstualManager &model_;
   const LocaleManager &locale_;
   HINSTANCE resources_;
};
