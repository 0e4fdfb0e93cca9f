#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "update/update_check.h"
#include "update/update_manual_win32.h"
#include "ui/widgets/dialog_win32.h"

class LocaleManager;
class IAnsiCodec;

// The modeless window of the Help menu's check: says that the check runs,
// runs it on a thread of its own and offers Cancel. It ends itself when the
// check ends, when Cancel is pressed and at the latest after limitMs, and
// then hands the result to done (a cancelled check hands nothing).
class CDlgUpdateChecking : public CDialog {
 public:
  using Done = std::function<void(const update::CheckResult &)>;

  CDlgUpdateChecking(const LocaleManager &locale, const IAnsiCodec &codec, Done done,
                     DWORD limitMs = update::kCheckLimitMs, HINSTANCE resources = nullptr);
  ~CDlgUpdateChecking() override;

  // Shows the window and starts the check of address; false when either failed.
  [[nodiscard]] bool Start(HWND owner, std::wstring address);
  // Whether the check still runs.
  [[nodiscard]] bool Checking() const { return Hwnd() != nullptr; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static constexpr UINT_PTR kLimitTimer = 1;
  // Closes the window and hands the result on.
  void Finish(const update::CheckResult &result);
  void Unregister();
  // Cancels the check and drops a result already posted.
  void Drop();

  const LocaleManager &locale_;
  const IAnsiCodec &codec_;
  Done done_;
  DWORD limitMs_;
  WPARAM number_ = 0;
  std::unique_ptr<ManualUpdateCheck> check_;
  bool registered_ = false;
};
