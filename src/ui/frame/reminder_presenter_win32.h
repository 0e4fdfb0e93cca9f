#pragma once

#include <windows.h>

#include <functional>

#include "ui/reminders/reminders.h"
#include "ui/widgets/taskbar_notifier_win32.h"

struct FrameContext;

// The reminders on screen: the two popups (the large one for long texts, the
// small one for short texts and the pill), the check on the 15-second timer
// and on the tray hover, the once-a-day log and the chime.
class ReminderPresenter {
 public:
  static constexpr UINT_PTR kTimer = 0;
  static constexpr UINT kPeriodMs = 15000;

  // locked says whether the calendar is locked (then no reminder shows);
  // refreshed is told when a change of days takes old reminders away;
  // onScreen is told true when a popup comes and false when none is left.
  ReminderPresenter(const FrameContext& context, std::function<bool()> locked, std::function<void()> refreshed,
                    std::function<void(bool)> onScreen = {});

  // The owner of the popups; the check timer starts.
  void Start(HWND owner);
  void Stop();
  // forced: the mouse rests on the tray icon.
  void Check(bool forced);
  void Hide();
  // A popup is on screen.
  [[nodiscard]] bool Showing() const;
  // Her days changed: a reminder on screen tells what was, and goes.
  void DaysChanged();

  // The popups, made on first use.
  [[nodiscard]] CTaskbarNotifier& Large();
  [[nodiscard]] CTaskbarNotifier& Small();
  [[nodiscard]] bool Made() const { return made_; }

 private:
  bool EnsurePopups();
  void PlayAlert() const;
  [[nodiscard]] int User() const;

  const FrameContext& context_;
  std::function<bool()> locked_;
  std::function<void()> refreshed_;
  std::function<void(bool)> onScreen_;
  HWND owner_ = nullptr;
  CTaskbarNotifier large_;
  CTaskbarNotifier small_;
  bool made_ = false;
  ReminderLog log_;
};
