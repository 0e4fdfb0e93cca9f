#include "ui/widgets/message_loop_win32.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>

#include "env/debug_log_win32.h"

namespace {
thread_local MessageLoop* g_current = nullptr;
}

// A loop is current from construction, so windows made before Run can
// register their filters; loops nest (a modal loop inside another).
MessageLoop::MessageLoop() : previous_(g_current) { g_current = this; }

MessageLoop::~MessageLoop() { g_current = previous_; }

MessageLoop* MessageLoop::Current() { return g_current; }

void MessageLoop::AddFilter(MessageFilter* filter) {
  if (filter && std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) filters_.push_back(filter);
}

void MessageLoop::RemoveFilter(MessageFilter* filter) { std::erase(filters_, filter); }

void MessageLoop::AddModelessDialog(HWND dialog) {
  if (dialog && std::find(dialogs_.begin(), dialogs_.end(), dialog) == dialogs_.end()) dialogs_.push_back(dialog);
}

void MessageLoop::RemoveModelessDialog(HWND dialog) { std::erase(dialogs_, dialog); }

bool MessageLoop::PreTranslate(MSG& msg) {
  // By index: a filter may remove itself (or another) while it runs.
  for (size_t i = 0; i < filters_.size(); ++i) {
    if (filters_[i]->PreTranslateMessage(msg)) return true;
  }
  for (size_t i = 0; i < dialogs_.size(); ++i) {
    const HWND dialog = dialogs_[i];
    if (IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) return true;
  }
  return false;
}

int MessageLoop::Run() {
  MSG msg;
  while (true) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) {
      LogLastError(L"GetMessageW");
      return -1;
    }
    // Nothing thrown while one message is handled ends the program: it is
    // logged, and the loop goes on with the next message.
    try {
      if (PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } catch (const std::exception& e) {
      const std::wstring line = L"a message ended in an exception: " + std::wstring(e.what(), e.what() + std::strlen(e.what()));
      LogMessage(line.c_str());
    } catch (...) {
      LogMessage(L"a message ended in an unknown exception");
    }
  }
}
