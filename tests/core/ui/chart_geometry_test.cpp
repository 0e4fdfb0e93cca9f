#include "ui/widgets/chart_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ChartGeometry, AxesMapValuesLinearlyAndTheVerticalOneGrowsUpwards) {
  const AxisMap x(1, 31, 40, 340);  // 10 pixels a day
  EXPECT_DOUBLE_EQ(x.ToPixel(1), 40);
  EXPECT_DOUBLE_EQ(x.ToPixel(31), 340);
  EXPECT_DOUBLE_EQ(x.ToPixel(-3), 0);
  const AxisMap y(35, 39, 210, 10);  // 50 pixels a degree, upwards
  EXPECT_DOUBLE_EQ(y.ToPixel(35), 210);
  EXPECT_DOUBLE_EQ(y.ToPixel(39), 10);
  EXPECT_NEAR(y.ToPixel(36.38), 210 - 1.38 * 50, 1e-9);
  // A range of one value maps everything to the start rather than dividing by zero.
  EXPECT_DOUBLE_EQ(AxisMap(5, 5, 10, 100).ToPixel(7), 10);
}

TEST(ChartGeometry, TicksStandOnEveryStepAndTheirLabelsCarryTheStepsDecimals) {
  const std::vector<double> days = AxisTicks(1, 31, 1);
  ASSERT_EQ(days.size(), 31u);
  EXPECT_EQ(days.front(), 1);
  EXPECT_EQ(days.back(), 31);

  // Decimal steps: the first and last ticks survive the rounding of 0.1 and 0.2.
  const std::vector<double> fahrenheit = AxisTicks(97.2, 98.7, 0);
  ASSERT_EQ(fahrenheit.size(), 8u);  // step 0.2: 97.2 .. 98.6
  EXPECT_NEAR(fahrenheit.front(), 97.2, 1e-9);
  EXPECT_NEAR(fahrenheit.back(), 98.6, 1e-9);
  const std::vector<double> tenths = AxisTicks(97.2, 98.7, 0.1);
  EXPECT_EQ(tenths.size(), 16u);
  const std::vector<double> celsius = AxisTicks(35, 39, 0);
  ASSERT_EQ(celsius.size(), 9u);  // step 0.5
  EXPECT_DOUBLE_EQ(celsius[1], 35.5);

  EXPECT_LE(AxisTicks(0, 1e12, 1).size(), 1000u);
  EXPECT_TRUE(AxisTicks(5, 1, 1).empty());
  EXPECT_TRUE(AxisTicks(0, NAN, 1).empty());

  const struct {
    double value, step;
    const char16_t* label;
  } labels[] = {{97.4, 0.2, u"97.4"}, {36, 0.5, u"36.0"}, {5, 1, u"5"}, {0.25, 0.25, u"0.25"}, {40, 10, u"40"}};
  for (const auto& c : labels) EXPECT_EQ(TickLabel(c.value, c.step), c.label) << c.value;
}

TEST(ChartGeometry, SegmentsAreCutToThePlot) {
  const Rect plot{10, 10, 110, 60};
  const struct {
    PixelSegment in;
    bool visible;
    PixelSegment out;
  } cases[] = {
      {{20, 20, 50, 40}, true, {20, 20, 50, 40}},      // inside: unchanged
      {{0, 30, 50, 30}, true, {10, 30, 50, 30}},       // enters from the left
      {{50, 0, 50, 100}, true, {50, 10, 50, 60}},      // crosses top and bottom
      {{0, 0, 5, 100}, false, {}},                     // left of the plot
      {{120, 20, 200, 20}, false, {}},                 // right of it, horizontal
      {{-1e15, 35, 1e15, 35}, true, {10, 35, 110, 35}},  // far beyond any device coordinate
      {{0, 15, 15, 0}, false, {}},                     // passes the top-left corner outside
  };
  for (const auto& c : cases) {
    const auto cut = ClipSegment(c.in, plot);
    ASSERT_EQ(cut.has_value(), c.visible) << c.in.x0 << "," << c.in.y0;
    if (!cut) continue;
    EXPECT_NEAR(cut->x0, c.out.x0, 1e-6);
    EXPECT_NEAR(cut->y0, c.out.y0, 1e-6);
    EXPECT_NEAR(cut->x1, c.out.x1, 1e-6);
    EXPECT_NEAR(cut->y1, c.out.y1, 1e-6);
  }
  EXPECT_FALSE(ClipSegment({NAN, 0, 1, 1}, plot));
}

