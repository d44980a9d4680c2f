#include "ViewTestRecord.h"

#include "core/view/RowLayout.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

constexpr TextMetrics kMetrics{18, 16};

TEST(RowLayout, AnalogRowsGrowWithTheirReadoutLinesAndBadges)
{
    test::ViewTestRecord record;
    Channel& channel = record.Analog("Ia");
    channel.displayFlags = display::kVisible | display::kCurveInstant;
    EXPECT_EQ(AnalogRowHeight(channel, 20, kMetrics), 28);
    channel.SetFlag(display::kReadMinMax, true);
    channel.SetFlag(display::kReadRms, true);
    channel.SetFlag(display::kReadFirstHarmonic, true);
    EXPECT_EQ(AnalogRowHeight(channel, 20, kMetrics), 28 + 4 * 18);
    channel.SetFlag(display::kInverted, true);
    EXPECT_EQ(AnalogRowHeight(channel, 20, kMetrics), 28 + 4 * 18 + 23);
    EXPECT_EQ(AnalogRowHeight(channel, 200, kMetrics), 200);
    channel.displayFlags = display::kVisible | display::kCurveInstant;
    channel.displayRatio = 120.0;
    EXPECT_EQ(AnalogRowHeight(channel, 20, kMetrics), 28 + 23);
}

TEST(RowLayout, AnalogRowsComeFirstAndHiddenRowsTakeNoRoom)
{
    test::ViewTestRecord record;
    record.Analog("Ia");
    record.Discrete("Trip", std::vector<double>(100, 0.0));
    record.Discrete("Hidden", std::vector<double>(100, 0.0));
    record.Analog("Ib");
    record.Channels()[3].SetFlag(display::kVisible, false);
    const std::vector<Row> rows = LayoutRows(record.Channels(), 93, kMetrics);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(record.Channels()[rows[0].Channel()].Name(), "Ia");
    EXPECT_EQ(record.Channels()[rows[1].Channel()].Name(), "Ib");
    EXPECT_EQ(rows[1].top, 93);
    EXPECT_EQ(record.Channels()[rows[2].Channel()].Name(), "Trip");
    EXPECT_EQ(rows[2].top, 186);
    EXPECT_EQ(rows[2].height, 20);
    EXPECT_EQ(ContentHeight(rows), 206);
}

TEST(RowLayout, MergedChannelsShareTheRowOfTheirFirstMember)
{
    test::ViewTestRecord record;
    record.Analog("Ia");
    record.Analog("Ib");
    record.Analog("Ic");
    for (std::size_t i : {0u, 2u}) {
        record.Channels()[i].group = "{G}";
        record.Channels()[i].SetFlag(display::kReadMinMax, true);
    }
    const std::vector<Row> rows = LayoutRows(record.Channels(), 93, kMetrics);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].members, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(rows[0].height, std::max(93, 2 * (18 + 33 + 16)));
    EXPECT_EQ(rows[1].members, (std::vector<std::size_t>{1}));
    EXPECT_EQ(RowOf(rows, 2), 0u);

    const auto second = RowAt(rows, record.Channels(), 18 + 33 + 16 + 1, kMetrics);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->row, 0u);
    EXPECT_EQ(second->member, 1u);
    EXPECT_EQ(RowAt(rows, record.Channels(), rows[1].top, kMetrics)->row, 1u);
    EXPECT_FALSE(RowAt(rows, record.Channels(), ContentHeight(rows), kMetrics).has_value());

    record.Channels()[2].SetFlag(display::kVisible, false);
    const std::vector<Row> alone = LayoutRows(record.Channels(), 93, kMetrics);
    EXPECT_EQ(alone[0].members, (std::vector<std::size_t>{0}));
}

TEST(PaginateRows, RowsThatDoNotFitStartTheNextPage)
{
    std::vector<Row> rows;
    for (const int height : {93, 93, 93, 300, 20})
        rows.push_back(Row{{rows.size()}, 0, height, false});
    const auto pages = PaginateRows(rows, 200);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0].size(), 2u);
    EXPECT_EQ(pages[0][1].top, 93);
    EXPECT_EQ(pages[1][0].top, 0);
    EXPECT_EQ(pages[1][0].Channel(), 2u);
    EXPECT_EQ(pages[2][0].height, 300) << "a row taller than a page has one of its own";
    EXPECT_EQ(pages[3][0].Channel(), 4u);
    EXPECT_TRUE(PaginateRows({}, 200).empty());
}

} // namespace
} // namespace zarva
