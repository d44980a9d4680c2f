#include "ViewTestRecord.h"

#include "core/storage/SettingsSection.h"
#include "core/view/TimeRuler.h"
#include "core/view/ViewSettings.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(ViewSettings, AbsentKeysGiveTheDefaultsAndUnusableValuesAreRepaired)
{
    ViewState read;
    ReadViewSettings(nullptr, 0.125, RulerUnit::Milliseconds, read);
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
    ReadViewSettings(&view, 1.0, RulerUnit::Seconds, read);
    EXPECT_EQ(read.xScale, state.xScale);
    EXPECT_EQ(read.rulerState, RulerUnit::AbsoluteTime);
    EXPECT_EQ(read.yAnalogSize, 157);
    EXPECT_FALSE(read.sells);

    view.SetInt("RulerState", 9);
    view.SetInt("YAnalogSize", -5);
    view.SetString("XScale", "0");
    ReadViewSettings(&view, 0.5, RulerUnit::Seconds, read);
    EXPECT_EQ(read.rulerState, RulerUnit::Seconds);
    EXPECT_EQ(read.yAnalogSize, 20);
    EXPECT_EQ(read.xScale, 1.0);
}

TEST(MergedRows, ComeBackByChannelKeysWhateverTheKeysHold)
{
    test::ViewTestRecord record;
    std::vector<Channel>& channels = record.Analogs({"Ua", "U,b;%", "Uc", "Ia", "Ib"});
    channels[0].group = channels[1].group = "{guid-1}";
    channels[3].group = channels[4].group = "{guid-2}";
    SettingsSection view;
    SaveMergedRows(channels, view);
    EXPECT_EQ(view.GetString("MergedRows"), "Ua,U%2Cb%3B%25;Ia,Ib");

    for (Channel& channel : channels)
        channel.group.clear();
    LoadMergedRows(channels, view);
    EXPECT_FALSE(channels[0].group.empty());
    EXPECT_EQ(channels[0].group, channels[1].group);
    EXPECT_TRUE(channels[2].group.empty());
    EXPECT_FALSE(channels[3].group.empty());
    EXPECT_EQ(channels[3].group, channels[4].group);
    EXPECT_NE(channels[0].group, channels[3].group);

    // A row whose other channel is gone stays apart; splitting every row empties the key.
    for (Channel& channel : channels)
        channel.group.clear();
    view.SetString("MergedRows", "Ua,gone;Ia,Ib,Ia");
    LoadMergedRows(channels, view);
    EXPECT_TRUE(channels[0].group.empty());
    EXPECT_EQ(channels[3].group, channels[4].group);
    for (Channel& channel : channels)
        channel.group.clear();
    SaveMergedRows(channels, view);
    EXPECT_EQ(view.GetString("MergedRows", "absent"), "");
}

TEST(DefaultRulerUnit, SecondsFromTenSecondsOn)
{
    test::ViewTestRecord shortRecord(9999);
    EXPECT_EQ(DefaultRulerUnit(shortRecord.Record()), RulerUnit::Milliseconds);
    test::ViewTestRecord longRecord(10001);
    EXPECT_EQ(DefaultRulerUnit(longRecord.Record()), RulerUnit::Seconds);
}

} // namespace
} // namespace zarva
