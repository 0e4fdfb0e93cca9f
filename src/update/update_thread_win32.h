#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "env/handle_win32.h"
#include "update/update_check.h"

class LocaleManager;
class IAnsiCodec;
class IClock;

// What the automatic check obtained, handed to the user-interface thread.
struct UpdateFound {
  update::VersionFile file;
  std::int64_t checkedAt = 0;  // the time the check was due
};

// How often the automatic check wakes and how long it rests after a fetch.
struct UpdateTiming {
  unsigned wakeMs = update::kWakePeriodMs;
  unsigned retryMs = update::kRetryDelayMs;
};

// The automatic check for a newer version. The thread only fetches: when a
// fetch yields a version it posts FoundMessage() to the target window with a
// new UpdateFound in lParam, which the window takes over (TakeFound). The
// settings, the dialog and the decision to offer stay on the window's thread.
class UpdateThread {
 public:
  using Timing = UpdateTiming;
  // The longest Stop waits for the thread.
  static constexpr DWORD kStopWaitMs = 1000;

  // The message the target window receives; lParam is an UpdateFound*.
  [[nodiscard]] static UINT FoundMessage();
  // Takes over the result carried by a FoundMessage.
  [[nodiscard]] static std::unique_ptr<UpdateFound> TakeFound(LPARAM lp);

  // locale, codec and clock must outlive the thread (the program's are
  // process-wide; a thread that does not stop in time is left running).
  UpdateThread(HWND target, const LocaleManager& locale, const IAnsiCodec& codec, const IClock& clock,
               std::int64_t lastUpdate, Timing timing = Timing());
  ~UpdateThread();
  UpdateThread(const UpdateThread&) = delete;
  UpdateThread& operator=(const UpdateThread&) = delete;

  // Starts the automatic check. The thread starts at once when a check is
  // due; otherwise a timer of the calling thread looks every wake period and
  // starts it once one is (a thread resting for most of a day costs a
  // megabyte under some systems). The caller's thread must pump messages.
  [[nodiscard]] bool Start();
  // Wakes the thread, cancels a fetch in progress and waits at most
  // kStopWaitMs; true when the thread has ended. Ends the waiting too.
  bool Stop();
  [[nodiscard]] bool Running() const;
  // Started, with the thread not yet needed.
  [[nodiscard]] bool Waiting() const { return timer_ != 0; }
  // How many fetches the thread began (tests).
  [[nodiscard]] int Fetches() const;

 private:
  struct State;
  static DWORD WINAPI Main(void* state) noexcept;
  static void CALLBACK OnWakeTimer(HWND, UINT, UINT_PTR timer, DWORD) noexcept;
  [[nodiscard]] bool StartThread();
  void StopWaiting();

  std::shared_ptr<State> state_;
  UniqueKernelHandle thread_;
  UINT_PTR timer_ = 0;  // the calling thread's timer while no check is due
};
