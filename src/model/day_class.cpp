#include "model/day_class.h"

#include "env/locale_manager.h"
#include "model/day_words.h"
#include "model/menstual_manager.h"
#include "settings/options_manager.h"

const char16_t *DayClassLabelKey(int dayClass) {
  switch (dayClass) {
  case FlowFirstDay:
  case FlowSecondDay:
  case Flow:
    return u"MSG_FLOW";
  case PrognosisFirstDay:
  case PrognosisSecondDay:
  case Prognosis:
    return u"MSG_PROGNOZE";
  case LowFertile:
    return u"MSG_LFERTILE";
  case NonFertileAfterFlow:
  case NonFertileBeforeFlow:
    return u"MSG_NFERTILE";
  case BoyDay:
    return u"MSG_BOY";
  case GirlDay:
    return u"MSG_GIRL";
  case Ovulation:
    return u"MSG_OVULATION";
  default:
    return nullptr;
  }
}

const char16_t *DayClassLabelKey(int dayClass, int goal) {
  // Only the goals that name a gender tell the boy days from the girl days.
  if ((dayClass == BoyDay || dayClass == GirlDay) && goal != 2 && goal != 3)
    return u"MSG_FERTILE";
  return DayClassLabelKey(dayClass);
}

int MenstualManager::ClassifyDay(const PackedDate &d) {
  return Widened(d, ClassifyByRules(d));
}

// The class of a date: counted back from the next recorded start, then
// forward from the last recorded start, then through the predicted cycles.
// The order of the checks decides where the counts overlap.
int MenstualManager::ClassifyByRules(const PackedDate &d) {
  const PackedDate r = db_->GetStartBefore(d);
  const PackedDate s = db_->GetStartAfter(d);
  const int L = GetPeriodLength();
  const int O = L - GetLutealLength();
  const int C = (!r.IsEmpty() && !s.IsEmpty()) ? DaysBetween(r, s) : L;

  if ((!s.IsEmpty() && d == s) || (!r.IsEmpty() && d == r))
    return FlowFirstDay;

  if (!s.IsEmpty()) {
    const int x = DaysBetween(d, s);
    const int e = C - O;
    if (x <= 5)
      return NonFertileBeforeFlow;
    if (x < e - 4)
      return LowFertile;
    if (x < e)
      return BoyDay;
    if (x == e)
      return Ovulation;
    if (x <= e + 4)
      return GirlDay;
  }
  if (r.IsEmpty())
    return LowFertile;

  int m = 4;
  for (int i = 1; i <= 6; ++i) {
    if (const Day *day = GetCachedDay(AddDays(r, i));
        day && day->menstruationEnd) {
      m = i;
      break;
    }
  }
  const int k = DaysBetween(r, d);
  if (k == 1)
    return FlowSecondDay;
  if (k <= m)
    return Flow;
  if (k <= 4)
    return NonFertileAfterFlow;
  if (k < O - 4)
    return LowFertile;
  if (k < O)
    return GirlDay;
  if (k == O)
    return Ovulation;
  if (k <= O + 4)
    return BoyDay;
  if (k < C - 5)
    return LowFertile;
  if (k < C)
    return NonFertileBeforeFlow;

  const PackedDate p = GetCycleStart(d);
  if (p.IsEmpty())
    return LowFertile;
  const int w = DaysBetween(p, d);
  if (w == 0)
    return PrognosisFirstDay;
  if (w == 1)
    return PrognosisSecondDay;
  if (w <= 3)
    return Prognosis;
  if (w == 4)
    return NonFertileAfterFlow;
  if (w < O - 4)
    return LowFertile;
  if (w < O)
    return GirlDay;
  if (w == O)
    return Ovulation;
  if (w <= O + 4)
    return BoyDay;
  if (w < C - 5)
    return LowFertile;
  return NonFertileBeforeFlow;
}

bool MenstualManager::CautiousWindowOn() const {
  return options_.cautiousWindow && options_.goal == 0;
}

// The window only ever adds fertile days: flow, fertile and ovulation days
// stay as the rules make them.
int MenstualManager::Widened(const PackedDate &d, int dayClass) {
  if (!CautiousWindowOn())
    return dayClass;
  if (dayClass != LowFertile && dayClass != NonFertileAfterFlow &&
      dayClass != NonFertileBeforeFlow)
    return dayClass;
  const auto last = db_->GetLastStart();
  if (!last || d < last->date)
    return dayClass;
  const RecentCycles recent = Recent();
  if (recent.cycles == 0)
    return dayClass;
  const PackedDate cycleStart = GetCycleStart(d);
  if (cycleStart.IsEmpty())
    return dayClass;
  const int cycleDay = DaysBetween(cycleStart, d) + 1;
  if (cycleDay < recent.shortest - 18 || cycleDay > recent.longest - 11)
    return dayClass;
  const int ovulationOffset = GetPeriodLength() - GetLutealLength();
  return DaysBetween(cycleStart, d) < ovulationOffset ? GirlDay : BoyDay;
}

int MenstualManager::GetDayClass(const PackedDate &d) {
  FollowDatabase();
  // The cautious window follows the setting and the goal: classes made
  // under the other choice are forgotten.
  if (CautiousWindowOn() != classesCautious_) {
    classCache_.clear();
    classesCautious_ = CautiousWindowOn();
  }
  const int64_t key = d.Key();
  if (auto it = classCache_.find(key); it != classCache_.end())
    return it->second;
  const int c = ClassifyDay(d);
  classCache_.emplace(key, c);
  return c;
}

const char16_t *MenstualManager::TipKey(int dayClass, int goal, bool today) {
  const char16_t *notFertile = today ? u"TIP2" : u"TIP2_DAY";
  const char16_t *girl = today ? u"TIP6" : u"TIP6_DAY";
  const char16_t *boy = today ? u"TIP7" : u"TIP7_DAY";
  if (dayClass < 0 || dayClass <= Prognosis || dayClass > Ovulation)
    return u"TIP3";
  if (dayClass <= NonFertileBeforeFlow)
    return notFertile;
  switch (goal) {
  case 0:
    return dayClass == Ovulation ? u"TIP5" : u"TIP4";
  case 1:
    return u"TIP1";
  case 2:
    return dayClass == BoyDay ? boy : girl;
  case 3:
    return dayClass == GirlDay ? girl : boy;
  default:
    return notFertile;
  }
}

// No claim without data: a day her recorded starts do not reach has no tip,
// and while her period is late no day from the expected start on is called
// infertile.
std::u16string MenstualManager::GetTip(const PackedDate &d, int dayClass) {
  if (Standing(d) != DayStanding::kCounted)
    return {};
  if (dayClass == -1)
    dayClass = GetDayClass(d);
  if (LateAnswers(d, dayClass))
    return {};
  return locale_.Translate(
      TipKey(dayClass, options_.goal, d == clock_.Today()));
}

std::u16string MenstualManager::DayLabel(const PackedDate &d, int dayClass) {
  switch (Standing(d)) {
  case DayStanding::kNoPeriod:
    return locale_.Translate(u"NO_PERIOD_YET");
  case DayStanding::kBeforeFirstPeriod:
    return locale_.Translate(u"BEFORE_FIRST_PERIOD");
  case DayStanding::kCounted:
    break;
  }
  if (dayClass == -1)
    dayClass = GetDayClass(d);
  if (LateAnswers(d, dayClass))
    return LateLine(locale_, DaysLate());
  const char16_t *key = DayClassLabelKey(dayClass, options_.goal);
  return key ? locale_.Translate(key) : std::u16string();
}
