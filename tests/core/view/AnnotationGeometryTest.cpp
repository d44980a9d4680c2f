#include "ViewTestRecord.h"

#include "core/view/AnnotationGeometry.h"
#include "core/view/CommentBoxes.h"
#include "core/view/RowLayout.h"
#include "core/view/ViewState.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

// Ia and Ub (sines of amplitude 10) in 93-pixel rows, then Trip: 25 pixels per sample from
// x = 100, the plot 1000 pixels wide and 600 tall.
class AnnotationGeometryTest : public ::testing::Test {
protected:
    AnnotationGeometryTest()
    {
        record.Analogs({"Ia", "Ub"});
        record.Discrete("Trip");
        state.leftMargin = 100;
        Relayout();
    }

    void Relayout() { rows = LayoutRows(record.Channels(), state.yAnalogSize, TextMetrics{}); }
    AnnotationFrame Frame() const { return AnnotationFrame{record.Doc().oscillogram, rows, state, 1000, 600, 0}; }
    std::optional<AnnotationGrip> Hit(const Annotation& item, int x, int y) const { return HitTest(item, Frame(), {x, y}); }

    static AreaItem Area(const char* from, const char* to, std::int64_t first, std::int64_t last)
    {
        AreaItem area;
        area.channelFrom = from;
        area.channelTo = to;
        area.positionFrom = first;
        area.positionTo = last;
        return area;
    }

    static LevelItem Level(const char* channel, double value)
    {
        LevelItem level;
        level.channel = channel;
        level.positionY = value;
        level.positionFrom = 10;
        level.positionTo = 40;
        return level;
    }

    mutable test::ViewTestRecord record;
    ViewState state;
    std::vector<Row> rows;
};

TEST_F(AnnotationGeometryTest, AreaIsTakenByItsBorderBandOnly)
{
    const AreaItem area = Area("Ia", "Ub", 4, 10);  // x 200..350, y 0..185
    const auto shape = ShapeOf(area, Frame());
    ASSERT_TRUE(shape);
    EXPECT_EQ((std::array{shape->x0, shape->y0, shape->x1, shape->y1}), (std::array{200, 0, 350, 185}));
    EXPECT_EQ(Hit(area, 191, 90), AnnotationGrip::Body);
    EXPECT_FALSE(Hit(area, 189, 90));
    EXPECT_FALSE(Hit(area, 275, 90));  // inside, away from the border
    EXPECT_EQ(Hit(area, 359, 90), AnnotationGrip::EndTime);
    EXPECT_FALSE(Hit(area, 361, 90));
    EXPECT_EQ(Hit(area, 275, 194), AnnotationGrip::EndRow);
    EXPECT_FALSE(Hit(area, 275, 196));
    EXPECT_EQ(Hit(area, 355, 190), AnnotationGrip::EndCorner);
    EXPECT_FALSE(Hit(area, 90, 90));   // the label panel
    EXPECT_FALSE(Hit(Area("Ia", "Ic", 4, 10), 200, 90));

    // An area drawn upwards has its last row at the top.
    EXPECT_EQ(Hit(Area("Ub", "Ia", 4, 10), 275, 5), AnnotationGrip::EndRow);
}

TEST_F(AnnotationGeometryTest, MomentIsTakenBetweenTheSamplesTenPixelsEitherSide)
{
    MomentItem moment;
    moment.position = 10;  // x 350
    EXPECT_EQ(Hit(moment, 372, 500), AnnotationGrip::Body);
    EXPECT_FALSE(Hit(moment, 373, 500));
    EXPECT_EQ(Hit(moment, 328, 500), AnnotationGrip::Body);
    EXPECT_FALSE(Hit(moment, 350, 600));  // the ruler
}

TEST_F(AnnotationGeometryTest, LevelIsTakenNearItsLineOnlyWhileItsRowShowsIt)
{
    const LevelItem level = Level("Ia", 5.0);  // x 350..1100, y 26 on Ia's row
    EXPECT_EQ(Hit(level, 500, 36), AnnotationGrip::Body);
    EXPECT_FALSE(Hit(level, 500, 37));
    EXPECT_FALSE(Hit(level, 339, 26));
    EXPECT_EQ(Hit(level, 345, 26), AnnotationGrip::Body);
    LevelItem shortLevel = level;
    shortLevel.positionTo = 20;
    EXPECT_EQ(Hit(shortLevel, 605, 26), AnnotationGrip::EndTime);

    EXPECT_FALSE(ShapeOf(Level("Ia", 10.5), Frame()));
    EXPECT_FALSE(ShapeOf(Level("Ic", 5.0), Frame()));
    EXPECT_FALSE(ShapeOf(Level("Trip", 0.0), Frame()));
    record.Channels()[0].SetFlag(display::kVisible, false);
    Relayout();
    EXPECT_FALSE(Hit(level, 500, 26));
    EXPECT_FALSE(ShapeOf(level, Frame()));
}

