#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "update/update_fetch_win32.h"

// One check asked for from the Help menu, on a thread of its own so that the
// window keeps answering. The thread only fetches: it posts DoneMessage() to
// the target window with the check's number in wParam and a new FetchedBytes
// in lParam, which the window takes over (TakeDone). Cancel leaves the
// thread: it is never waited for, posts nothing more, and a thread that is
// still in the network when the process ends ends with it.
class ManualUpdateCheck {
 public:
  // The message the target window receives.
  [[nodiscard]] static UINT DoneMessage();
  // Takes over the bytes carried by a DoneMessage.
  [[nodiscard]] static std::unique_ptr<FetchedBytes> TakeDone(LPARAM lp);

  // target receives the result of a fetch of address tagged with number.
  ManualUpdateCheck(HWND target, WPARAM number, std::wstring address, DWORD budgetMs = update::kCheckLimitMs);
  // Cancels a check still running.
  ~ManualUpdateCheck();
  ManualUpdateCheck(const ManualUpdateCheck &) = delete;
  ManualUpdateCheck &operator=(const ManualUpdateCheck &) = delete;

  [[nodiscard]] bool Start();
  // From now on nothing is posted; a fetch in progress is left to itself.
  void Cancel();

 private:
  struct State;
  static DWORD WINAPI Main(void *state) noexcept;

  std::shared_ptr<State> state_;
  bool started_ = false;
};
