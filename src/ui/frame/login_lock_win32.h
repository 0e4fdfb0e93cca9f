#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct FrameContext;

// Who sees the calendar: the login flow (from Logout, from the first
// restore from the tray), the lock that hides every day while nobody is
// logged in, the locked area's paint and the window title with her name.
class LoginLock {
 public:
  struct Callbacks {
    std::function<void()> lockChanged;  // the calendar and panes are shown or hidden as Hidden() says
    std::function<void()> userChanged;  // somebody else's days (or nobody's) are to be shown
    std::function<bool(HWND owner)> backUp;  // File > Back up, offered before an encryption
  };

  LoginLock(const FrameContext& context, Callbacks callbacks);

  void Attach(HWND frame) { frame_ = frame; }
  // The login dialog; after a login her days are loaded and shown and her
  // name is in the title. True on login. With logins on, nobody's calendar
  // shows behind the dialog, and Cancel leaves nobody logged in.
  bool RunLoginFlow();
  // The first restore from the tray asks for the login, once a run.
  void RunLoginFlowOnce();
  // Start-up asked for the login already.
  void AskedAtStart() { shown_ = true; }
  // With logins on and nobody logged in.
  [[nodiscard]] bool Locked() const;
  // Locked, or the login dialog of Logout is open: no day is on screen.
  [[nodiscard]] bool Hidden() const { return hideForLogin_ || Locked(); }
  [[nodiscard]] bool FlowRunning() const { return running_; }
  // "Tamarel", with her name while logins are on.
  [[nodiscard]] std::wstring WindowTitle() const;
  void RefreshTitle() const;
  // Paints the area below the band while Hidden(): one plain area with the
  // way in (not while the dialog is open).
  void PaintLocked(HDC dc, const RECT& area) const;
  // A click on the locked area asks for the login.
  void OnLockedClick() const;

 private:
  const FrameContext& context_;
  Callbacks callbacks_;
  HWND frame_ = nullptr;
  bool running_ = false;
  bool hideForLogin_ = false;
  bool shown_ = false;
};
