#include "core/storage/SettingsSection.h"
#include "core/view/ViewSettings.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(ViewSettings, AbsentKeysGiveTheDefaultsAndUnusableValuesAreRepaired)
{
    ViewState read;
    ReadViewSettings(nullptr, 0.125, read);
    EXPECT_EQ(read.xScale, 0.25);
    EXPECT_EQ(read.rulerState, RulerUnit::Milliseconds);
    EXPECT_EQ(read.yAnalogSize, 93);
    EXPECT_TRUE(read.sells);

    ViewState state;
    state.xScale = 1.0 / 32768;
    state.rulerState = RulerUnit::AbsoluteTime;
    state.yAnalogSize = 157;
    state.sells = false;
    SettingsSection view;
    WriteViewSettings(state, view);
    ReadViewSettings(&view, 1.0, read);
    EXPECT_EQ(read.xScale, state.xScale);
    EXPECT_EQ(read.rulerState, RulerUnit::AbsoluteTime);
    EXPECT_EQ(read.yAnalogSize, 157);
    EXPECT_FALSE(read.sells);

    view.SetInt("RulerState", 9);
    view.SetInt("YAnalogSize", -5);
    view.SetString("XScale", "0");
    ReadViewSettings(&view, 0.5, read);
    EXPECT_EQ(read.rulerState, RulerUnit::Milliseconds);
    EXPECT_EQ(read.yAnalogSize, 20);
    EXPECT_EQ(read.xScale, 1.0);
}

} // namespace
} // namespace zarva