TEST(ChartGeometry, BoxesAreCutToThePlotAndVanishOutsideIt) {
  const Rect plot{10, 10, 110, 60};
  // A bar taller than the plot stops at its top; one below the axis is not drawn.
  EXPECT_EQ(ClipBox(20, -500, 26, 60, plot), (Rect{20, 10, 26, 60}));
  EXPECT_FALSE(ClipBox(20, 80, 26, 60, plot));
  EXPECT_EQ(ClipBox(26, 60, 20, 30, plot), (Rect{20, 30, 26, 60}));  // corners in any order
  EXPECT_FALSE(ClipBox(-1e300, 20, -1e299, 30, plot));
  EXPECT_FALSE(ClipBox(20, INFINITY, 26, 30, plot));
}

TEST(ChartGeometry, LayoutKeepsPlotLabelsAndLegendInsideTheControl) {
  const ChartTextSizes text{30, 13, 17};
  const ChartLayout l = LayoutChart(568, 270, text);
  EXPECT_GE(l.plot.left, text.leftLabelWidth);  // the left labels fit to its left
  EXPECT_GT(l.plot.top, 0);
  EXPECT_LT(l.plot.right, 568);
  // Bottom labels between the plot and the legend; the legend inside the control.
  EXPECT_GE(l.legend.top - l.plot.bottom, text.textHeight + 4);
  EXPECT_EQ(l.legend.Height(), 17);
  EXPECT_LE(l.legend.bottom, 270);
  EXPECT_GE(l.legend.left, 0);
  EXPECT_LE(l.legend.right, 568);

  // Without a legend the plot takes its room; a tiny control gives an empty plot, never an inverted one.
  EXPECT_GT(LayoutChart(568, 270, {30, 13, 0}).plot.bottom, l.plot.bottom);
  const ChartLayout tiny = LayoutChart(10, 10, text);
  EXPECT_LE(tiny.plot.left, tiny.plot.right);
  EXPECT_LE(tiny.plot.top, tiny.plot.bottom);
}

TEST(ChartGeometry, LegendEntriesAreCentredAndCutAtTheLegendsEdge) {
  const Rect legend{0, 100, 400, 116};
  const std::vector<Rect> two = LegendEntries(legend, {50, 30});
  ASSERT_EQ(two.size(), 2u);
  const int used = two[1].right - two[0].left;
  EXPECT_EQ(two[0].left - legend.left, (legend.Width() - used) / 2);
  EXPECT_EQ(two[0].Width(), kLegendSampleWidth + kLegendGap + 50);
  EXPECT_LT(two[0].right, two[1].left);

  for (const Rect& e : LegendEntries(legend, {300, 300})) {
    EXPECT_GE(e.left, legend.left);
    EXPECT_LE(e.right, legend.right);
  }
}

// Entries that do not fit beside each other go on to a next line, each line
// centred and as high as its share of the legend.
TEST(ChartGeometry, LegendEntriesWrapIntoCentredLines) {
  const std::vector<int> names{120, 80, 100, 90, 140, 110};
  const int width = 400;
  ASSERT_EQ(LegendLineCount(width, names), 3);
  EXPECT_EQ(LegendLineCount(width, {50, 30}), 1);
  EXPECT_EQ(LegendLineCount(width, {}), 1);
  const Rect legend{0, 100, width, 148};
  const std::vector<Rect> e = LegendEntries(legend, names);
  ASSERT_EQ(e.size(), names.size());
  // 120 + 80 fit a line (238 + 18 = 264 with samples), 100 does not follow.
  EXPECT_EQ(e[0].top, 100);
  EXPECT_EQ(e[1].top, 100);
  EXPECT_EQ(e[2].top, 116);
  EXPECT_EQ(e[4].bottom, 148);
  for (size_t i = 0; i < e.size(); ++i) {
    EXPECT_GE(e[i].left, legend.left) << i;
    EXPECT_LE(e[i].right, legend.right) << i;
    EXPECT_EQ(e[i].Width(), kLegendSampleWidth + kLegendGap + names[i]) << i;
  }
  // Each line centred: as much room left of its first entry as right of its last.
  for (const auto& [first, last] : {std::pair{0, 1}, std::pair{2, 3}, std::pair{4, 5}}) {
    EXPECT_NEAR(e[first].left - legend.left, legend.right - e[last].right, 1) << first;
  }
}

TEST(ChartGeometry, BarsTakeMostOfADayAndAtLeastAPixel) {
  EXPECT_EQ(BarWidth(AxisMap(1, 31, 0, 300), 1), 6);
  EXPECT_EQ(BarWidth(AxisMap(1, 31, 0, 3), 1), 1);
}

}  // namespace
