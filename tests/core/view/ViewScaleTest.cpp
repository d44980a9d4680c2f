#include "core/view/ViewScale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zarva {
namespace {

ViewState At(double xScale, std::int64_t firstSample)
{
    ViewState state;
    state.leftMargin = 100;
    state.xScale = xScale;
    state.firstSample = firstSample;
    return state;
}

TEST(FitScale, IsTheLargestPowerOfTwoAtWhichTheRecordFitsAndStoredScalesSnapToOne)
{
    EXPECT_EQ(FitScale(1000, 0), 1.0);
    EXPECT_EQ(FitScale(1000, 40), 1.0);
    EXPECT_EQ(FitScale(1000, 41), 0.5);
    EXPECT_EQ(FitScale(1000, 80), 0.5);
    EXPECT_EQ(FitScale(1600, 2'000'000), 1.0 / 32768);

    EXPECT_EQ(UsableScale(0.000031, 1.0 / 65536), 1.0 / 32768);  // as six decimals keep 2^-15
    EXPECT_EQ(UsableScale(0.25, 0.125), 0.25);
    EXPECT_EQ(UsableScale(-1.0, 0.125), 0.25);
    EXPECT_EQ(UsableScale(std::nan(""), 0.5), 1.0);
    EXPECT_EQ(UsableScale(64.0, 0.5), 2.0);
}

TEST(SampleAtX, RoundsToTheNearerSampleWithTiesToTheLater)
{
    ViewState state = At(1.0, 10);
    EXPECT_EQ(SampleAtX(state, 100 + 25 * 3 + 12), 13);
    EXPECT_EQ(SampleAtX(state, 100 + 25 * 3 + 13), 14);
    EXPECT_EQ(SampleAtX(state, 100 + 12.5), 11);
    EXPECT_EQ(SampleAtX(state, 0), 6);
    state.firstSample = 0;
    EXPECT_EQ(SampleAtX(state, 0), 0);
    EXPECT_EQ(SampleX(state, 4), 200.0);
}

TEST(HorizontalZoom, InStopsAtOneAndOutAtTheFitScale)
{
    ViewState state;
    state.xScale = 0.5;
    EXPECT_TRUE(ZoomInHorizontally(state, std::nullopt));
    EXPECT_EQ(state.xScale, 1.0);
    EXPECT_FALSE(ZoomInHorizontally(state, std::nullopt));
    EXPECT_EQ(state.xScale, 1.0);

    state.xScale = 0.25;
    EXPECT_TRUE(ZoomOutHorizontally(state, std::nullopt, 0.125, 10'000, 1000));
    EXPECT_EQ(state.xScale, 0.125);
    EXPECT_FALSE(ZoomOutHorizontally(state, std::nullopt, 0.125, 10'000, 1000));
    EXPECT_EQ(state.xScale, 0.125);
}

TEST(HorizontalZoom, KeepsTheAnchorSampleInPlace)
{
    ViewState state = At(0.5, 1000);
    const double before = SampleX(state, 1400);
    ZoomOutHorizontally(state, 1400, 0.0625, 100'000, 1100);
    EXPECT_EQ(state.firstSample, 600);
    EXPECT_EQ(SampleX(state, 1400), before);
    ZoomInHorizontally(state, 1400);
    EXPECT_EQ(state.firstSample, 1000);
    EXPECT_EQ(SampleX(state, 1400), before);
}

TEST(HorizontalZoom, OutKeepsTheViewOnTheRecord)
{
    ViewState state = At(0.5, 50);
    ZoomOutHorizontally(state, 10, 0.125, 1000, 1100);
    EXPECT_EQ(state.firstSample, 90);
    ZoomOutHorizontally(state, 0, 0.125, 1000, 1100);
    // 1000 samples, 320 fit at 1/8: the view starts no later than sample 679.
    EXPECT_EQ(state.firstSample, 180);
    state.firstSample = 900;
    state.xScale = 0.25;
    ZoomOutHorizontally(state, std::nullopt, 0.125, 1000, 1100);
    EXPECT_EQ(state.firstSample, 679);
}

TEST(VerticalZoom, StepsByThirtyPercentWithinTheLimitsAndScalesTheOffsetAboutTheAnchor)
{
    struct Step {
        int from;
        bool in;
        bool changed;
        int to;
    };
    for (const Step step : {Step{93, true, true, 121}, Step{121, true, true, 157}, Step{93, false, true, 72},
                            Step{72, false, true, 55}, Step{55, false, false, 55}, Step{500, true, false, 500}}) {
        ViewState state;
        state.yAnalogSize = step.from;
        EXPECT_EQ(ZoomVertically(state, step.in, 0), step.changed) << step.from;
        EXPECT_EQ(state.yAnalogSize, step.to) << step.from;
    }

    ViewState state;
    state.verticalOffset = -100;
    ZoomVertically(state, true, 50);
    EXPECT_EQ(state.verticalOffset, -145);  // (-100 - 50) * 1.3 + 50
    state.verticalOffset = -10;
    ZoomVertically(state, false, 300);
    EXPECT_EQ(state.verticalOffset, 0);
}

TEST(HorizontalLayout, ScrollBarCoversTheRecordInTenThousandths)
{
    ViewState state = At(1.0, 0);
    // 900 pixels: 36 samples fit, visibleSamples 35.
    ScrollRange bar = LayoutHorizontally(state, 1000, 135);
    EXPECT_EQ(state.visibleSamples, 35);
    EXPECT_TRUE(bar.enabled);
    EXPECT_EQ(bar.page, 3500);
    EXPECT_EQ(bar.position, 1);

    state.firstSample = 120;
    bar = LayoutHorizontally(state, 1000, 135);
    EXPECT_EQ(state.firstSample, 100);
    EXPECT_EQ(bar.position, 10000);

    bar = LayoutHorizontally(state, 1000, 20);
    EXPECT_FALSE(bar.enabled);
    EXPECT_EQ(state.firstSample, 0);
}

TEST(HorizontalLayout, ScrollPositionsMapToSamplesWithoutOverflow)
{
    ViewState state = At(1.0 / 1024, 0);
    LayoutHorizontally(state, 1700, 2'000'000);
    const std::int64_t span = 2'000'000 - state.visibleSamples;
    EXPECT_EQ(ScrollHorizontallyTo(state, 5000, 2'000'000), 5000);
    EXPECT_EQ(state.firstSample, span / 2);
    EXPECT_EQ(ScrollHorizontallyTo(state, 20000, 2'000'000), 10000);
    EXPECT_EQ(state.firstSample, span);
    EXPECT_EQ(HorizontalScrollStep(state, 2'000'000), static_cast<int>(state.visibleSamples * 10000 / 2'000'000));
}

TEST(VerticalLayout, OffsetFollowsTheBarOnlyWhenRowsDoNotFit)
{
    ViewState state;
    state.verticalOffset = -40;
    ScrollRange bar = LayoutVertically(state, 600, 30, 500, 40);
    EXPECT_FALSE(bar.enabled);
    EXPECT_EQ(state.verticalOffset, 0);
    bar = LayoutVertically(state, 600, 30, 1000, 200);
    EXPECT_TRUE(bar.enabled);
    EXPECT_EQ(bar.page, 572);
    EXPECT_EQ(bar.maximum, 428);
    EXPECT_EQ(state.verticalOffset, -200);
    EXPECT_EQ(VerticalOffsetAt(900, 1000, 30, 600), -428);
    EXPECT_EQ(VerticalOffsetAt(-50, 1000, 30, 600), 0);
}

} // namespace
} // namespace zarva
