#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct FrameContext;

// File > Back up..., Restore... and Export... of the main window.
class DataCommands {
 public:
  // restored runs after a restore put other files in place (her days, her
  // users, maybe somebody else logged in now).
  DataCommands(const FrameContext& context, std::function<void()> restored);

  void Attach(HWND owner) { owner_ = owner; }
  // True once a backup was written; owner: the window the dialogs belong to
  // (none: the main window).
  [[nodiscard]] bool BackUp(HWND owner = nullptr);
  void Restore();
  void Export();

 private:
  [[nodiscard]] bool WriteBackUp();
  void ShowError(const std::u16string& text) const;
  void ShowInformation(const std::u16string& text) const;

  const FrameContext& context_;
  std::function<void()> restored_;
  HWND owner_ = nullptr;
};
