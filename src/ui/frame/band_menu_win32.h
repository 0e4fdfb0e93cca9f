#pragma once

#include <windows.h>

#include "env/handle_win32.h"

class LocaleManager;

// One drop-down of the band (0 File, 1 Navigate, 2 Reports, 3 Help): menu
// 128's submenu, every text translated as it opens, the child-planning
// reports removed for a user who avoids pregnancy.
class BandMenu {
 public:
  BandMenu(HINSTANCE resources, int title, const LocaleManager& locale, int goal);
  BandMenu(const BandMenu&) = delete;
  BandMenu& operator=(const BandMenu&) = delete;

  // The drop-down, or null when the menu resource is missing.
  [[nodiscard]] HMENU Popup() const { return popup_; }

 private:
  UniqueMenu menu_;  // owns the popup too
  HMENU popup_ = nullptr;
};

// The notification-area icon's menu: show the window, help contents, about,
// configure, exit.
[[nodiscard]] UniqueMenu BuildTrayMenu(const LocaleManager& locale);
