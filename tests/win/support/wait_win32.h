#pragma once

#include <windows.h>

// Polls cond until it holds or timeoutMs pass, handling this thread's
// messages meanwhile; true when cond held.
template <typename Cond>
bool WaitUntil(Cond cond, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (true) {
    if (cond()) return true;
    if (GetTickCount64() >= deadline) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
}
