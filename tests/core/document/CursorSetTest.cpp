#include "core/document/CursorSet.h"
#include "core/storage/SettingsSection.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

TEST(CursorSet, StartsUnplacedAndPlacingOrMovingKeepsTheCursorOnTheRecord)
{
    CursorSet cursors;
    for (int i = 0; i < CursorSet::kVerticalCount; ++i)
        EXPECT_TRUE(!cursors.Vertical(i).active && cursors.NeverPlaced(i)) << i;
    for (int i = 0; i < CursorSet::kHorizontalCount; ++i)
        EXPECT_TRUE(!cursors.Horizontal(i).active && cursors.HorizontalNeverPlaced(i)) << i;
    EXPECT_FALSE(cursors.Anchor().has_value());

    cursors.PlaceVertical(0, -5, 100);
    EXPECT_EQ(cursors.Vertical(0).sample, 0);
    EXPECT_TRUE(cursors.Vertical(0).active);
    cursors.PlaceVertical(1, 250, 100);
    EXPECT_EQ(cursors.Vertical(1).sample, 99);
    cursors.PlaceVertical(2, 7, 0);
    EXPECT_EQ(cursors.Vertical(2).sample, 0);

    // Keyboard moves stop at the first and the last sample.
    cursors.PlaceVertical(0, 0, 10);
    cursors.MoveVertical(0, -1, 10);
    EXPECT_EQ(cursors.Vertical(0).sample, 0);
    cursors.MoveVertical(0, 1, 10);
    EXPECT_EQ(cursors.Vertical(0).sample, 1);
    cursors.PlaceVertical(0, 9, 10);
    cursors.MoveVertical(0, 1, 10);
    EXPECT_EQ(cursors.Vertical(0).sample, 9);
}

TEST(CursorSet, AnchorIsTheFirstActiveVerticalCursor)
{
    CursorSet cursors;
    cursors.PlaceVertical(2, 30, 100);
    cursors.PlaceVertical(1, 20, 100);
    EXPECT_EQ(cursors.Anchor(), 20);
    cursors.PlaceVertical(0, 10, 100);
    cursors.SetVerticalActive(0, false);
    EXPECT_EQ(cursors.Anchor(), 20);
    EXPECT_FALSE(cursors.NeverPlaced(0));
    cursors.SetVerticalActive(1, false);
    EXPECT_EQ(cursors.Anchor(), 30);
}

TEST(CursorSet, ClampDropsHorizontalCursorsOfChannelsThatAreGone)
{
    CursorSet cursors;
    cursors.PlaceVertical(0, 80, 100);
    cursors.PlaceHorizontal(0, 1.5, 4);
    cursors.PlaceHorizontal(1, 2.5, 1);
    cursors.Clamp(50, 3);
    EXPECT_EQ(cursors.Vertical(0).sample, 49);
    EXPECT_FALSE(cursors.Horizontal(0).active);
    EXPECT_TRUE(cursors.HorizontalNeverPlaced(0));
    EXPECT_TRUE(cursors.Horizontal(1).active);
    EXPECT_EQ(cursors.Horizontal(1).channel, 1);
}

TEST(CursorPersistence, RoundTripsEveryCursorExactlyAndRepairsStoredPositionsOffTheRecord)
{
    CursorSet cursors;
    cursors.PlaceVertical(0, 1234, 5000);
    cursors.PlaceVertical(1, 4000, 5000);
    cursors.SetVerticalActive(1, false);
    cursors.PlaceHorizontal(1, 0.000012345678, 2);
    SettingsSection view;
    SaveCursors(cursors, view);
    EXPECT_EQ(LoadCursors(view, 5000, 3), cursors);

    view = SettingsSection{};
    view.SetInt("CursorV1", 900);
    view.SetInt("CursorV1On", 1);
    view.SetInt("CursorV2", -3);
    view.SetString("CursorH1", "nan");
    view.SetInt("CursorH1Channel", 0);
    view.SetInt("CursorH1On", 1);
    view.SetString("CursorH2", "4");
    view.SetInt("CursorH2Channel", 12);
    view.SetInt("CursorH2On", 1);
    const CursorSet repaired = LoadCursors(view, 100, 2);
    EXPECT_EQ(repaired.Vertical(0).sample, 99);
    EXPECT_TRUE(repaired.Vertical(0).active);
    EXPECT_EQ(repaired.Vertical(1).sample, 0);
    EXPECT_FALSE(repaired.Horizontal(0).active);
    EXPECT_FALSE(repaired.Horizontal(1).active);
    EXPECT_EQ(LoadCursors(SettingsSection{}, 100, 2), CursorSet{});
}

} // namespace
} // namespace zarva
