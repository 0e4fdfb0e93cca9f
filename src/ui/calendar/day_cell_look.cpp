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

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(ColorRef c) {
  return 0.2126 * Linear(RedOf(c)) + 0.7152 * Linear(GreenOf(c)) + 0.0722 * Linear(BlueOf(c));
}

}  // namespace

double ContrastRatio(ColorRef a, ColorRef b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ColorRef DayNumberColor(ColorRef background, bool today) {
  constexpr ColorRef kBlack = MakeColor(0, 0, 0);
  constexpr ColorRef kWhite = MakeColor(255, 255, 255);
  constexpr ColorRef kBlue = MakeColor(0, 0, 255);
  if (today && ContrastRatio(kBlue, background) >= 3.0) return kBlue;
  return ContrastRatio(kBlack, background) >= ContrastRatio(kWhite, background) ? kBlack : kWhite;
}

namespace {

bool Overlaps(const CalRect& a, const CalRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

CalPoint MarkPlace(CalPoint wanted, int width, int height, const CalRect& number, const CalRect& cell) {
  const CalRect at{wanted.x, wanted.y, wanted.x + width, wanted.y + height};
  if (!Overlaps(at, number)) return wanted;
  const int leftOfNumber = number.left - width;
  if (leftOfNumber >= cell.left) return CalPoint{leftOfNumber, wanted.y};
  if (number.bottom + height <= cell.bottom) return CalPoint{wanted.x, number.bottom};
  return CalPoint{cell.left, wanted.y};
}
