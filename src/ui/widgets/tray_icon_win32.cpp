#include "ui/widgets/tray_icon_win32.h"

#include <algorithm>
#include <cwchar>

#include "env/debug_log_win32.h"

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, std::wstring_view tip) {
  Remove();
  data_ = NOTIFYICONDATAW{};
  data_.cbSize = sizeof data_;
  data_.hWnd = owner;
  data_.uID = id;
  data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  CopyTip(tip);
  return Readd();
}

void TrayIcon::CopyTip(std::wstring_view tip) {
  const size_t n = std::min(tip.size(), std::size(data_.szTip) - 1);
  std::wmemcpy(data_.szTip, tip.data(), n);
  data_.szTip[n] = L'\0';
}

bool TrayIcon::SetTip(std::wstring_view tip) {
  CopyTip(tip);
  if (!added_) return false;
  NOTIFYICONDATAW modify = data_;
  modify.uFlags = NIF_TIP;
  if (!Shell_NotifyIconW(NIM_MODIFY, &modify)) {
    LogLastError(L"Shell_NotifyIcon(NIM_MODIFY)");
    return false;
  }
  return true;
}

// The balloon goes in a modification of its own: the stored record keeps no
// NIF_INFO, so re-adding the icon after Explorer restarts shows no old balloon.
bool TrayIcon::ShowBalloon(std::wstring_view title, std::wstring_view text) {
  if (!added_) return false;
  NOTIFYICONDATAW info = data_;
  info.uFlags = NIF_INFO;
  const size_t titleLength = std::min(title.size(), std::size(info.szInfoTitle) - 1);
  std::wmemcpy(info.szInfoTitle, title.data(), titleLength);
  info.szInfoTitle[titleLength] = L'\0';
  const size_t textLength = std::min(text.size(), std::size(info.szInfo) - 1);
  std::wmemcpy(info.szInfo, text.data(), textLength);
  info.szInfo[textLength] = L'\0';
  info.dwInfoFlags = NIIF_INFO;
  info.uTimeout = 10000;
  if (!Shell_NotifyIconW(NIM_MODIFY, &info)) {
    LogLastError(L"Shell_NotifyIcon(NIF_INFO)");
    return false;
  }
  ++balloons_;
  lastBalloon_.assign(info.szInfo);
  return true;
}

bool TrayIcon::Readd() {
  if (!data_.hWnd) return false;
  if (!Shell_NotifyIconW(NIM_ADD, &data_)) {
    LogLastError(L"Shell_NotifyIcon(NIM_ADD)");
    return false;
  }
  added_ = true;
  // Version 3: the callback's lParam is the plain mouse message, the same
  // form the wake message of a second start uses.
  NOTIFYICONDATAW version = data_;
  version.uVersion = NOTIFYICON_VERSION;
  if (!Shell_NotifyIconW(NIM_SETVERSION, &version)) LogLastError(L"Shell_NotifyIcon(NIM_SETVERSION)");
  return true;
}

void TrayIcon::Remove() {
  if (!added_) return;
  added_ = false;
  if (!Shell_NotifyIconW(NIM_DELETE, &data_)) LogLastError(L"Shell_NotifyIcon(NIM_DELETE)");
}

UINT TrayIcon::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}
