#pragma once

#include <windows.h>

#include <vector>

// A window that wants to see messages before they are dispatched (the main
// frame routes mouse messages to the calendar this way).
class MessageFilter {
 public:
  virtual ~MessageFilter() = default;
  // True eats the message: it is neither translated nor dispatched.
  virtual bool PreTranslateMessage(MSG& msg) = 0;
};

// The program's message loop on the user-interface thread. Before dispatch
// each message passes the filters (in the order they were added), then the
// modeless dialogs, which take their keyboard navigation messages.
class MessageLoop {
 public:
  MessageLoop();
  ~MessageLoop();
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;

  // The loop running on this thread, or null outside Run.
  [[nodiscard]] static MessageLoop* Current();

  void AddFilter(MessageFilter* filter);
  void RemoveFilter(MessageFilter* filter);
  void AddModelessDialog(HWND dialog);
  void RemoveModelessDialog(HWND dialog);

  // Runs until WM_QUIT; returns its exit code.
  int Run();
  // Gives one retrieved message the filters' and dialogs' chance; true when
  // one of them took it.
  bool PreTranslate(MSG& msg);

 private:
  std::vector<MessageFilter*> filters_;
  std::vector<HWND> dialogs_;
  MessageLoop* previous_ = nullptr;
};
