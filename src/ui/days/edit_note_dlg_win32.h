#pragma once

#include <windows.h>

#include <string>

#include "ui/widgets/dialog_win32.h"

class LocaleManager;

// The note editor of a day: one multi-line field, OK and Cancel.
class CEditNoteDlg : public CDialog {
 public:
  CEditNoteDlg(const LocaleManager& locale, std::u16string note, HINSTANCE resources = nullptr);

  // The edited text after OK (may be empty).
  [[nodiscard]] const std::u16string& Note() const { return note_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  const LocaleManager& locale_;
  std::u16string note_;
};
