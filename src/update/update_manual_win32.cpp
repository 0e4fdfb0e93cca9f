#include "update/update_manual_win32.h"

#include <mutex>

#include "env/debug_log_win32.h"

// Shared by the owner and the thread: the thread reaches nothing else.
struct ManualUpdateCheck::State {
  HWND target = nullptr;
  WPARAM number = 0;
  std::wstring address;
  DWORD budgetMs = 0;
  std::mutex mutex;
  bool cancelled = false;  // guarded by mutex

  void Run() {
    {
      std::lock_guard lock(mutex);
      if (cancelled) return;
    }
    UpdateFetcher fetcher;
    auto done = std::make_unique<FetchedBytes>(fetcher.FetchBytes(address, budgetMs));
    std::lock_guard lock(mutex);
    if (cancelled) return;
    if (PostMessageW(target, DoneMessage(), number, reinterpret_cast<LPARAM>(done.get()))) {
      static_cast<void>(done.release());  // the window owns it now
    } else {
      LogLastError(L"PostMessage(update checked)");
    }
  }

  // Only marks the check: closing a session that a request waits in can
  // block the caller for seconds under Wine, so the thread is left to end
  // (or not) on its own and posts nothing.
  void Cancel() {
    std::lock_guard lock(mutex);
    cancelled = true;
  }
};

UINT ManualUpdateCheck::DoneMessage() {
  static const UINT message = RegisterWindowMessageW(L"TamarelUpdateChecked");
  return message;
}

std::unique_ptr<FetchedBytes> ManualUpdateCheck::TakeDone(LPARAM lp) {
  return std::unique_ptr<FetchedBytes>(reinterpret_cast<FetchedBytes *>(lp));
}

ManualUpdateCheck::ManualUpdateCheck(HWND target, WPARAM number, std::wstring address, DWORD budgetMs)
    : state_(std::make_shared<State>()) {
  state_->target = target;
  state_->number = number;
  state_->address = std::move(address);
  state_->budgetMs = budgetMs;
}

ManualUpdateCheck::~ManualUpdateCheck() {
  Cancel();
}

bool ManualUpdateCheck::Start() {
  if (started_) return false;
  // The thread holds its own reference to the state.
  auto mine = std::make_unique<std::shared_ptr<State>>(state_);
  // Not waited for: the handle is closed at once.
  const HANDLE thread = CreateThread(nullptr, 0, &ManualUpdateCheck::Main, mine.get(), 0, nullptr);
  if (!thread) {
    LogLastError(L"CreateThread(update check)");
    return false;
  }
  static_cast<void>(mine.release());  // Main takes it over
  CloseHandle(thread);
  started_ = true;
  return true;
}

void ManualUpdateCheck::Cancel() {
  state_->Cancel();
}

DWORD WINAPI ManualUpdateCheck::Main(void *state) noexcept {
  const std::unique_ptr<std::shared_ptr<State>> mine(static_cast<std::shared_ptr<State> *>(state));
  try {
    (*mine)->Run();
  } catch (...) {
    LogMessage(L"the update check stopped on an exception");
  }
  return 0;
}
