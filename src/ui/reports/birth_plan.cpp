#include "ui/reports/birth_plan.h"

#include "model/day_class.h"
#include "model/menstual_manager.h"

BirthPlan PlanBirthFrom(const PackedDate& latestSex, const std::function<int(const PackedDate&)>& classify) {
  BirthPlan plan;
  plan.latestSex = latestSex;
  plan.conception = latestSex;
  for (int i = 0; i < kConceptionSearchDays; ++i) {
    const PackedDate day = AddDays(latestSex, i);
    const int dayClass = classify(day);
    if (dayClass == BoyDay || dayClass == GirlDay) {
      plan.conception = day;
      plan.girl = dayClass == GirlDay;
      plan.found = true;
      break;
    }
  }
  plan.birth = AddDays(plan.conception, kDaysFromConceptionToBirth);
  return plan;
}

// Of two records of one date the first met is kept: only a later date
// replaces the one found.
PackedDate LatestIntercourse(MenstualManager& model) {
  PackedDate latest;
  bool any = false;
  for (auto day = model.GetFirstDay(); day; day = model.GetNextDay()) {
    if (day->sex && (!any || day->date > latest)) {
      latest = day->date;
      any = true;
    }
  }
  return any ? latest : model.Clock().Today();
}

BirthPlan PlanBirth(MenstualManager& model) {
  return PlanBirthFrom(LatestIntercourse(model), [&model](const PackedDate& d) { return model.ClassifyDay(d); });
}
