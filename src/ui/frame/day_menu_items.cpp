#include "ui/frame/day_menu_items.h"

#include "model/day.h"
#include "resources/image_ids.h"
#include "resources/resource.h"

std::vector<DayMenuItem> DayMenuItems(const Day* record, bool canSetStart, bool canSetEnd, int goal) {
  std::vector<DayMenuItem> items;
  if (canSetStart) items.push_back({ID_DAY_SET_START, u"SET_MENSTRUAL", IDB_MENU_MENSTRUAL});
  if (canSetEnd) items.push_back({ID_DAY_SET_END, u"SET_ENDOFMENSTRUAL", 0});
  if (record && record->menstruationStart) items.push_back({ID_DAY_UNSET_START, u"DEL_MENSTRUAL", IDB_MENU_MENSTRUAL});
  if (record && record->menstruationEnd) {
    items.push_back({ID_DAY_UNSET_END, u"DEL_ENDOFMENSTRUAL", IDB_MENU_MENSTRUAL});
  }
  if (record && record->sex) {
    items.push_back({ID_DAY_SEX, u"WASNT_SEX", 0});
  } else {
    items.push_back({ID_DAY_SEX, u"WAS_SEX", IDB_MENU_SEX});
  }
  // The pill only matters to a user who avoids pregnancy.
  if (goal == 0) {
    if (record && record->pill) {
      items.push_back({ID_DAY_PILL, u"NO_PILL", 0});
    } else {
      items.push_back({ID_DAY_PILL, u"TOOK_PILL", IDB_MENU_PILL});
    }
  }
  items.push_back({ID_DAY_TEMPERATURE, u"SET_TEMPERATURE", IDB_MENU_TEMPERATURE});
  // A fever, a short night or alcohol: the reading is kept but the temperature
  // shift leaves it out.
  if (record && record->disturbed) {
    items.push_back({ID_DAY_DISTURBED, u"TEMP_NOT_DISTURBED", 0});
  } else {
    items.push_back({ID_DAY_DISTURBED, u"TEMP_DISTURBED", IDB_MENU_DISTURBED});
  }
  // A mood already marked is not offered again; the other one replaces it.
  if (!record || !record->goodMood) items.push_back({ID_DAY_GOOD_MOOD, u"GOOD_MOOD", IDB_MENU_GOOD_MOOD});
  if (!record || !record->badMood) items.push_back({ID_DAY_BAD_MOOD, u"BAD_MOOD", IDB_MENU_BAD_MOOD});
  const bool hasNote = record && record->note && !record->note->empty();
  items.push_back({ID_DAY_NOTE, hasNote ? u"EDIT_NOTE" : u"ADD_NOTE", IDB_MENU_NOTE});
  return items;
}
