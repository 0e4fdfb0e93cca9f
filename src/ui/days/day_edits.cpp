#include "ui/days/day_edits.h"

#include "resources/resource.h"

namespace {

Day CopyOrNew(const Day* stored, const PackedDate& date) {
  if (stored) return *stored;
  Day day;
  day.date = date;
  return day;
}

}  // namespace

std::optional<Day> ApplyMarkCommand(unsigned id, const Day* stored, const PackedDate& date) {
  switch (id) {
    case ID_DAY_UNSET_START:
    case ID_DAY_UNSET_END: {
      // Unsetting needs something to unset.
      if (!stored) return std::nullopt;
      Day day = *stored;
      (id == ID_DAY_UNSET_START ? day.menstruationStart : day.menstruationEnd) = false;
      return day;
    }
    case ID_DAY_SEX: {
      Day day = CopyOrNew(stored, date);
      day.sex = !day.sex;
      return day;
    }
    case ID_DAY_PILL: {
      Day day = CopyOrNew(stored, date);
      day.pill = !day.pill;
      return day;
    }
    case ID_DAY_DISTURBED: {
      Day day = CopyOrNew(stored, date);
      day.disturbed = !day.disturbed;
      return day;
    }
    case ID_DAY_GOOD_MOOD:
    case ID_DAY_BAD_MOOD: {
      // The two moods exclude each other.
      Day day = CopyOrNew(stored, date);
      day.goodMood = id == ID_DAY_GOOD_MOOD;
      day.badMood = id == ID_DAY_BAD_MOOD;
      return day;
    }
    default: return std::nullopt;
  }
}

Day WithTemperature(const Day* stored, const PackedDate& date, double temperature) {
  Day day = CopyOrNew(stored, date);
  day.temperature = temperature;
  return day;
}

Day WithNote(const Day* stored, const PackedDate& date, std::u16string note) {
  Day day = CopyOrNew(stored, date);
  day.note = std::move(note);
  return day;
}
