#pragma once

#include <windows.h>

#include <memory>

#include "update/update_check.h"
#include "update/update_thread_win32.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;
class IAnsiCodec;
class IClock;
class CDlgUpdateChecking;

// The check for a newer version on the user-interface thread: the Help
// menu's command, the results the automatic check posts, and the update
// dialog. Only this thread writes `lastUpdate` and `disableUpdates` and saves.
class UpdateOffer {
 public:
  // codec: how the version file is read; null for the system's code page.
  UpdateOffer(OptionsManager &options, const LocaleManager &locale, const IClock &clock, const Prompts &prompts,
              HINSTANCE resources, const IAnsiCodec *codec, DWORD limitMs = update::kCheckLimitMs);
  ~UpdateOffer();
  UpdateOffer(const UpdateOffer &) = delete;
  UpdateOffer &operator=(const UpdateOffer &) = delete;

  // Help > Check new version: works whether or not the automatic check is
  // off. Returns at once; a window says that the check runs and can cancel
  // it, and after at most limitMs the result is shown: the update dialog,
  // "No Updates Found", or why the check failed.
  void CheckNewVersion(HWND owner);
  // A version the automatic check obtained.
  void OnFound(HWND owner, const UpdateFound &found);

  // Whether the update dialog is open (a second offer waits for none).
  [[nodiscard]] bool Offering() const { return offering_; }
  // Whether the Help menu's check runs; its window while it does.
  [[nodiscard]] bool Checking() const;
  [[nodiscard]] HWND CheckingWindow() const;

 private:
  // What the Help menu's check obtained.
  void OnChecked(HWND owner, const update::CheckResult &result);
  // Records a check that obtained a version.
  void Checked(std::int64_t when);
  // The dialog for the version; on OK the download page is opened.
  void OfferUpdate(HWND owner, const update::VersionFile &file);

  OptionsManager &options_;
  const LocaleManager &locale_;
  const IClock &clock_;
  const Prompts &prompts_;
  HINSTANCE resources_;
  const IAnsiCodec &codec_;
  DWORD limitMs_;
  std::unique_ptr<CDlgUpdateChecking> checking_;
  bool offering_ = false;
  bool reporting_ = false;  // a result of the Help menu's check is being shown
};
