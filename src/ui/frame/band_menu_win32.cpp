#include "ui/frame/band_menu_win32.h"

#include <string>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "resources/resource.h"
#include "ui/frame/frame_texts.h"

BandMenu::BandMenu(HINSTANCE resources, int title, const LocaleManager& locale, int goal)
    : menu_(LoadMenuW(resources, MAKEINTRESOURCEW(IDR_MAINFRAME))) {
  if (!menu_) {
    LogLastError(L"LoadMenu(128)");
    return;
  }
  popup_ = GetSubMenu(menu_.Get(), title);
  if (!popup_) return;
  // Backwards, so that removing an item leaves the positions still to visit alone.
  for (int i = GetMenuItemCount(popup_) - 1; i >= 0; --i) {
    const UINT id = GetMenuItemID(popup_, i);
    if (HiddenForGoal(id, goal)) {
      RemoveMenu(popup_, static_cast<UINT>(i), MF_BYPOSITION);
      continue;
    }
    const char16_t* key = MenuItemKey(id);
    if (!key) continue;  // separators
    const std::wstring text = ToWide(locale.Translate(key));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(popup_, static_cast<UINT>(i), TRUE, &info);
  }
}

UniqueMenu BuildTrayMenu(const LocaleManager& locale) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) {
    LogLastError(L"CreatePopupMenu(tray)");
    return menu;
  }
  const auto add = [&](UINT id, const std::u16string& text) {
    AppendMenuW(menu.Get(), MF_STRING, id, ToWide(text).c_str());
  };
  add(ID_TRAY_SHOW, ShowWindowText(locale));
  AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
  add(ID_HELP_CONTENTS, locale.Translate(MenuItemKey(ID_HELP_CONTENTS)));
  add(ID_APP_ABOUT, locale.Translate(MenuItemKey(ID_APP_ABOUT)));
  AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
  add(ID_FILE_CONFIGURE, locale.Translate(MenuItemKey(ID_FILE_CONFIGURE)));
  add(ID_FILE_EXIT, locale.Translate(MenuItemKey(ID_FILE_EXIT)));
  // The window's default action, drawn bold.
  SetMenuDefaultItem(menu.Get(), ID_TRAY_SHOW, FALSE);
  return menu;
}
