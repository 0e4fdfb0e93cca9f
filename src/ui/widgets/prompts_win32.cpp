#include "ui/widgets/prompts_win32.h"

#include <shellapi.h>

#include "env/debug_log_win32.h"

Prompts SystemPrompts() {
  Prompts p;
  p.messageBox = [](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
  };
  p.trackMenu = [](HMENU menu, UINT flags, POINT at, HWND owner) -> UINT {
    return static_cast<UINT>(TrackPopupMenuEx(menu, flags, at.x, at.y, owner, nullptr));
  };
  // A page that does not open is not reported to the user; the log keeps it.
  p.shellOpen = [](const std::wstring& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) LogError(L"ShellExecute(open)", static_cast<DWORD>(result));
  };
  return p;
}
