// Choosing a graph axis's round ticks and placing values on the picture.

#include "TestLocale.h"
#include "pictures/AxisScale.h"
#include "pictures/PlotMapping.h"

#include <gtest/gtest.h>

namespace calctutor {
namespace {

TEST(AxisScale, NiceStepsAreOneTwoOrFiveTimesAPowerOfTen)
{
    const std::vector<std::pair<double, double>> rows = {
        {0.3, 0.5}, {1, 1},     {1.0000000001, 1}, {1.2, 2},    {2.5, 5}, {6, 10},
        {9.9, 10},  {11.1, 20}, {20, 20},          {0.07, 0.1}, {0, 1},   {-3, 1},
    };
    for (const auto& [rough, nice] : rows)
        EXPECT_DOUBLE_EQ(niceStep(rough), nice) << "rough step " << rough;
}

struct AxisRow {
    const char* name;
    double min;
    double max;
    int maxTicks;
    double low;
    double high;
    double step;
};

class NiceAxis : public ::testing::TestWithParam<AxisRow> {};

TEST_P(NiceAxis, CoversTheValuesOnRoundTicks)
{
    const AxisRow& row = GetParam();
    const AxisScale axis = niceAxis(row.min, row.max, row.maxTicks);
    EXPECT_DOUBLE_EQ(axis.low, row.low);
    EXPECT_DOUBLE_EQ(axis.high, row.high);
    EXPECT_DOUBLE_EQ(axis.step, row.step);
    EXPECT_LE(axis.tickCount(), std::max(row.maxTicks, 2));
    EXPECT_LE(axis.low, std::min(row.min, row.max));
    EXPECT_GE(axis.high, std::max(row.min, row.max));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NiceAxis,
    ::testing::Values(
        AxisRow{"StockMonths", 0, 9, 11, 0, 9, 1}, AxisRow{"StockValuesLeaveRoomBelow", 40, 70, 6, 30, 70, 10},
        AxisRow{"StockValuesWithMoreRoom", 40, 70, 9, 35, 70, 5}, AxisRow{"WaterTimes", 0, 100, 11, 0, 100, 10},
        AxisRow{"WaterTimesInLittleRoom", 0, 100, 5, 0, 100, 50}, AxisRow{"WaterDepths", 0, 100, 6, 0, 100, 20},
        AxisRow{"StepThatDoesNotFitGrows", 1, 9, 5, 0, 10, 5}, AxisRow{"NegativeValues", -7, -2, 6, -8, -2, 2},
        AxisRow{"AcrossZero", -0.3, 0.45, 6, -0.4, 0.6, 0.2}, AxisRow{"MinAndMaxSwapped", 100, 0, 6, 0, 100, 20},
        AxisRow{"SingleValue", 40, 40, 5, 0, 60, 20}, AxisRow{"SingleZero", 0, 0, 3, -2, 2, 2},
        AxisRow{"TooFewTicksAskedFor", 0, 9, 0, 0, 10, 10}),
    [](const ::testing::TestParamInfo<AxisRow>& row) { return std::string(row.param.name); });

TEST(AxisScale, TicksRunFromLowToHighWithoutDrift)
{
    const AxisScale axis{-0.3, 0.6, 0.1};
    const std::vector<double> ticks = axis.ticks();
    ASSERT_EQ(ticks.size(), 10u);
    EXPECT_DOUBLE_EQ(ticks.front(), -0.3);
    EXPECT_NEAR(ticks.back(), 0.6, 1e-12);
    EXPECT_EQ(tickLabel(ticks[3], axis.step), "0.0");
    EXPECT_EQ(AxisScale({0, 1, 0}).tickCount(), 0);
    EXPECT_EQ(AxisScale({5, 5, 1}).tickCount(), 1);
    EXPECT_EQ(AxisScale({1, 0, 1}).tickCount(), 0);
}

TEST(AxisScale, TickLabelsShowTheDecimalsTheStepNeeds)
{
    struct Row {
        double value;
        double step;
        const char* label;
    };
    const std::vector<Row> rows = {
        {40, 10, "40"}, {100, 20, "100"}, {0.1 + 0.2, 0.1, "0.3"}, {2.5, 0.5, "2.5"},   {-1e-17, 0.1, "0.0"},
        {-0.0, 1, "0"}, {-20, 10, "-20"}, {0.05, 0.05, "0.05"},    {1500, 500, "1500"}, {69.99999999999, 10, "70"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(tickLabel(row.value, row.step), row.label) << row.value << " step " << row.step;
    // The same labels when the desktop's language writes a decimal comma.
    const testing::CommaLocale comma;
    for (const Row& row : rows)
        EXPECT_EQ(tickLabel(row.value, row.step), row.label) << "comma language active: " << comma.active();
}

TEST(PlotMapping, SpreadsEachAxisAcrossThePlotWithLowValuesBottomLeft)
{
    const PlotMapping plot({50, 20, 300, 150}, AxisScale{0, 9, 1}, AxisScale{30, 70, 10});
    const std::vector<std::pair<GraphPoint, GraphPoint>> rows = {
        {{0, 30}, {50, 170}},   // bottom-left corner
        {{9, 70}, {350, 20}},   // top-right corner
        {{4.5, 50}, {200, 95}}, // middle
        {{0, 40}, {50, 132.5}}, // a data point above the axis line
    };
    for (const auto& [value, pixel] : rows) {
        const GraphPoint at = plot.toPixels(value);
        EXPECT_DOUBLE_EQ(at.x, pixel.x) << value.x << ", " << value.y;
        EXPECT_DOUBLE_EQ(at.y, pixel.y) << value.x << ", " << value.y;
    }
    const PlotMapping flat({0, 0, 100, 100}, AxisScale{5, 5, 1}, AxisScale{5, 5, 1});
    EXPECT_DOUBLE_EQ(flat.pixelX(5), 0);
    EXPECT_DOUBLE_EQ(flat.pixelY(5), 100);
    const PlotMapping reversed({0, 0, 100, 100}, AxisScale{9, 0, 1}, AxisScale{9, 0, 1});
    EXPECT_DOUBLE_EQ(reversed.pixelX(3), 0);
    EXPECT_DOUBLE_EQ(reversed.pixelY(3), 100);
}

} // namespace
} // namespace calctutor
