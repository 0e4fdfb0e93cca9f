#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "env/handle_win32.h"
#include "ui/widgets/help_win32.h"
#include "ui/widgets/message_loop_win32.h"

class CMainFrame;
class CalendarSession;
class UpdateThread;

// The application object: one running copy per Windows user, the managers
// made in a fixed order, the main window, and the watcher that wakes this
// copy when the program is started again.
class CTamarelApp {
 public:
  static constexpr const wchar_t* kMutexName = L"Tamarel";
  static constexpr const wchar_t* kWakeEventName = L"TamarelE";

  CTamarelApp();
  ~CTamarelApp();
  CTamarelApp(const CTamarelApp&) = delete;
  CTamarelApp& operator=(const CTamarelApp&) = delete;

  // Start-up; false ends the program at once (another copy is running, or
  // there is no main window).
  [[nodiscard]] bool InitInstance(const wchar_t* commandLine);
  // The message loop; its exit code.
  int Run();
  // Stops the watcher and lets go of the single-instance mutex; the exit code.
  int ExitInstance();

 private:
  static DWORD WINAPI WakeWatcher(void* self) noexcept;
  void WatchForWake();

  MessageLoop loop_;
  UniqueKernelHandle mutex_;
  DWORD lastError_ = 0;  // right after creating the mutex
  UniqueKernelHandle wakeEvent_;
  UniqueKernelHandle watcher_;
  std::atomic<bool> stop_{false};
  std::atomic<HWND> mainWindow_{nullptr};
  std::unique_ptr<HelpViewerScope> help_;
  std::unique_ptr<CMainFrame> frame_;
  // The automatic check for a newer version; none when it is turned off.
  std::unique_ptr<UpdateThread> updateThread_;
  // Which file her days are in; none until start-up made it.
  CalendarSession* session_ = nullptr;
  int exitCode_ = 0;
};
