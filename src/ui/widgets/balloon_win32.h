#pragma once

#include <windows.h>

#include <string>

// A balloon message pointing at a point on the screen: a title with the
// information icon, a close button, text that may hold line breaks. It closes
// itself after a time-out; showing another replaces the one that is open.
// Built on the common tooltip control in tracking mode.
class BalloonMessage {
 public:
  static constexpr UINT kDefaultTimeoutMs = 10000;

  explicit BalloonMessage(UINT timeoutMs = kDefaultTimeoutMs) : timeoutMs_(timeoutMs) {}
  ~BalloonMessage() { Close(); }
  BalloonMessage(const BalloonMessage&) = delete;
  BalloonMessage& operator=(const BalloonMessage&) = delete;

  // Opens the balloon with its stem at `anchor` (screen coordinates), owned
  // by `owner`; false when the window cannot be made.
  bool Show(HWND owner, POINT anchor, const std::wstring& title, const std::wstring& text);
  // Closes the open balloon, if any.
  void Close();

  [[nodiscard]] bool IsOpen() const { return tip_ != nullptr; }
  // The balloon's window while it is open.
  [[nodiscard]] HWND Hwnd() const { return tip_; }
  // What the open (or last) balloon shows; the tooltip control has no
  // reliable way to give its title back.
  [[nodiscard]] const std::wstring& Title() const { return title_; }
  [[nodiscard]] const std::wstring& Text() const { return text_; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) noexcept;

  UINT timeoutMs_;
  HWND tip_ = nullptr;
  // The tooltip keeps a pointer to the text, so it lives as long as the window.
  std::wstring text_;
  std::wstring title_;
};
