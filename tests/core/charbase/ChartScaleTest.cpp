#include "core/charbase/ChartScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zarva {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundUpToOneDigit, KeepsTheSignAndNeverRoundsDown)
{
    const std::pair<double, double> cases[] = {
        {0.37, 0.4}, {123.0, 200.0}, {-0.37, -0.4}, {1000.0, 1000.0}, {0.001, 0.001}, {0.3, 0.3},
        {9.5, 10.0}, {1000.0001, 2000.0}, {7e-5, 7e-5}, {66666.7, 70000.0}, {0.0, 0.0}};
    for (const auto& [value, rounded] : cases)
        EXPECT_DOUBLE_EQ(RoundUpToOneDigit(value), rounded) << value;
    EXPECT_EQ(RoundUpToOneDigit(kNaN), 0.0);
    EXPECT_EQ(RoundUpToOneDigit(-std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(RoundUpToOneDigit(std::numeric_limits<double>::max()), std::numeric_limits<double>::max());
}

TEST(CircleScale, EachSourceKindHasItsOwnScaleAndTheZonesAreTakenInWhenTheyReachFar)
{
    PointExtent trajectory;
    trajectory.Add(3.0, -5.0);
    trajectory.Add(kNaN, 90.0);
    EXPECT_EQ(trajectory.Largest(), 5.0);

    // 96 dpi: cells of 19.2 px, 15 of them from the centre of a 600 × 700 plot to its side.
    CircleScaleInput input;
    input.cellPixels = GridCellPixels(96.0, 1.0);
    input.cellsToEdge = CellsToNearestEdge(600, 700, input.cellPixels);
    ASSERT_EQ(input.cellsToEdge, 15);
    input.impedanceExtent = trajectory.Largest();
    input.powerExtent = 12e6;
    input.characteristicExtent = 12.0;
    CircleScale scale = ComputeCircleScale(input);
    EXPECT_DOUBLE_EQ(scale.impedance.cellValue, 0.4);
    EXPECT_DOUBLE_EQ(scale.impedance.pixelsPerUnit, 48.0);
    EXPECT_DOUBLE_EQ(scale.power.cellValue, 8e5);
    EXPECT_TRUE(scale.drawCharacteristics);  // 576 px

    // Zones reaching 960 px at the data's scale set the scale themselves.
    input.characteristicExtent = 20.0;
    scale = ComputeCircleScale(input);
    EXPECT_DOUBLE_EQ(scale.impedance.cellValue, 2.0);
    EXPECT_TRUE(scale.drawCharacteristics);

    // A circle of a million ohms is taken in too, but zoomed in on the trajectory it would
    // reach far beyond the limit and is not drawn.
    input.characteristicExtent = 1e6;
    EXPECT_DOUBLE_EQ(ComputeCircleScale(input).impedance.cellValue, 70000.0);
    EXPECT_TRUE(ComputeCircleScale(input).drawCharacteristics);
    input.zoom = 1000.0;
    scale = ComputeCircleScale(input);
    EXPECT_DOUBLE_EQ(scale.impedance.cellValue, 70.0);
    EXPECT_FALSE(scale.drawCharacteristics);
    // When printing the limit grows with the line width.
    input.zoom = 1.0;
    input.lineWidthFactor = 4.0;
    input.characteristicExtent = 20.0;
    EXPECT_DOUBLE_EQ(ComputeCircleScale(input).impedance.cellValue, 0.4);

    // Power channels only: nothing to scale impedances by.
    input.impedanceExtent = 0.0;
    input.characteristicExtent = 0.0;
    scale = ComputeCircleScale(input);
    EXPECT_EQ(scale.impedance.pixelsPerUnit, 0.0);
    EXPECT_EQ(scale.impedance.cellValue, 0.0);
    EXPECT_GT(scale.power.pixelsPerUnit, 0.0);
}

TEST(DifferentialScale, WholeCellsOfTheLargerExtentRoundedUpAfterTheZoom)
{
    const double cell = GridCellPixels(96.0, 1.0);
    AxisScale scale = DifferentialScale(6.5, 400, cell, 1.0);  // 20 cells of 0.325
    EXPECT_DOUBLE_EQ(scale.cellValue, 0.4);
    EXPECT_DOUBLE_EQ(scale.pixelsPerUnit, 48.0);
    scale = DifferentialScale(6.5, 400, cell, 2.0);
    EXPECT_DOUBLE_EQ(scale.cellValue, 0.2);
    EXPECT_DOUBLE_EQ(scale.pixelsPerUnit, 96.0);
    EXPECT_DOUBLE_EQ(DifferentialScale(6.5, 10, cell, 1.0).cellValue, 7.0);  // less than a cell: one
    EXPECT_EQ(DifferentialScale(0.0, 400, cell, 1.0).pixelsPerUnit, 0.0);
    EXPECT_EQ(DifferentialScale(6.5, 400, 0.0, 1.0).pixelsPerUnit, 0.0);
}

} // namespace
} // namespace zarva
