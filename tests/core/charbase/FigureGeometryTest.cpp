#include "core/charbase/FigureGeometry.h"

#include "RegionProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace zarva {
namespace {

using test::Covers;
using Kind = DeviceShape::Kind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

DeviceFrame Frame(double scale, int originX = 200, int originY = 150, DeviceRect clip = {0, 0, 400, 300})
{
    return {scale, originX, originY, clip};
}

bool CoversPlane(const DeviceShape& shape, PointF plane, const DeviceFrame& frame)
{
    return Covers(shape, MapToDevice(plane, frame));
}

DeviceRect Bounds(const DeviceShape& shape)
{
    DeviceRect box{shape.points[0].x, shape.points[0].y, shape.points[0].x, shape.points[0].y};
    for (const DevicePoint& p : shape.points)
        box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};
    return box;
}

void ExpectPixel(const DeviceShape& shape, DevicePoint at)
{
    ASSERT_EQ(shape.kind, Kind::Pixel);
    EXPECT_EQ(shape.points.front(), at);
}

TEST(PolygonVertices, NeighbouringEdgesMeetByTheirKindsAndParallelOnesDoNot)
{
    // A 2 × 1 rectangle: kind 1 then 2 and kind 2 then 1 alternate around it.
    const EdgeLine rectangle[] = {{0, 0, 1}, {0, 2, 2}, {0, 1, 1}, {0, 0, 2}};
    const std::vector<PointF> corners = PolygonVertices(rectangle);
    const PointF expected[] = {{0, 0}, {2, 0}, {2, 1}, {0, 1}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(corners[i].x, expected[i].x) << i;
        EXPECT_DOUBLE_EQ(corners[i].y, expected[i].y) << i;
    }
    // y = x meets y = 2 − x, and x = y meets x = 2 − y, at (1, 1); an unknown kind gives (0, 0).
    const EdgeLine sameKinds[] = {{1, 0, 1}, {-1, 2, 1}, {1, 0, 2}, {-1, 2, 2}, {5, 5, 7}};
    const std::vector<PointF> meets = PolygonVertices(sameKinds);
    EXPECT_DOUBLE_EQ(meets[1].x, 1.0);
    EXPECT_DOUBLE_EQ(meets[1].y, 1.0);
    EXPECT_DOUBLE_EQ(meets[3].x, 1.0);
    EXPECT_DOUBLE_EQ(meets[3].y, 1.0);
    EXPECT_EQ(meets[4].x, 0.0);
    EXPECT_EQ(meets[4].y, 0.0);

    // Two neighbours of equal slope: the vertex between them is not finite, and the polygon
    // draws the one-pixel fallback at its first finite vertex.
    const EdgeLine parallel[] = {{0, 1, 1}, {1, 0, 1}, {1, 2, 1}};
    const std::vector<PointF> broken = PolygonVertices(parallel);
    EXPECT_FALSE(std::isfinite(broken[2].x));
    const DeviceFrame frame = Frame(10.0);
    ExpectPixel(PolygonShape(broken, frame), {190, 140});  // vertex 0 is (−1, 1)
}

TEST(DeviceShapes, PlanePointsRoundHalvesUpwardOnADeviceWhoseYAxisPointsDown)
{
    const PointF mapped = MapToDevice({1.25, -0.35}, Frame(10.0, 100, 50));
    EXPECT_EQ(mapped.x, 113.0);  // 100 + R(12.5)
    EXPECT_EQ(mapped.y, 53.0);   // 50 − R(−3.5) = 50 − (−3)

    // A circle fills its box: left and top rounded down, right and bottom up.
    const DeviceFrame frame = Frame(10.0, 100, 100);
    const DeviceShape circle = CircleShape({1.0, 1.0}, 0.95, frame);
    ASSERT_EQ(circle.kind, Kind::Polygon);
    const DeviceRect box = Bounds(circle);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.right, 120);
    EXPECT_EQ(box.top, 80);
    EXPECT_EQ(box.bottom, 100);
    EXPECT_TRUE(CoversPlane(circle, {1.0, 1.0}, frame));
    EXPECT_FALSE(CoversPlane(circle, {1.8, 1.8}, frame));  // inside the box, outside the circle
}

