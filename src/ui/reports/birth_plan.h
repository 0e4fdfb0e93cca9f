#pragma once

#include <functional>

#include "env/packed_date.h"

class MenstualManager;

// The Birth dialog's estimate: from the latest intercourse, the first day
// within 100 days that favours a boy or a girl is taken as the conception
// day, and the birth follows 270 days later.
struct BirthPlan {
  PackedDate latestSex;   // the latest day marked with sex, or today
  PackedDate conception;  // the first boy or girl day; the latest sex when none
  PackedDate birth;       // conception + 270 days
  bool girl = false;      // a girl day was found first
  bool found = false;     // a boy or girl day lay within the search
};

constexpr int kConceptionSearchDays = 100;
constexpr int kDaysFromConceptionToBirth = 270;

// The search itself, on any classification of days (tests give a table).
[[nodiscard]] BirthPlan PlanBirthFrom(const PackedDate& latestSex,
                                      const std::function<int(const PackedDate&)>& classify);

// The latest date of the current user's stored days whose sex flag is set;
// today when there is none.
[[nodiscard]] PackedDate LatestIntercourse(MenstualManager& model);

// The plan for the current user, classified freshly (not from the cache).
[[nodiscard]] BirthPlan PlanBirth(MenstualManager& model);
