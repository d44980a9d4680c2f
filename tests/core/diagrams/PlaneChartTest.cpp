#include "core/diagrams/PlaneChart.h"

#include "core/document/CursorSet.h"
#include "core/storage/SettingsStore.h"
#include "support/TempFolder.h"
#include "../dsp/TestRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zarva {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(PlaneChart, PairsAndOptionsSurviveTheSettingsFileBesideTheBlockChoice)
{
    const test::TempFolder folder;
    SettingsStore saved;
    saved.Section("Circle Chart").SetString("SelectedBlock", "Дистанционная");
    WritePairs(saved, ChartKind::Circle, {{"R1", "X1", true}, {"Rb", "Xb", false}});
    WritePairs(saved, ChartKind::Differential, {{"Iт", "Iд", true}});
    WritePlaneOptions(saved, ChartKind::Differential, {false, true, 1});
    // Fewer pairs written later leave no stale entry behind.
    WritePairs(saved, ChartKind::Circle, {{"R1", "X1", true}, {"Rb", "Xb", false}, {"Rc", "Xc", true}});
    WritePairs(saved, ChartKind::Circle, {{"R1", "X1", true}, {"Rb", "Xb", false}});
    saved.Save(folder / "r.set");

    SettingsStore read;
    read.Load(folder / "r.set");
    EXPECT_EQ(ReadPairs(read, ChartKind::Circle), (std::vector<ChannelPair>{{"R1", "X1", true}, {"Rb", "Xb", false}}));
    EXPECT_EQ(ReadPairs(read, ChartKind::Differential), (std::vector<ChannelPair>{{"Iт", "Iд", true}}));
    EXPECT_EQ(read.Find("Diff Chart")->SubSections().at("Channels").SubSections().at("0").GetString("BrakeCurr"), "Iт");
    EXPECT_EQ(read.Find("Circle Chart")->GetString("SelectedBlock"), "Дистанционная");
    EXPECT_EQ(ReadPlaneOptions(read, ChartKind::Differential), (PlaneChartOptions{false, true, 1}));
    EXPECT_EQ(ReadPlaneOptions(read, ChartKind::Circle), PlaneChartOptions{});
}

TEST(PlaneChart, RangeRunsBetweenTheCursorsInEitherOrderWithinTheRecord)
{
    CursorSet cursors;
    cursors.PlaceVertical(0, 70, 100);
    cursors.PlaceVertical(1, 20, 100);
    const SampleRange between = TrajectoryRange(0, 99, cursors, true, 100);
    EXPECT_EQ(between.first, 20);
    EXPECT_EQ(between.last, 70);
    const SampleRange visible = TrajectoryRange(40, 500, cursors, false, 100);
    EXPECT_EQ(visible.first, 40);
    EXPECT_EQ(visible.last, 99);
    cursors.PlaceVertical(1, 70, 100);
    EXPECT_EQ(TrajectoryRange(0, 99, cursors, true, 100).last, 70);
    EXPECT_EQ(TrajectoryRange(0, 99, cursors, true, 100).first, 70);
}

TEST(PlaneChart, PairsGiveTheirChannelsValuesAndSkipWhatCannotBeDrawn)
{
    test::TestRecord test(1000);
    test.AddAnalog("R", {1.0, kNaN, 3.0, 4.0});
    test.AddAnalog("X", {-1.0, -2.0, -3.0, -4.0});
    for (Channel& channel : test.record.channels)
        channel.Recompute();
    const std::vector<ChannelPair> pairs{{"R", "X", true}, {"R", "Gone", true}, {"X", "R", false}};
    const std::vector<Trajectory> drawn = DiffTrajectories(test.record, pairs, {1, 3}, 1);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].name, "R X");
    ASSERT_EQ(drawn[0].points.size(), 3u);
    EXPECT_TRUE(std::isnan(drawn[0].points[0].x));
    EXPECT_EQ(drawn[0].points[2].x, 4.0);
    EXPECT_EQ(drawn[0].points[2].y, -4.0);
    // At cursor 1 the missing resistance reads as zero.
    EXPECT_EQ(drawn[0].atCursor.x, 0.0);
    EXPECT_EQ(drawn[0].atCursor.y, -2.0);
}

TEST(PlaneChart, ValueTextsDropTheSignOfZeroAndTakeAMultiple)
{
    EXPECT_EQ(ThreeDecimals(-0.0004), "0.000");
    EXPECT_EQ(ThreeDecimals(kNaN), "0.000");
    EXPECT_EQ(ThreeDecimals(-0.0006), "-0.001");
    EXPECT_EQ(ComplexValueText({3.5, -12.25}, "Ohm", false), "3.500-j12.250 Ohm");
    EXPECT_EQ(ComplexValueText({1500.0, 200.0}, "VA", false), "1.500+j0.200 кVA");
    EXPECT_EQ(ComplexValueText({0.0, -2.0}, "Ohm", true), "2.000 Ohm \u2220-90.00\u00b0");
    EXPECT_EQ(CellText(0.4, "A"), "0.4 A");
    EXPECT_EQ(CellText(2000.0, "W"), "2 кW");
}

} // namespace
} // namespace zarva
