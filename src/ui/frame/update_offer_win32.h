#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "update/update_check.h"
#include "update/update_thread_win32.h"
#include "ui/widgets/prompts_win32.h"

class OptionsManager;
class LocaleManager;
class IClock;

// The check for a newer version on the user-interface thread: the Help
// menu's command, the results the automatic check posts, and the update
// dialog. Only this thread writes `lastUpdate` and `disableUpdates` and saves.
class UpdateOffer {
 public:
  // Fetches the version file; the menu command waits for it.
  using Fetch = std::function<update::VersionFile()>;

  UpdateOffer(OptionsManager& options, const LocaleManager& locale, const IClock& clock, const Prompts& prompts,
              HINSTANCE resources, Fetch fetch);

  // Help > Check new version: works whether or not the automatic check is off.
  void CheckNewVersion(HWND owner);
  // A version the automatic check obtained.
  void OnFound(HWND owner, const UpdateFound& found);

  // Whether the update dialog is open (a second offer waits for none).
  [[nodiscard]] bool Offering() const { return offering_; }

 private:
  // Records a check that obtained a version.
  void Checked(std::int64_t when);
  // The dialog for the version; on OK the download page is opened.
  void OfferUpdate(HWND owner, const update::VersionFile& file);

  OptionsManager& options_;
  const LocaleManager& locale_;
  const IClock& clock_;
  const Prompts& prompts_;
  HINSTANCE resources_;
  Fetch fetch_;
  bool offering_ = false;
};
