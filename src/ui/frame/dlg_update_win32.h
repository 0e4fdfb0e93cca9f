#pragma once

#include <windows.h>

#include <string>

#include "ui/widgets/dialog_win32.h"

class LocaleManager;

// Offers a newer version: the version in the text, "Update" and "Cancel",
// and a box that turns the automatic check off. Either button reads the box.
class CDlgUpdate : public CDialog {
 public:
  CDlgUpdate(const LocaleManager& locale, std::u16string version, HINSTANCE resources = nullptr);

  // Whether "Do not check for updates." was ticked when the dialog ended.
  [[nodiscard]] bool DontCheck() const { return dontCheck_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void ReadBox();

  const LocaleManager& locale_;
  std::u16string version_;
  bool dontCheck_ = false;
};
