#pragma once

#include <windows.h>

// Base of the program's windows. The static window procedure finds the C++
// object through GWLP_USERDATA (bound at WM_NCCREATE, unbound at
// WM_NCDESTROY, so no message reaches a freed object) and dispatches each
// message to a named handler. No exception leaves the procedure.
class CWindow {
 public:
  CWindow() = default;
  // Destroys a window that is still alive, unbinding it first so that its
  // last messages go to DefWindowProc rather than to a half-destroyed object.
  virtual ~CWindow();
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;

  // Registers a window class whose procedure is this base's; lpfnWndProc and
  // hInstance of wc are filled in. Registering a name twice is not an error.
  static bool RegisterClass(WNDCLASSEXW wc);

  // Creates the window bound to this object; null on failure (logged).
  HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width,
              int height, HWND parent = nullptr, HMENU menu = nullptr);

  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  // The object bound to a window of one of our classes, or null.
  [[nodiscard]] static CWindow* FromHandle(HWND hwnd);

 protected:
  // The flat dispatch; a derived class overrides it for messages that have no
  // named handler here and calls the base for the rest.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

  // Named handlers; each default passes the message to DefWindowProc.
  virtual LRESULT OnCreate(WPARAM wp, LPARAM lp) { return DefaultProc(WM_CREATE, wp, lp); }
  virtual LRESULT OnDestroy(WPARAM wp, LPARAM lp) { return DefaultProc(WM_DESTROY, wp, lp); }
  virtual LRESULT OnClose(WPARAM wp, LPARAM lp) { return DefaultProc(WM_CLOSE, wp, lp); }
  virtual LRESULT OnEndSession(WPARAM wp, LPARAM lp) { return DefaultProc(WM_ENDSESSION, wp, lp); }
  virtual LRESULT OnSize(WPARAM wp, LPARAM lp) { return DefaultProc(WM_SIZE, wp, lp); }
  virtual LRESULT OnSizing(WPARAM wp, LPARAM lp) { return DefaultProc(WM_SIZING, wp, lp); }
  virtual LRESULT OnGetMinMaxInfo(WPARAM wp, LPARAM lp) { return DefaultProc(WM_GETMINMAXINFO, wp, lp); }
  virtual LRESULT OnPaint(WPARAM wp, LPARAM lp) { return DefaultProc(WM_PAINT, wp, lp); }
  virtual LRESULT OnEraseBkgnd(WPARAM wp, LPARAM lp) { return DefaultProc(WM_ERASEBKGND, wp, lp); }
  virtual LRESULT OnTimer(WPARAM wp, LPARAM lp) { return DefaultProc(WM_TIMER, wp, lp); }
  virtual LRESULT OnCommand(WPARAM wp, LPARAM lp) { return DefaultProc(WM_COMMAND, wp, lp); }
  virtual LRESULT OnNotify(WPARAM wp, LPARAM lp) { return DefaultProc(WM_NOTIFY, wp, lp); }
  virtual LRESULT OnInitMenuPopup(WPARAM wp, LPARAM lp) { return DefaultProc(WM_INITMENUPOPUP, wp, lp); }
  virtual LRESULT OnSetFocus(WPARAM wp, LPARAM lp) { return DefaultProc(WM_SETFOCUS, wp, lp); }
  virtual LRESULT OnMouseMove(WPARAM wp, LPARAM lp) { return DefaultProc(WM_MOUSEMOVE, wp, lp); }
  virtual LRESULT OnMouseLeave(WPARAM wp, LPARAM lp) { return DefaultProc(WM_MOUSELEAVE, wp, lp); }
  virtual LRESULT OnLButtonDown(WPARAM wp, LPARAM lp) { return DefaultProc(WM_LBUTTONDOWN, wp, lp); }
  virtual LRESULT OnLButtonUp(WPARAM wp, LPARAM lp) { return DefaultProc(WM_LBUTTONUP, wp, lp); }
  virtual LRESULT OnLButtonDblClk(WPARAM wp, LPARAM lp) { return DefaultProc(WM_LBUTTONDBLCLK, wp, lp); }
  virtual LRESULT OnRButtonDown(WPARAM wp, LPARAM lp) { return DefaultProc(WM_RBUTTONDOWN, wp, lp); }
  virtual LRESULT OnRButtonUp(WPARAM wp, LPARAM lp) { return DefaultProc(WM_RBUTTONUP, wp, lp); }

  // Called after WM_NCDESTROY, when the window is gone and unbound; an object
  // that owns itself may delete itself here.
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

  HWND hwnd_ = nullptr;
};
