#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "env/packed_date.h"
#include "ui/widgets/prompts_win32.h"
#include "ui/widgets/tray_icon_win32.h"
#include "ui/widgets/tray_position_watcher_win32.h"

class OptionsManager;
class LocaleManager;
class IClock;

// Tamarel in the notification area: the icon with today's tooltip, the
// watcher of its position, its menu, the notice the first time she
// minimizes, and the icon added again when the taskbar comes back.
class TrayPresence {
 public:
  // The icon's callback message; a second start of the program sends it
  // too, with lParam WM_LBUTTONDOWN.
  static constexpr UINT kMessage = WM_USER + 87;
  static constexpr UINT kIconId = 128;
  static constexpr UINT_PTR kHoverTimer = 1;
  static constexpr UINT kHoverDelayMs = 1500;

  struct Callbacks {
    std::function<std::u16string()> tip;  // the tooltip's text as things stand
    std::function<void()> rested;         // the mouse rested on the icon: the reminders show
    std::function<void()> left;           // the mouse left the icon (or a click came): popups go
    std::function<void()> clicked;        // the window comes back
    std::function<void()> refreshed;      // the tooltip was made afresh
  };

  TrayPresence(OptionsManager& options, const LocaleManager& locale, const IClock& clock, const Prompts& prompts,
               Callbacks callbacks);

  void Add(HWND owner, HINSTANCE resources, std::chrono::milliseconds watchInterval);
  void Remove();
  // The tooltip made afresh (a change of days, a login, the lock).
  void RefreshTip();
  // While a reminder popup is on screen the icon shows no tooltip: it would
  // cover the popup's last line. quiet false brings today's tooltip back.
  void QuietTip(bool quiet);
  // The 15-second timer: the tooltip follows the date.
  void RefreshTipOnNewDay();
  LRESULT OnMessage(LPARAM mouseMessage);
  void OnHoverTimer();
  // The first minimize says once where Tamarel went.
  void TellOnceItKeepsRunning();
  // Handles the registered "TaskbarCreated"; true when msg was it.
  bool OnTaskbarCreated(UINT msg);

  [[nodiscard]] const TrayIcon& Icon() const { return icon_; }
  [[nodiscard]] const TrayPositionWatcher& Watcher() const { return watcher_; }
  // The mouse rests on the icon: the next reminder check is forced.
  [[nodiscard]] bool HoverPending() const { return mouseOver_; }

 private:
  void ShowMenu();
  void StopHover();

  OptionsManager& options_;
  const LocaleManager& locale_;
  const IClock& clock_;
  const Prompts& prompts_;
  Callbacks callbacks_;
  HWND owner_ = nullptr;
  TrayIcon icon_;
  TrayPositionWatcher watcher_;
  PackedDate tipDate_;
  bool mouseOver_ = false;
  bool quiet_ = false;
};
