#include "ui/frame/day_menu_win32.h"

#include <string>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"
#include "ui/widgets/menu_bitmap_win32.h"

DayMenu::DayMenu(const std::vector<DayMenuItem>& items, const LocaleManager& locale, HINSTANCE resources)
    : menu_(CreatePopupMenu()) {
  if (!menu_) {
    LogLastError(L"CreatePopupMenu(day menu)");
    return;
  }
  const std::wstring title = ToWide(locale.Translate(kDayMenuTitleKey));
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID;
  info.fState = MFS_DISABLED | MFS_DEFAULT;  // the default state draws it bold
  info.wID = 0;
  info.dwTypeData = const_cast<wchar_t*>(title.c_str());
  InsertMenuItemW(menu_.Get(), 0, TRUE, &info);
  AppendMenuW(menu_.Get(), MF_SEPARATOR, 0, nullptr);

  constexpr COLORREF kIconKey = RGB(200, 200, 200);
  for (const DayMenuItem& item : items) {
    const std::wstring text = ToWide(locale.Translate(item.key));
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING | MIIM_ID;
    mi.wID = item.id;
    mi.dwTypeData = const_cast<wchar_t*>(text.c_str());
    if (item.icon != 0) {
      auto icon = std::make_unique<MenuIcon>(resources, item.icon, kIconKey);
      if (*icon) {
        mi.fMask |= MIIM_BITMAP | MIIM_DATA;
        mi.hbmpItem = HBMMENU_CALLBACK;
        mi.dwItemData = reinterpret_cast<ULONG_PTR>(icon.get());
        icons_.push_back(std::move(icon));
      }
    }
    if (!InsertMenuItemW(menu_.Get(), GetMenuItemCount(menu_.Get()), TRUE, &mi)) {
      LogLastError(L"InsertMenuItem(day menu)");
    }
  }
}
