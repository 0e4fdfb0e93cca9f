#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>

// An icon in the notification area, removed with its owner object. The
// taskbar forgets its icons when Explorer restarts; the owner window passes
// the registered "TaskbarCreated" message on to Readd.
class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Adds the icon (NIM_ADD, then NIM_SETVERSION); the tip is cut to what the
  // shell holds. Clicks arrive at owner as callbackMessage with lParam the
  // mouse message.
  bool Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, std::wstring_view tip);
  // After the taskbar was re-created: the same icon again.
  bool Readd();
  // A new tip for the icon (NIM_MODIFY), cut as in Add.
  bool SetTip(std::wstring_view tip);
  void Remove();
  // A notification balloon from the icon (NIF_INFO) with the information
  // icon; true when the shell took it.
  bool ShowBalloon(std::wstring_view title, std::wstring_view text);
  // The balloons asked for so far, and the text of the last one.
  [[nodiscard]] int BalloonsShown() const { return balloons_; }
  [[nodiscard]] const std::wstring& LastBalloonText() const { return lastBalloon_; }

  [[nodiscard]] bool Added() const { return added_; }
  [[nodiscard]] const NOTIFYICONDATAW& Data() const { return data_; }
  // The message Explorer broadcasts when its taskbar is (re)created.
  [[nodiscard]] static UINT TaskbarCreatedMessage();

 private:
  void CopyTip(std::wstring_view tip);

  NOTIFYICONDATAW data_{};
  bool added_ = false;
  int balloons_ = 0;
  std::wstring lastBalloon_;
};
