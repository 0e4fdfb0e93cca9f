#include "ui/widgets/help_win32.h"

#include "env/debug_log_win32.h"
#include "ui/widgets/help_place.h"

namespace {

thread_local HelpViewer* currentViewer = nullptr;

HelpPlaceRect ToPlace(const RECT& r) { return HelpPlaceRect{r.left, r.top, r.right, r.bottom}; }

bool SystemWorkArea(HWND window, RECT& work) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return false;
  work = info.rcWork;
  return true;
}

}  // namespace

HelpViewerScope::HelpViewerScope(HelpViewer viewer) : viewer_(std::move(viewer)), previous_(currentViewer) {
  currentViewer = &viewer_;
}

HelpViewerScope::~HelpViewerScope() { currentViewer = previous_; }

bool OpenHelpBeside(HWND asker, DWORD context) {
  if (!currentViewer || !currentViewer->show) return false;
  const HWND top = asker ? GetAncestor(asker, GA_ROOT) : nullptr;
  const HWND help = currentViewer->show(top, context);
  if (!help || !top) return true;
  RECT work{}, askerRect{}, helpRect{};
  const bool haveWork = currentViewer->workArea ? currentViewer->workArea(top, work) : SystemWorkArea(top, work);
  if (!haveWork || !GetWindowRect(top, &askerRect) || !GetWindowRect(help, &helpRect)) return true;
  const HelpPlaceRect place = PlaceHelpWindow(ToPlace(askerRect), helpRect.right - helpRect.left,
                                              helpRect.bottom - helpRect.top, ToPlace(work));
  if (!SetWindowPos(help, nullptr, place.left, place.top, place.Width(), place.Height(),
                    SWP_NOZORDER | SWP_NOACTIVATE)) {
    LogLastError(L"SetWindowPos (help window)");
  }
  return true;
}

HWND ShowHtmlHelpTopic(HWND owner, const std::wstring& helpFile, DWORD context) {
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  static const HMODULE library = LoadLibraryW(L"hhctrl.ocx");
  if (!library) {
    LogLastError(L"LoadLibrary(hhctrl.ocx)");
    return nullptr;
  }
  const auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
  constexpr UINT kHelpContext = 0x000F;  // HH_HELP_CONTEXT
  return htmlHelp ? htmlHelp(owner, helpFile.c_str(), kHelpContext, context) : nullptr;
}
