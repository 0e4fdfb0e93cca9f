#pragma once

// What the day menu offers for one date: the items, their order, command ids,
// translation keys and icons. Decided here, without any window, so that the
// rules can be checked on their own; the Windows layer only builds the menu.

#include <vector>

class Day;

struct DayMenuItem {
  unsigned id = 0;
  const char16_t* key = nullptr;
  int icon = 0;  // bitmap resource id, 0 = none

  friend bool operator==(const DayMenuItem&, const DayMenuItem&) = default;
};

// The title key of the day menu.
inline constexpr const char16_t* kDayMenuTitleKey = u"EDIT_DAY";

// record: the stored day or null; canSetStart / canSetEnd: the cycle
// manager's answers for the date; goal: 0 avoid pregnancy, 1-3 conceive.
[[nodiscard]] std::vector<DayMenuItem> DayMenuItems(const Day* record, bool canSetStart, bool canSetEnd, int goal);
