#include "ui/widgets/window_win32.h"

#include <cwchar>
#include <exception>

#include "env/debug_log_win32.h"

CWindow::~CWindow() {
  if (hwnd_) {
    const HWND hwnd = hwnd_;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

bool CWindow::RegisterClass(WNDCLASSEXW wc) {
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &CWindow::WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  if (RegisterClassExW(&wc)) return true;
  if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
  LogLastError(L"RegisterClassExW");
  return false;
}

HWND CWindow::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu) {
  const HWND hwnd = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                                    GetModuleHandleW(nullptr), this);
  if (!hwnd) LogLastError(L"CreateWindowExW");
  return hwnd;
}

CWindow* CWindow::FromHandle(HWND hwnd) {
  return hwnd ? reinterpret_cast<CWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

LRESULT CWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate(wp, lp);
    case WM_DESTROY: return OnDestroy(wp, lp);
    case WM_CLOSE: return OnClose(wp, lp);
    case WM_ENDSESSION: return OnEndSession(wp, lp);
    case WM_SIZE: return OnSize(wp, lp);
    case WM_SIZING: return OnSizing(wp, lp);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(wp, lp);
    case WM_PAINT: return OnPaint(wp, lp);
    case WM_ERASEBKGND: return OnEraseBkgnd(wp, lp);
    case WM_TIMER: return OnTimer(wp, lp);
    case WM_COMMAND: return OnCommand(wp, lp);
    case WM_NOTIFY: return OnNotify(wp, lp);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(wp, lp);
    case WM_SETFOCUS: return OnSetFocus(wp, lp);
    case WM_MOUSEMOVE: return OnMouseMove(wp, lp);
    case WM_MOUSELEAVE: return OnMouseLeave(wp, lp);
    case WM_LBUTTONDOWN: return OnLButtonDown(wp, lp);
    case WM_LBUTTONUP: return OnLButtonUp(wp, lp);
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(wp, lp);
    case WM_RBUTTONDOWN: return OnRButtonDown(wp, lp);
    case WM_RBUTTONUP: return OnRButtonUp(wp, lp);
    default: return DefaultProc(msg, wp, lp);
  }
}

LRESULT CALLBACK CWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  CWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    // The object rides in with CreateWindowEx's last argument.
    self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = FromHandle(hwnd);
  }
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO of a top-level window) and
  // after unbinding have no object.
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);

  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    const LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
    try {
      self->OnFinalMessage();
    } catch (...) {
      LogMessage(L"exception in OnFinalMessage");
    }
    return result;
  }

  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    wchar_t line[160];
    std::swprintf(line, 160, L"exception in window message 0x%04x: %hs", msg, e.what());
    LogMessage(line);
  } catch (...) {
    LogMessage(L"unknown exception in a window procedure");
  }
  // A window whose creation threw must not come into being half made.
  if (msg == WM_NCCREATE) return FALSE;
  if (msg == WM_CREATE) return -1;
  return 0;
}