TEST(DeviceShapes, DegenerateFiguresDrawOnePixelOrNothing)
{
    const DeviceFrame frame = Frame(10.0);
    ExpectPixel(CircleShape({1.0, 2.0}, 0.0, frame), {210, 130});
    ExpectPixel(CircleShape({1.0, 2.0}, kNaN, frame), {210, 130});
    EXPECT_EQ(CircleShape({kNaN, 2.0}, 1.0, frame).kind, Kind::Nothing);
    ExpectPixel(EllipseShape({0.0, 0.0}, 0.0, 3.0, 0.0, frame), {200, 150});
    ExpectPixel(EllipseShape({0.0, 0.0}, 2.0, 1.0, kNaN, frame), {200, 150});

    const PointF line[] = {{0, 0}, {1, 1}, {3, 3}};
    ExpectPixel(PolygonShape(line, frame), {200, 150});
    ExpectPixel(PolygonShape({}, frame), {0, 0});
    const PointF lost[] = {{kNaN, 0}, {std::numeric_limits<double>::infinity(), 1}};
    EXPECT_EQ(PolygonShape(lost, frame).kind, Kind::Nothing);
    // A point far outside is pulled to the guard frame's edge, not wrapped into range.
    const PointF far[] = {{1e300, 0}, {1e300, 0}};
    ExpectPixel(PolygonShape(far, frame), {1200, 150});

    const PointF square[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    EXPECT_EQ(PolygonShape(square, Frame(10.0, 0, 0, {0, 0, 0, 300})).kind, Kind::Nothing);
}

TEST(DeviceShapes, EllipseTurnsCounterClockwiseByItsAngle)
{
    const DeviceFrame frame = Frame(20.0);
    // 2 wide and 1 high, turned by 90°: twice as tall as it is wide.
    const DeviceShape upright = EllipseShape({0.0, 0.0}, 2.0, 1.0, -90.0 * std::numbers::pi / 180.0, frame);
    ASSERT_EQ(upright.kind, Kind::Polygon);
    const DeviceRect box = Bounds(upright);
    EXPECT_NEAR(box.Width(), 20, 1);
    EXPECT_NEAR(box.Height(), 40, 1);

    // Turned by 30°, the long axis rises to the right.
    const double angle = 30.0 * std::numbers::pi / 180.0;
    const DeviceShape tilted = EllipseShape({1.0, 0.5}, 2.0, 0.5, -angle, frame);
    const auto along = [&](double degrees) {
        const double a = degrees * std::numbers::pi / 180.0;
        return PointF{1.0 + 0.9 * std::cos(a), 0.5 + 0.9 * std::sin(a)};
    };
    EXPECT_TRUE(CoversPlane(tilted, along(30), frame));
    EXPECT_TRUE(CoversPlane(tilted, along(210), frame));
    EXPECT_FALSE(CoversPlane(tilted, along(-30), frame));
}

TEST(DeviceShapes, OpenPolylineClosesOnItsLeftInEveryDrawing)
{
    // The bias line of a differential characteristic drawn left to right: the region is above it.
    const PointF bias[] = {{0.0, 0.3}, {1.0, 0.3}, {3.0, 0.9}, {4.0, 1.6}};
    const PointF reversed[] = {bias[3], bias[2], bias[1], bias[0]};
    const PointF halfLine[] = {{0.0, 1.0}, {1.0, 1.0}};
    const DeviceFrame frames[] = {Frame(50.0, 20, 280), Frame(80.0, 0, 300, {0, 0, 200, 500}),
                                  Frame(60.0, 100, 150, {-50, -20, 350, 280}), Frame(1e4, 0, 0, {0, 0, 30, 20})};
    for (const DeviceFrame& frame : frames) {
        SCOPED_TRACE(frame.scale);
        const auto check = [&](const DeviceShape& shape, PointF probe, bool expected) {
            const PointF at = MapToDevice(probe, frame);
            const DeviceRect& clip = frame.clip;
            if (at.x > clip.left && at.x < clip.right && at.y > clip.top && at.y < clip.bottom) {
                EXPECT_EQ(CoversPlane(shape, probe, frame), expected) << probe.x << " " << probe.y;
            }
        };
        const DeviceShape above = OpenPolylineShape(bias, frame);
        const DeviceShape below = OpenPolylineShape(reversed, frame);
        const DeviceShape halfPlane = OpenPolylineShape(halfLine, frame);
        for (const PointF probe : {PointF{0.5, 1.0}, PointF{2.0, 1.0}, PointF{3.5, 2.0}}) {
            check(above, probe, true);
            check(below, probe, false);
        }
        for (const PointF probe : {PointF{0.5, 0.1}, PointF{2.0, 0.5}, PointF{3.5, 1.0}, PointF{-0.5, 0.0}}) {
            check(above, probe, false);
            check(below, probe, true);
        }
        check(halfPlane, {-1.0, 1.2}, true);
        check(halfPlane, {3.0, 0.8}, false);
    }
    // Drawn so large that every point but one lies far outside: the side stays the same.
    const DeviceFrame closeUp = Frame(1e4, -9990, 3020, {0, 0, 30, 40});
    const DeviceShape above = OpenPolylineShape(bias, closeUp);
    EXPECT_TRUE(CoversPlane(above, {1.001, 0.3005}, closeUp));
    EXPECT_FALSE(CoversPlane(above, {1.001, 0.2995}, closeUp));

    // Arms that lean inward and meet beyond both ends close at their meeting point (0, 4).
    const PointF cup[] = {{-0.5, 2.0}, {-1.0, 0.0}, {1.0, 0.0}, {0.5, 2.0}};
    const DeviceFrame frame = Frame(20.0, 200, 250);
    const DeviceShape closed = OpenPolylineShape(cup, frame);
    EXPECT_TRUE(CoversPlane(closed, {0.0, 3.5}, frame));
    EXPECT_FALSE(CoversPlane(closed, {0.0, 4.5}, frame));
    EXPECT_FALSE(CoversPlane(closed, {2.0, 1.0}, frame));
}

TEST(DeviceShapes, HugeAndManyCorneredFiguresStayWithinTheGuardFrame)
{
    const DeviceFrame frame = Frame(10.0);
    const DeviceRect guard = GuardFrame(frame);
    EXPECT_EQ(guard.left, -800);
    EXPECT_EQ(guard.bottom, 900);
    const auto withinGuard = [&](const DeviceShape& shape) {
        return std::all_of(shape.points.begin(), shape.points.end(), [&](const DevicePoint& p) {
            return p.x >= guard.left && p.x <= guard.right && p.y >= guard.top && p.y <= guard.bottom;
        });
    };
    const PointF huge[] = {{-1e200, -1e200}, {1e200, -1e200}, {0.0, 1e200}};
    const DeviceShape triangle = PolygonShape(huge, frame);
    ASSERT_EQ(triangle.kind, Kind::Polygon);
    EXPECT_TRUE(withinGuard(triangle));
    EXPECT_TRUE(CoversPlane(triangle, {0.0, 0.0}, frame));

    // A circle of a million units whose edge runs through the picture is still a circle there.
    const DeviceShape giant = CircleShape({1e6, 0.0}, 1e6 - 5.0, frame);
    ASSERT_EQ(giant.kind, Kind::Polygon);
    EXPECT_TRUE(withinGuard(giant));
    EXPECT_FALSE(CoversPlane(giant, {4.0, 0.0}, frame));
    EXPECT_TRUE(CoversPlane(giant, {6.0, 0.0}, frame));
    EXPECT_TRUE(CoversPlane(giant, {6.0, 10.0}, frame));

    std::vector<PointF> manyCorners(1'000'000);
    for (std::size_t i = 0; i < manyCorners.size(); ++i) {
        const double a = 2.0 * std::numbers::pi * double(i) / double(manyCorners.size());
        manyCorners[i] = {5.0 * std::cos(a), 5.0 * std::sin(a)};
    }
    const DeviceShape round = PolygonShape(manyCorners, frame);
    EXPECT_TRUE(CoversPlane(round, {4.0, 0.0}, frame));
    EXPECT_FALSE(CoversPlane(round, {4.0, 4.0}, frame));
}

} // namespace
} // namespace zarva