TEST_F(AnnotationGeometryTest, ToolsCreateOnTheRowAndSampleUnderThePress)
{
    const auto moment = CreateAnnotation(AnnotationTool::Moment, Frame(), {512, 300});
    ASSERT_TRUE(moment);
    EXPECT_EQ(std::get<MomentItem>(*moment).position, 16);
    const auto level = CreateAnnotation(AnnotationTool::Level, Frame(), {500, 26});
    ASSERT_TRUE(level);
    EXPECT_EQ(std::get<LevelItem>(*level).channel, "Ia");
    EXPECT_NEAR(std::get<LevelItem>(*level).positionY, 5.0, 0.25);
    EXPECT_EQ(std::get<LevelItem>(*level).positionFrom, 16);
    const auto area = CreateAnnotation(AnnotationTool::Area, Frame(), {500, 195});
    ASSERT_TRUE(area);
    EXPECT_EQ(std::get<AreaItem>(*area).channelTo, "Trip");
    EXPECT_FALSE(CreateAnnotation(AnnotationTool::Level, Frame(), {500, 195}));
    EXPECT_FALSE(CreateAnnotation(AnnotationTool::Area, Frame(), {500, 300}));
    EXPECT_FALSE(CreateAnnotation(AnnotationTool::Moment, Frame(), {50, 300}));
    EXPECT_EQ(std::get<MomentItem>(*CreateAnnotation(AnnotationTool::Moment, Frame(), {990, 9})).position, 36);
}

TEST_F(AnnotationGeometryTest, DraggingMovesByWholeSamplesAndRowsAndLockedItemsStay)
{
    const AreaItem area = Area("Ia", "Ub", 4, 10);
    auto moved = std::get<AreaItem>(DraggedAnnotation(area, AnnotationGrip::Body, Frame(), {200, 90}, {250, 100}));
    EXPECT_EQ((std::array{moved.positionFrom, moved.positionTo}), (std::array<std::int64_t, 2>{6, 12}));
    moved = std::get<AreaItem>(DraggedAnnotation(area, AnnotationGrip::Body, Frame(), {200, 90}, {150, 500}));
    EXPECT_EQ(moved.channelFrom, "Ub");
    EXPECT_EQ(moved.channelTo, "Trip");
    EXPECT_EQ(moved.positionFrom, 2);
    moved = std::get<AreaItem>(DraggedAnnotation(area, AnnotationGrip::Body, Frame(), {200, 90}, {-900, 90}));
    EXPECT_EQ(moved, area);  // left of the plot nothing moves
    moved = std::get<AreaItem>(DraggedAnnotation(area, AnnotationGrip::Body, Frame(), {350, 90}, {120, 90}));
    EXPECT_EQ(moved.positionFrom, 0);
    EXPECT_EQ(moved.positionTo, 6);
    moved = std::get<AreaItem>(DraggedAnnotation(area, AnnotationGrip::EndCorner, Frame(), {350, 185}, {400, 195}));
    EXPECT_EQ(moved.positionTo, 12);
    EXPECT_EQ(moved.channelTo, "Trip");

    AreaItem locked = area;
    locked.locked = true;
    EXPECT_EQ(Hit(locked, 195, 90), AnnotationGrip::Body);
    EXPECT_EQ(DraggedAnnotation(locked, AnnotationGrip::Body, Frame(), {195, 90}, {400, 150}), Annotation(locked));

    const auto level = std::get<LevelItem>(DraggedAnnotation(Level("Ia", 5.0), AnnotationGrip::Body, Frame(),
                                                             {500, 26}, {525, -15}));
    EXPECT_EQ(level.positionFrom, 11);
    EXPECT_EQ(level.positionY, 10.0);  // kept on its row
}

TEST(CommentBoxes, StandBesideTheirItemsInsideThePlotAndNeverCoverEachOther)
{
    const PixelRect plot{100, 0, 900, 570};
    EXPECT_EQ(CommentBoxPlace(1, {300, 0, 300, 570}, 80, 40, plot), (PixelRect{304, 4, 80, 40}));
    EXPECT_EQ(CommentBoxPlace(2, {50, 200, 400, 200}, 80, 40, plot), (PixelRect{104, 156, 80, 40}));
    EXPECT_EQ(CommentBoxPlace(2, {150, 20, 400, 20}, 80, 40, plot), (PixelRect{154, 24, 80, 40}));
    EXPECT_EQ(CommentBoxPlace(3, {150, -50, 400, 300}, 80, 40, plot), (PixelRect{154, 4, 80, 40}));
    EXPECT_FALSE(CommentBoxPlace(1, {50, 0, 50, 570}, 80, 40, plot));
    EXPECT_FALSE(CommentBoxPlace(3, {1100, 0, 1200, 300}, 80, 40, plot));

    const std::vector<PixelRect> boxes = LayOutCommentBoxes(
        {{304, 4, 80, 40}, {330, 4, 80, 40}, {990, 30, 80, 40}, {104, 300, 2000, 20}, {200, 560, 50, 30}}, plot);
    EXPECT_EQ(boxes[0], (PixelRect{304, 4, 80, 40}));
    EXPECT_EQ(boxes[1], (PixelRect{330, 46, 80, 40}));
    EXPECT_EQ(boxes[2], (PixelRect{920, 30, 80, 40}));
    EXPECT_EQ(boxes[3], (PixelRect{100, 300, 2000, 20}));
    EXPECT_EQ(boxes[4], (PixelRect{200, 540, 50, 30}));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const bool apart = boxes[i].Right() <= boxes[j].left || boxes[j].Right() <= boxes[i].left ||
                               boxes[i].Bottom() <= boxes[j].top || boxes[j].Bottom() <= boxes[i].top;
            EXPECT_TRUE(apart) << i << " " << j;
        }
    }
}

} // namespace
} // namespace zarva
