#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// The notification area tells its owner when the mouse moves over an icon,
// never when it leaves. This watcher fills the gap: the owner reports each
// move over the icon, and a thread of the watcher looks at the cursor every
// interval; once the cursor has moved away from the reported place it posts
// the owner's tray message with WM_MOUSELEAVE. The thread starts with the
// first move over the icon, so a program whose icon is never hovered pays
// nothing for it. Stop (or the destructor) ends the thread and waits for it,
// so nothing is posted to a window that is gone.
class TrayPositionWatcher {
 public:
  using CursorSource = std::function<POINT()>;

  TrayPositionWatcher() = default;
  ~TrayPositionWatcher();
  TrayPositionWatcher(const TrayPositionWatcher&) = delete;
  TrayPositionWatcher& operator=(const TrayPositionWatcher&) = delete;

  // Sets the watcher up; owner receives callbackMessage with lParam
  // WM_MOUSELEAVE. cursor defaults to GetCursorPos. The thread starts at the
  // first MouseOver.
  [[nodiscard]] bool Start(HWND owner, UINT callbackMessage,
                           std::chrono::milliseconds interval = std::chrono::milliseconds(2000),
                           CursorSource cursor = nullptr);
  // The mouse is over the icon at the cursor's current place. Starts the
  // thread if it is not running; false when it cannot.
  bool MouseOver();
  // Ends the thread and joins it. Safe to call twice.
  void Stop();

  [[nodiscard]] bool Running() const { return thread_.joinable(); }
  [[nodiscard]] bool Tracking() const;

 private:
  void Run();
  [[nodiscard]] bool StartThread();
  [[nodiscard]] POINT Cursor() const;

  HWND owner_ = nullptr;
  UINT message_ = 0;
  std::chrono::milliseconds interval_{2000};
  CursorSource cursor_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool set_ = false;  // Start was called and Stop was not
  bool stop_ = false;
  bool tracking_ = false;
  POINT recorded_{0, 0};
  std::thread thread_;
};
