#include "ViewTestRecord.h"

#include "core/document/Recompute.h"
#include "core/view/ChannelCommands.h"
#include "core/view/RowLayout.h"
#include "core/view/ViewTexts.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using Indices = std::vector<std::size_t>;

std::vector<Channel>& Select(std::vector<Channel>& channels, std::initializer_list<std::size_t> chosen)
{
    for (Channel& channel : channels)
        channel.selected = false;
    for (std::size_t i : chosen)
        channels[i].selected = true;
    return channels;
}

TEST(ChannelCommands, ToggleSetsOnAllUnlessAllHaveItAndCurveModeKeepsOneModeBit)
{
    test::ViewTestRecord record;
    auto& channels = record.Analogs({"Ia", "Ib"});
    channels[0].SetFlag(display::kReadMinMax, true);
    EXPECT_EQ(ToggleOnSelected(Select(channels, {0, 1}), display::kReadMinMax).size(), 2u);
    EXPECT_TRUE(channels[1].HasFlag(display::kReadMinMax));
    ToggleOnSelected(channels, display::kReadMinMax);
    EXPECT_FALSE(channels[0].HasFlag(display::kReadMinMax));
    EXPECT_FALSE(channels[1].HasFlag(display::kReadMinMax));
    EXPECT_TRUE(ToggleOnSelected(Select(channels, {}), display::kInverted).empty());

    EXPECT_EQ(SetCurveMode(Select(channels, {0}), display::kCurveRms).size(), 1u);
    EXPECT_EQ(channels[0].displayFlags & display::kCurveModes, display::kCurveRms);
    EXPECT_TRUE(SetCurveMode(channels, display::kCurveRms).empty());
}

TEST(ChannelCommands, HidingUnchangingDiscreteKeepsOneThatSwitches)
{
    test::ViewTestRecord record(4);
    record.Discrete("Still");
    record.Discrete("Trip", {0, 0, 1, 1});
    auto& channels = record.Channels();
    channels[0].selected = true;
    HideDiscrete(channels, true);
    EXPECT_FALSE(channels[0].HasFlag(display::kVisible));
    EXPECT_FALSE(channels[0].selected);
    EXPECT_TRUE(channels[1].HasFlag(display::kVisible));
    HideDiscrete(channels, false);
    EXPECT_FALSE(channels[1].HasFlag(display::kVisible));
    ShowDiscrete(channels);
    EXPECT_TRUE(channels[0].HasFlag(display::kVisible) && channels[1].HasFlag(display::kVisible));
}

TEST(ChannelCommands, HidingAGroupMemberHidesAndDissolvesTheGroup)
{
    test::ViewTestRecord record;
    auto& channels = record.Analogs({"Ia", "Ib", "Ic"});
    channels[0].group = channels[1].group = "{G}";
    HideSelected(Select(channels, {1}));
    EXPECT_FALSE(channels[0].HasFlag(display::kVisible));
    EXPECT_FALSE(channels[1].HasFlag(display::kVisible));
    EXPECT_TRUE(channels[2].HasFlag(display::kVisible));
    EXPECT_TRUE(channels[0].group.empty() && channels[1].group.empty());
}

TEST(ChannelCommands, MergeNeedsTwoVisibleAnalogChannelsOfOneUnit)
{
    test::ViewTestRecord record;
    record.Analogs({"Ia", "Ib"});
    record.Analog("Ua", "kV");
    record.Discrete("Trip");
    auto& channels = record.Channels();
    EXPECT_FALSE(CanMerge(Select(channels, {0})));
    EXPECT_TRUE(CanMerge(Select(channels, {0, 1})));
    EXPECT_FALSE(CanMerge(Select(channels, {0, 2})));
    EXPECT_FALSE(CanMerge(Select(channels, {0, 3})));
    Select(channels, {0, 1});
    for (const std::uint32_t flag : {display::kPasted, display::kAdcCounts}) {
        channels[1].SetFlag(flag, true);
        EXPECT_FALSE(CanMerge(channels)) << flag;
        channels[1].SetFlag(flag, false);
    }

    EXPECT_TRUE(SameSamplingRate(channels));
    channels[1].ownSampleRate = 2000.0;
    EXPECT_FALSE(SameSamplingRate(channels));
    channels[1].ownSampleRate = 0.0;

    const std::string group = NewGroupId();
    EXPECT_EQ(group.size(), 38u);
    EXPECT_NE(group, NewGroupId());
    MergeSelected(channels, group);
    EXPECT_EQ(channels[0].group, group);
    EXPECT_EQ(channels[1].group, group);
    SplitSelected(Select(channels, {1}));
    EXPECT_TRUE(channels[0].group.empty()) << "a group of one ends";
}

TEST(ChannelSelection, ClicksFollowShiftAndControlInRowOrder)
{
    test::ViewTestRecord record;
    auto& channels = record.Analogs({"Ia", "Ib", "Ic", "Un"});
    const std::vector<Row> rows = LayoutRows(channels, 93, TextMetrics{});
    int anchor = -1;
    ClickSelect(channels, rows, 1, {}, anchor);
    EXPECT_EQ(anchor, 1);
    ClickSelect(channels, rows, 3, {.shift = true}, anchor);
    EXPECT_EQ(SelectedVisible(channels), (Indices{1, 2, 3}));
    ClickSelect(channels, rows, 2, {.control = true}, anchor);
    EXPECT_EQ(SelectedVisible(channels), (Indices{1, 3}));
    for (int click = 0; click < 2; ++click) {
        ClickSelect(channels, rows, 0, {}, anchor);
        EXPECT_EQ(SelectedVisible(channels), (Indices{0})) << "a plain click always selects";
    }

    SelectForMenu(Select(channels, {0, 1}), 1);
    EXPECT_EQ(SelectedVisible(channels), (Indices{0, 1}));
    SelectForMenu(channels, 3);
    EXPECT_EQ(SelectedVisible(channels), (Indices{3}));
}

