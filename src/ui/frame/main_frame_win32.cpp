#include "ui/frame/main_frame_win32.h"

#include <cwchar>
#include <string>

#include "app/options_manager.h"
#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "resources/resource.h"

namespace {

// Menu texts by command id; menus are re-labelled each time they open so a
// change of language shows at once.
struct MenuText {
  UINT id;
  const char16_t* key;
};
constexpr MenuText kMenuTexts[] = {
    {ID_FILE_LOGOUT, u"MENU_FILE_LOGOUT"},
    {ID_FILE_CONFIGURE, u"MENU_FILE_CONFIGURE"},
    {ID_FILE_PRINTALL, u"ID_FILE_PRINTALL"},
    {ID_FILE_EXIT, u"MENU_FILE_EXIT"},
    {ID_NAVIGATE_NEXT, u"MENU_NAVIGATE_NEXT"},
    {ID_NAVIGATE_PREV, u"MENU_NAVIGATE_PREV"},
    {ID_NAVIGATE_TODAY, u"MENU_NAVIGATE_TODAY"},
    {ID_REPORTS_STATISTIC, u"STATISTIC"},
    {ID_REPORTS_BIRTH, u"BIRTH"},
    {ID_REPORTS_MYCYCLES, u"MYCYCLES"},
    {ID_REPORTS_HOROSCOPE, u"HOROSCOPE"},
    {ID_REPORTS_CHINA_CAL, u"CHINA_CAL"},
    {ID_HELP_CONTENTS, u"MENU_HELP_CONTACTS"},
    {ID_HELP_HOME, u"HHOME"},
    {ID_HELP_CHECK_NEW_VER, u"CHECK_NEW_VER"},
    {ID_HELP_FEEDBACK, u"MENU_HELP_FEEDBACK"},
    {ID_HELP_ABOUT, u"MENU_HELP_ABOUT"},
};
constexpr const char16_t* kMenuTitles[] = {u"MENU_FILE", u"MENU_NAVIGATE", u"MENU_REPORTS", u"MENU_HELP"};

void SetMenuText(HMENU menu, UINT item, bool byPosition, const std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info);
}

}  // namespace

CMainFrame::CMainFrame(OptionsManager& options, const LocaleManager& locale) : options_(options), locale_(locale) {}

bool CMainFrame::CreateFrame() {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));  // none until the icon is drawn
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc)) return false;

  // The window owns the menu from here on and destroys it with itself.
  const HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
  if (!menu) LogLastError(L"LoadMenuW");
  const std::wstring title = ToWide(locale_.Translate(u"APP_NAME"));
  if (!Create(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
              CW_USEDEFAULT, nullptr, menu)) {
    if (menu) DestroyMenu(menu);
    return false;
  }
  TranslateMenuBar();
  // Placed by a move rather than at creation: the size check of
  // WM_GETMINMAXINFO only reaches this object once it is bound, so the move
  // is what holds a small stored rectangle to the minimum size.
  MoveWindow(Hwnd(), options_.x1, options_.y1, options_.x2 - options_.x1, options_.y2 - options_.y1, TRUE);
  return true;
}

void CMainFrame::TranslateMenuBar() {
  const HMENU bar = GetMenu(Hwnd());
  if (!bar) return;
  const int count = GetMenuItemCount(bar);
  for (int i = 0; i < count && i < static_cast<int>(std::size(kMenuTitles)); ++i) {
    SetMenuText(bar, static_cast<UINT>(i), true, ToWide(locale_.Translate(kMenuTitles[i])));
  }
  DrawMenuBar(Hwnd());
}

void CMainFrame::BringToFront() {
  ShowWindow(Hwnd(), IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Hwnd());
}

void CMainFrame::StoreRectangleAndSave() {
  if (saved_) return;
  saved_ = true;
  // A minimized or maximized window has corners at or below 0; Save then
  // keeps the rectangle stored before.
  RECT r{};
  if (GetWindowRect(Hwnd(), &r)) {
    options_.x1 = r.left;
    options_.y1 = r.top;
    options_.x2 = r.right;
    options_.y2 = r.bottom;
  } else {
    LogLastError(L"GetWindowRect");
  }
  options_.Save();
  if (options_.LastSaveFailures() > 0) {
    wchar_t line[96];
    std::swprintf(line, 96, L"saving the settings: %d registry calls failed", options_.LastSaveFailures());
    LogMessage(line);
  }
}

LRESULT CMainFrame::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kTrayMessage:
      if (lp == WM_LBUTTONDOWN) BringToFront();
      return 0;
    default: return CWindow::HandleMessage(msg, wp, lp);
  }
}

LRESULT CMainFrame::OnClose(WPARAM, LPARAM) {
  StoreRectangleAndSave();
  DestroyWindow(Hwnd());
  return 0;
}

// Windows may end the process right after this message without destroying
// the window; the settings are saved now.
LRESULT CMainFrame::OnEndSession(WPARAM wp, LPARAM) {
  if (wp) StoreRectangleAndSave();
  return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM, LPARAM) {
  StoreRectangleAndSave();
  PostQuitMessage(0);
  return 0;
}

LRESULT CMainFrame::OnGetMinMaxInfo(WPARAM, LPARAM lp) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lp);
  info->ptMinTrackSize.x = kMinWidth;
  info->ptMinTrackSize.y = kMinHeight;
  return 0;
}

LRESULT CMainFrame::OnCommand(WPARAM wp, LPARAM lp) {
  switch (LOWORD(wp)) {
    case ID_FILE_EXIT:
      PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
      return 0;
    default: return DefaultProc(WM_COMMAND, wp, lp);
  }
}

LRESULT CMainFrame::OnInitMenuPopup(WPARAM wp, LPARAM lp) {
  const auto menu = reinterpret_cast<HMENU>(wp);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    for (const MenuText& t : kMenuTexts) {
      if (t.id == id) SetMenuText(menu, static_cast<UINT>(i), true, ToWide(locale_.Translate(t.key)));
    }
  }
  return DefaultProc(WM_INITMENUPOPUP, wp, lp);
}
