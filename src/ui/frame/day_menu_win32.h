#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/frame/day_menu_items.h"
#include "ui/widgets/menu_bitmap_win32.h"
#include "env/handle_win32.h"

class LocaleManager;

// The day menu as a popup: a bold, disabled title, a separator, then the
// items with their icons. It owns the menu and the pictures the menu shows,
// which must live as long as the menu does. The icons are drawn by the
// menu's owner (MenuIcon::Measure and MenuIcon::Draw), each in the icon
// column left of its text, its key colour left out.
class DayMenu {
 public:
  DayMenu(const std::vector<DayMenuItem>& items, const LocaleManager& locale, HINSTANCE resources);
  DayMenu(const DayMenu&) = delete;
  DayMenu& operator=(const DayMenu&) = delete;

  [[nodiscard]] HMENU Handle() const { return menu_.Get(); }

 private:
  std::vector<std::unique_ptr<MenuIcon>> icons_;  // declared first: destroyed after the menu
  UniqueMenu menu_;
};
