#pragma once

// The traditional Chinese gender chart: by the mother's age (18-45) and the
// month of conception (1-12), a boy or a girl.
constexpr int kChineseChartFirstAge = 18;
constexpr int kChineseChartLastAge = 45;

// True for a boy. Ages or months outside the chart give a girl.
[[nodiscard]] bool ChineseChartIsBoy(int age, int month);
