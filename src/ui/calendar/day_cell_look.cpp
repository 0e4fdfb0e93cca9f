#include "ui/calendar/day_cell_look.h"

#include <algorithm>
#include <cmath>

#include "settings/options_manager.h"
#include "model/day.h"
#include "model/day_class.h"
#include "resources/image_ids.h"
#include "ui/calendar/calendar_colors.h"

namespace {

// Positions of the class colours in the `colors` setting.
enum ColorSlot { kFlowColor = 0, kPrognosisColor, kNonFertileColor, kFertileColor, kLowFertileColor, kOvulationColor };

struct ClassRule {
  bool shown = false;
  int slot = 0;
  double factor = 1.0;
  int icon = 0;  // before the width and pill rules
};

ClassRule RuleFor(int dayClass, const OptionsManager& o) {
  const int pain = o.showPain ? IDB_BAD_FEELING : 0;
  switch (dayClass) {
    case FlowFirstDay:
    case FlowSecondDay:
    case Flow: return {o.showFlow, kFlowColor, 1.0, pain};
    // The predicted days fade as the prediction reaches further.
    case PrognosisFirstDay: return {o.showPrognoze, kPrognosisColor, 1.0, pain};
    case PrognosisSecondDay: return {o.showPrognoze, kPrognosisColor, 1.2, pain};
    case Prognosis: return {o.showPrognoze, kPrognosisColor, 1.4, pain};
    case LowFertile: return {o.showLFertile, kLowFertileColor, 1.0, 0};
    case NonFertileAfterFlow: return {o.showNFertile, kNonFertileColor, 1.0, 0};
    case NonFertileBeforeFlow: return {o.showNFertile, kNonFertileColor, 1.0, pain};
    case BoyDay: return {o.showFertile, kFertileColor, 1.0, o.showBoy ? IDB_BOY_DAY : 0};
    case GirlDay: return {o.showFertile, kFertileColor, 1.0, o.showGirl ? IDB_GIRL_DAY : 0};
    case Ovulation: return {o.showOvulation, kOvulationColor, 1.0, 0};
    default: return {};
  }
}

}  // namespace

DayCellLook DecideDayCellLook(int dayClass, const Day* day, const OptionsManager& options, int cellWidth,
                              bool hovered) {
  DayCellLook look;
  const ClassRule rule = RuleFor(dayClass, options);
  if (rule.shown) {
    look.fill = ShadeColor(options.colors[static_cast<size_t>(rule.slot)], hovered, rule.factor);
  }

  const bool sex = day && day->sex;
  const bool pill = day && day->pill;
  const bool hasNote = day && day->note && !day->note->empty();
  const bool small = cellWidth < kLetterCellWidth;
  const bool avoiding = options.goal == 0;

  // Boy and girl days matter only to a conception goal, and a pill day
  // cannot be one; the bad-feeling mark does not depend on either.
  if (rule.icon != 0 && small && (rule.icon == IDB_BAD_FEELING || (!pill && !avoiding))) look.icon = rule.icon;
  look.note = small && options.showNote && hasNote;
  if (options.showSex && sex) look.sex = cellWidth <= kLetterCellWidth ? MarkStyle::Picture : MarkStyle::Letter;
  if (options.showPill && pill && avoiding) {
    look.pill = cellWidth <= kLetterCellWidth ? MarkStyle::Picture : MarkStyle::Letter;
  }
  if (small && options.showMood && day) {
    if (day->goodMood) {
      look.mood = IDB_GOOD_MOOD;
    } else if (day->badMood) {
      look.mood = IDB_BAD_MOOD;
    }
  }
  look.disturbed = options.showDisturbed && day && day->disturbed;
  return look;
}

ColorRef DayNumberColor(ColorRef background, bool today) {
  constexpr ColorRef kBlack = MakeColor(0, 0, 0);
  constexpr ColorRef kWhite = MakeColor(255, 255, 255);
  constexpr ColorRef kBlue = MakeColor(0, 0, 255);
  if (today && ContrastRatio(kBlue, background) >= 3.0) return kBlue;
  return ContrastRatio(kBlack, background) >= ContrastRatio(kWhite, background) ? kBlack : kWhite;
}

namespace {

bool Overlaps(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

Point MarkPlace(Point wanted, int width, int height, const Rect& number, const Rect& cell) {
  const Rect at{wanted.x, wanted.y, wanted.x + width, wanted.y + height};
  if (!Overlaps(at, number)) return wanted;
  const int leftOfNumber = number.left - width;
  if (leftOfNumber >= cell.left) return Point{leftOfNumber, wanted.y};
  if (number.bottom + height <= cell.bottom) return Point{wanted.x, number.bottom};
  return Point{cell.left, wanted.y};
}
