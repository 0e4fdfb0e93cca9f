#include "update/update_thread_win32.h"

#include <atomic>
#include <map>
#include <mutex>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "update/update_fetch_win32.h"

// Shared by the owner and the thread, so that a thread left running at exit
// never reaches into a destroyed owner.
struct UpdateThread::State {
  HWND target = nullptr;
  const LocaleManager& locale;
  const IAnsiCodec& codec;
  const IClock& clock;
  std::int64_t lastUpdate = 0;  // the thread's own copy; the settings stay with the window
  Timing timing;
  UniqueKernelHandle stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::mutex mutex;
  UpdateFetcher* fetcher = nullptr;  // guarded by mutex; the fetch in progress
  std::atomic<int> fetches{0};

  State(HWND t, const LocaleManager& l, const IAnsiCodec& c, const IClock& k, std::int64_t last, Timing tm)
      : target(t), locale(l), codec(c), clock(k), lastUpdate(last), timing(tm) {}

  // True when asked to stop.
  bool Rest(DWORD ms) const { return WaitForSingleObject(stop.Get(), ms) != WAIT_TIMEOUT; }

  void Run() {
    for (;;) {
      const std::int64_t now = clock.Now();
      if (!update::CheckIsDue(now, lastUpdate)) {
        if (Rest(timing.wakeMs)) return;
        continue;
      }
      update::VersionFile file;
      {
        UpdateFetcher fetcher;
        {
          std::lock_guard lock(mutex);
          if (WaitForSingleObject(stop.Get(), 0) != WAIT_TIMEOUT) return;
          this->fetcher = &fetcher;
        }
        ++fetches;
        file = fetcher.FetchVersionFile(locale, codec).file;
        std::lock_guard lock(mutex);
        this->fetcher = nullptr;
      }
      if (!file.version.empty()) {
        lastUpdate = now;
        auto found = std::make_unique<UpdateFound>(UpdateFound{file, now});
        if (PostMessageW(target, FoundMessage(), 0, reinterpret_cast<LPARAM>(found.get()))) {
          static_cast<void>(found.release());  // the window owns it now
        } else {
          LogLastError(L"PostMessage(update found)");
        }
      }
      if (Rest(timing.retryMs)) return;
    }
  }

  void RequestStop() {
    if (!SetEvent(stop.Get())) LogLastError(L"SetEvent(update stop)");
    std::lock_guard lock(mutex);
    if (fetcher) fetcher->Cancel();
  }
};

UINT UpdateThread::FoundMessage() {
  static const UINT message = RegisterWindowMessageW(L"TamarelUpdateFound");
  return message;
}

std::unique_ptr<UpdateFound> UpdateThread::TakeFound(LPARAM lp) {
  return std::unique_ptr<UpdateFound>(reinterpret_cast<UpdateFound*>(lp));
}

UpdateThread::UpdateThread(HWND target, const LocaleManager& locale, const IAnsiCodec& codec, const IClock& clock,
                           std::int64_t lastUpdate, Timing timing)
    : state_(std::make_shared<State>(target, locale, codec, clock, lastUpdate, timing)) {}

UpdateThread::~UpdateThread() { Stop(); }

namespace {

// The waiting checks by their timers; thread timers carry no pointer of their own.
std::map<UINT_PTR, UpdateThread*>& WaitingChecks() {
  static std::map<UINT_PTR, UpdateThread*> checks;
  return checks;
}

}  // namespace

bool UpdateThread::Start() {
  if (thread_ || timer_ || !state_->stop) return false;
  if (update::CheckIsDue(state_->clock.Now(), state_->lastUpdate)) return StartThread();
  timer_ = SetTimer(nullptr, 0, state_->timing.wakeMs, &UpdateThread::OnWakeTimer);
  if (!timer_) {
    LogLastError(L"SetTimer(update check)");
    return StartThread();  // the thread waits on its own then
  }
  WaitingChecks()[timer_] = this;
  return true;
}

void CALLBACK UpdateThread::OnWakeTimer(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
  const auto found = WaitingChecks().find(timer);
  if (found == WaitingChecks().end()) {
    KillTimer(nullptr, timer);
    return;
  }
  UpdateThread& check = *found->second;
  if (!update::CheckIsDue(check.state_->clock.Now(), check.state_->lastUpdate)) return;
  check.StopWaiting();
  if (!check.StartThread()) LogMessage(L"the update check could not start");
}

void UpdateThread::StopWaiting() {
  if (!timer_) return;
  KillTimer(nullptr, timer_);
  WaitingChecks().erase(timer_);
  timer_ = 0;
}

bool UpdateThread::StartThread() {
  if (thread_) return true;
  // The thread holds its own reference to the state.
  auto mine = std::make_unique<std::shared_ptr<State>>(state_);
  thread_.Reset(CreateThread(nullptr, 0, &UpdateThread::Main, mine.get(), 0, nullptr));
  if (!thread_) {
    LogLastError(L"CreateThread(update check)");
    return false;
  }
  static_cast<void>(mine.release());  // Main takes it over
  return true;
}

DWORD WINAPI UpdateThread::Main(void* state) noexcept {
  const std::unique_ptr<std::shared_ptr<State>> mine(static_cast<std::shared_ptr<State>*>(state));
  try {
    (*mine)->Run();
  } catch (...) {
    LogMessage(L"the update check stopped on an exception");
  }
  return 0;
}

bool UpdateThread::Stop() {
  StopWaiting();
  if (!thread_) return true;
  state_->RequestStop();
  if (WaitForSingleObject(thread_.Get(), kStopWaitMs) != WAIT_OBJECT_0) {
    // Still in a network call that did not end: the process does not wait
    // for it; the thread owns what it uses.
    LogMessage(L"the update check did not stop in time");
    thread_.Reset();
    return false;
  }
  thread_.Reset();
  return true;
}

bool UpdateThread::Running() const {
  return thread_ && WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

int UpdateThread::Fetches() const { return state_->fetches; }
