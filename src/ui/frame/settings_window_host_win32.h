#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "ui/widgets/settings_page_win32.h"

class CSettingsDialog;
struct FrameContext;

// File > Configure: the settings window with its three pages, made anew or
// shown again as Cancel left it, and what its OK sets going.
class SettingsWindowHost {
 public:
  // textsChanged: the language changed (Apply of the general page);
  // coloursChanged: the theme changed; accepted: OK applied every page and
  // the settings were saved.
  // backUp: File > Back up; daysChanged: the general page moved or deleted days.
  SettingsWindowHost(const FrameContext& context, std::function<void()> textsChanged,
                     std::function<void()> coloursChanged, std::function<void()> accepted,
                     std::function<bool(HWND)> backUp = nullptr, std::function<void()> daysChanged = nullptr);
  ~SettingsWindowHost();
  SettingsWindowHost(const SettingsWindowHost&) = delete;
  SettingsWindowHost& operator=(const SettingsWindowHost&) = delete;

  void Open(HWND owner);
  // The window is closed with OK (1), Cancel (2) or Apply (2347).
  void OnClosed(WPARAM code);
  void Close();
  [[nodiscard]] CSettingsDialog* Dialog() const { return dialog_.get(); }

 private:
  const FrameContext& context_;
  std::function<void()> accepted_;
  SettingsContext pages_;
  std::unique_ptr<CSettingsDialog> dialog_;
};
