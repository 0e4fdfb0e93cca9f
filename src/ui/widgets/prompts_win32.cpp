#include "ui/widgets/prompts_win32.h"

#include <algorithm>

#include <commdlg.h>
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
  p.chooseFile = [](HWND owner, const FileChoice& choice) -> std::optional<ChosenFile> {
    // "label\0pattern\0...\0\0"
    std::wstring filter;
    for (const auto& [label, pattern] : choice.types) {
      filter += label;
      filter.push_back(L'\0');
      filter += pattern;
      filter.push_back(L'\0');
    }
    filter.push_back(L'\0');
    std::vector<wchar_t> file(32768, L'\0');
    choice.defaultName.copy(file.data(), std::min(choice.defaultName.size(), file.size() - 1));
    std::wstring extension;
    if (!choice.types.empty()) {
      const std::wstring& pattern = choice.types.front().second;
      if (pattern.rfind(L"*.", 0) == 0) extension = pattern.substr(2);
    }
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.lpstrInitialDir = choice.initialFolder.empty() ? nullptr : choice.initialFolder.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                (choice.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL ok = choice.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return std::nullopt;
    return ChosenFile{file.data(), ofn.nFilterIndex > 0 ? static_cast<int>(ofn.nFilterIndex) - 1 : 0};
  };
  return p;
}