TEST(ChannelRename, RefusesNamesOfOtherChannels)
{
    test::ViewTestRecord record;
    auto& channels = record.Analogs({"Ia", "Ib"});
    channels[1].aliasName = channels[1].name = "Phase B";
    EXPECT_TRUE(NameInUse(channels, 0, "Phase B"));
    EXPECT_TRUE(NameInUse(channels, 0, "Ib"));
    EXPECT_FALSE(NameInUse(channels, 0, "Ia"));
    EXPECT_FALSE(NameInUse(channels, 1, "Phase B"));
    EXPECT_FALSE(NameInUse(channels, 0, "Phase A"));
}

TEST(ChannelRename, ComputedChannelsAndFormulasFollowAndNamesTheyCannotHoldAreRefused)
{
    test::ViewTestRecord record;
    record.Analogs({"Ia", "Ib", "Ic"});
    Oscillogram& oscillogram = record.Record();
    oscillogram.calcChannels.Add("Sum", "Ia + Ib");
    const std::size_t sum = 3;
    const int badName = 396;
    EXPECT_EQ(RenameChannel(oscillogram, 0, "Ib"), viewtext::kNameInUse);
    EXPECT_EQ(RenameChannel(oscillogram, sum, "1st"), badName);
    EXPECT_EQ(RenameChannel(oscillogram, sum, "Sum,2"), badName);
    EXPECT_EQ(RenameChannel(oscillogram, 0, "I \"a\""), badName) << "a formula could not name it";
    EXPECT_EQ(oscillogram.channels[0].Name(), "Ia");
    EXPECT_EQ(RenameChannel(oscillogram, 2, "I \"c\""), 0);

    EXPECT_EQ(RenameChannel(oscillogram, sum, "Total"), 0);
    EXPECT_EQ(RenameChannel(oscillogram, 0, "Phase A"), 0);
    EXPECT_EQ(oscillogram.channels[0].aliasName, "Phase A");
    EXPECT_EQ(oscillogram.calcChannels.Entries(), (std::vector<FormulaEntry>{{"Total", "\"Phase A\" + Ib"}}));
}

// Commands that change what a channel gives recompute the channels computed from it.
TEST(ChannelCommands, ValueChangesReachTheComputedChannels)
{
    test::ViewTestRecord record;
    auto& channels = record.Analogs({"Ia", "Ib"});
    Oscillogram& oscillogram = record.Record();
    oscillogram.calcChannels.Add("Sum", "Ia + Ib");
    channels[0].primary = 100.0;
    RecomputeAll(record.Doc());
    const auto sumAt = [&](std::size_t i) { return channels[oscillogram.FindChannel("Sum")].samples.At(i); };
    const double ia = channels[0].samples.At(5);
    const double ib = channels[1].samples.At(5);
    ASSERT_NE(ia, 0.0);
    EXPECT_DOUBLE_EQ(sumAt(5), ia + ib);

    RecomputeChanged(record.Doc(), ToggleOnSelected(Select(channels, {0}), display::kInverted), ChannelChange::Values);
    EXPECT_DOUBLE_EQ(sumAt(5), -ia + ib);
    RecomputeChanged(record.Doc(), ShowPrimaryValues(channels, true), ChannelChange::Values);
    EXPECT_DOUBLE_EQ(sumAt(5), -100.0 * ia + ib);
}

TEST(VerticalZoomWindow, DragNarrowsEveryMemberToTheDraggedValues)
{
    test::ViewTestRecord record;
    record.Analog("Ia", "A", std::vector<double>{-10.0, 10.0});
    record.Analog("Ib", "A", std::vector<double>{-5.0, 30.0});
    auto& channels = record.Channels();
    for (Channel& channel : channels) {
        channel.group = "{G}";
        channel.displayFlags = display::kVisible | display::kCurveInstant;
    }
    const std::vector<Row> rows = LayoutRows(channels, 110, TextMetrics{});
    ASSERT_EQ(rows.size(), 1u);
    const ValueWindow full = RowWindow(channels, rows[0].members);
    EXPECT_EQ(full.low, -10.0);
    EXPECT_EQ(full.high, 30.0);
    // Row height 110: 100 pixels for 40 units, value 30 at y 5 and -10 at y 105.
    ZoomRowWindow(channels, rows[0], 30, 55);
    const ValueWindow zoomed = RowWindow(channels, rows[0].members);
    EXPECT_DOUBLE_EQ(zoomed.high, 20.0);
    EXPECT_DOUBLE_EQ(zoomed.low, 10.0);
    EXPECT_TRUE(channels[0].zoom.zoomed && channels[1].zoom.zoomed);

    EXPECT_TRUE(ResetVerticalZoom(Select(channels, {1})));
    EXPECT_FALSE(channels[0].zoom.zoomed);
    EXPECT_EQ(channels[0].zoom.from, 0.0);
    EXPECT_FALSE(ResetVerticalZoom(channels));

    ZoomRowWindow(channels, rows[0], 30, 55);
    ZoomRowWindow(channels, rows[0], 40, 40);
    EXPECT_FALSE(channels[1].zoom.zoomed) << "a click without a drag resets";
}

} // namespace
} // namespace zarva
