#include "model/chinese_chart.h"

namespace {

// One row per age from 18, one letter per month from January.
constexpr const char* kChart[kChineseChartLastAge - kChineseChartFirstAge + 1] = {
    "GBGBBBBBBBBB",  // 18
    "BGBGGBBBBBGG",  // 19
    "GBGBBBBBBGBB",  // 20
    "BGGGGGGGGGGG",  // 21
    "GBBGBGGBGGGG",  // 22
    "BBGBBGBGBBBG",  // 23
    "BGBBGBBGGGGG",  // 24
    "GBBGGBGBBBBB",  // 25
    "BGBGGBGBGGGG",  // 26
    "GBGBGGBBBBGB",  // 27
    "BGBGGGBBBBGG",  // 28
    "GBGGBBBBBGGG",  // 29
    "BGGGGGGGGGBB",  // 30
    "BGBGGGGGGGGB",  // 31
    "BGBGGGGGGGGB",  // 32
    "GBBBGGGBGGGB",  // 33
    "BGBGGGGGGGBB",  // 34
    "BBGBGGGBGGBB",  // 35
    "GBBGBGGGBBBB",  // 36
    "BGBBGBGBGBGB",  // 37
    "GBGBBGBGBGBG",  // 38
    "BGBBBGGBGBGG",  // 39
    "GBGBGBBGBGBG",  // 40
    "BGBGBGBBGBGB",  // 41
    "GBGBGBGBBGBG",  // 42
    "BGBGBGBGBBBB",  // 43
    "BBGBBBGBGBGG",  // 44
    "GBBGGGBGBGBB",  // 45
};

}  // namespace

bool ChineseChartIsBoy(int age, int month) {
  if (age < kChineseChartFirstAge || age > kChineseChartLastAge || month < 1 || month > 12) return false;
  return kChart[age - kChineseChartFirstAge][month - 1] == 'B';
}
