#pragma once

// The class of a calendar date; the calendar paints by it and the tips follow
// it.
enum DayClass : int {
  FlowFirstDay = 0,
  FlowSecondDay = 1,
  Flow = 2,
  PrognosisFirstDay = 3,
  PrognosisSecondDay = 4,
  Prognosis = 5,
  LowFertile = 6,
  NonFertileAfterFlow = 7,
  NonFertileBeforeFlow = 8,
  BoyDay = 9,
  GirlDay = 10,
  Ovulation = 11,
};

// The translation key of a class's label, or nullptr for a value outside 0-11.
const char16_t *DayClassLabelKey(int dayClass);
// The label as the legend names it under a goal: without a gender to aim
// for, boy and girl days are both "Good day to conceive a child".
const char16_t *DayClassLabelKey(int dayClass, int goal);
