#include "model/day_class.h"

#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "model/menstual_manager.h"

const char16_t* DayClassLabelKey(int dayClass) {
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

// The class of a date: counted back from the next recorded start, then
// forward from the last recorded start, then through the predicted cycles.
// The order of the checks decides where the counts overlap.
int MenstualManager::ClassifyDay(const PackedDate& d) {
  const PackedDate r = db_->GetStartBefore(d);
  const PackedDate s = db_->GetStartAfter(d);
  const int L = GetPeriodLength();
  const int O = L - GetLutealLength();
  const int C = (!r.IsEmpty() && !s.IsEmpty()) ? DaysBetween(r, s) : L;

  if ((!s.IsEmpty() && d == s) || (!r.IsEmpty() && d == r)) return FlowFirstDay;

  if (!s.IsEmpty()) {
    const int x = DaysBetween(d, s);
    const int e = C - O;
    if (x <= 5) return NonFertileBeforeFlow;
    if (x < e - 4) return LowFertile;
    if (x < e) return BoyDay;
    if (x == e) return Ovulation;
    if (x <= e + 4) return GirlDay;
  }
  if (r.IsEmpty()) return LowFertile;

  int m = 4;
  for (int i = 1; i <= 6; ++i) {
    if (const Day* day = GetCachedDay(AddDays(r, i)); day && day->menstruationEnd) {
      m = i;
      break;
    }
  }
  const int k = DaysBetween(r, d);
  if (k == 1) return FlowSecondDay;
  if (k <= m) return Flow;
  if (k <= 4) return NonFertileAfterFlow;
  if (k < O - 4) return LowFertile;
  if (k < O) return GirlDay;
  if (k == O) return Ovulation;
  if (k <= O + 4) return BoyDay;
  if (k < C - 5) return LowFertile;
  if (k < C) return NonFertileBeforeFlow;

  const PackedDate p = GetCycleStart(d);
  if (p.IsEmpty()) return LowFertile;
  const int w = DaysBetween(p, d);
  if (w == 0) return PrognosisFirstDay;
  if (w == 1) return PrognosisSecondDay;
  if (w <= 3) return Prognosis;
  if (w == 4) return NonFertileAfterFlow;
  if (w < O - 4) return LowFertile;
  if (w < O) return GirlDay;
  if (w == O) return Ovulation;
  if (w <= O + 4) return BoyDay;
  if (w < C - 5) return LowFertile;
  return NonFertileBeforeFlow;
}

int MenstualManager::GetDayClass(const PackedDate& d) {
  FollowDatabase();
  const int64_t key = d.Key();
  if (auto it = classCache_.find(key); it != classCache_.end()) return it->second;
  const int c = ClassifyDay(d);
  classCache_.emplace(key, c);
  return c;
}

const char16_t* MenstualManager::TipKey(int dayClass, int goal) {
  if (dayClass < 0 || dayClass <= Prognosis || dayClass > Ovulation) return u"TIP3";
  if (dayClass <= NonFertileBeforeFlow) return u"TIP2";
  switch (goal) {
    case 0:
      return dayClass == Ovulation ? u"TIP5" : u"TIP4";
    case 1:
      return u"TIP1";
    case 2:
      return dayClass == BoyDay ? u"TIP7" : u"TIP6";
    case 3:
      return dayClass == GirlDay ? u"TIP6" : u"TIP7";
    default:
      return u"TIP2";
  }
}

// The tip follows the class and the goal from the very first call.
std::u16string MenstualManager::GetTip(const PackedDate& d, int dayClass) {
  if (dayClass == -1) dayClass = GetDayClass(d);
  return locale_.Translate(TipKey(dayClass, options_.goal));
}
