// The yardstick for start-up: the least a Win32 program with a window and a
// tray icon does before its first paint.

#include <windows.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd, &ps);
      FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TamarelBareWindow";
  RegisterClassExW(&wc);
  const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 1000, 800, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  NOTIFYICONDATAW tray{};
  tray.cbSize = sizeof tray;
  tray.hWnd = hwnd;
  tray.uID = 128;
  tray.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  tray.uCallbackMessage = WM_USER + 87;
  tray.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(tray.szTip, L"Bare window", 64);
  Shell_NotifyIconW(NIM_ADD, &tray);
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Shell_NotifyIconW(NIM_DELETE, &tray);
  return 0;
}
