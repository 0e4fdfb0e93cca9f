#include "ui/widgets/tray_position_watcher_win32.h"

#include "env/debug_log_win32.h"

TrayPositionWatcher::~TrayPositionWatcher() { Stop(); }

bool TrayPositionWatcher::Start(HWND owner, UINT callbackMessage, std::chrono::milliseconds interval,
                                CursorSource cursor) {
  Stop();
  owner_ = owner;
  message_ = callbackMessage;
  interval_ = interval;
  cursor_ = std::move(cursor);
  {
    const std::lock_guard lock(mutex_);
    stop_ = false;
    tracking_ = false;
  }
  set_ = owner != nullptr;
  return set_;
}

bool TrayPositionWatcher::StartThread() {
  if (thread_.joinable()) return true;
  if (!set_) return false;
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    LogMessage(L"the tray position watcher could not start its thread");
    return false;
  }
  return true;
}

POINT TrayPositionWatcher::Cursor() const {
  if (cursor_) return cursor_();
  POINT p{};
  GetCursorPos(&p);
  return p;
}

bool TrayPositionWatcher::MouseOver() {
  const POINT p = Cursor();
  {
    const std::lock_guard lock(mutex_);
    recorded_ = p;
    tracking_ = true;
  }
  return StartThread();
}

bool TrayPositionWatcher::Tracking() const {
  const std::lock_guard lock(mutex_);
  return tracking_;
}

void TrayPositionWatcher::Stop() {
  set_ = false;
  if (!thread_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void TrayPositionWatcher::Run() {
  std::unique_lock lock(mutex_);
  while (!stop_) {
    if (wake_.wait_for(lock, interval_, [this] { return stop_; })) break;
    if (!tracking_) continue;
    const POINT recorded = recorded_;
    lock.unlock();
    const POINT now = Cursor();
    lock.lock();
    if (stop_ || !tracking_) continue;
    if (now.x == recorded.x && now.y == recorded.y) continue;
    tracking_ = false;
    // Posted, never sent: the owner's thread may be waiting in Stop.
    PostMessageW(owner_, message_, 0, WM_MOUSELEAVE);
  }
}
