#include "core/charbase/FigureGeometry.h"

#include "RegionProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace zarva {
namespace {

using Kind = DeviceShape::Kind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDegree = std::numbers::pi / 180.0;

DeviceFrame Frame(double scale, int originX = 200, int originY = 150, DeviceRect clip = {0, 0, 400, 300})
{
    return {scale, originX, originY, clip};
}

bool CoversPlane(const DeviceShape& shape, PointF plane, const DeviceFrame& frame)
{
    return test::Covers(shape, MapToDevice(plane, frame));
}

DeviceRect Bounds(const DeviceShape& shape)
{
    DeviceRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const DevicePoint& p : shape.points)
        box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};
    return box;
}

void ExpectPixel(const DeviceShape& shape, DevicePoint at)
{
    ASSERT_EQ(shape.kind, Kind::Pixel);
    EXPECT_EQ(shape.points.front(), at);
}

TEST(PolygonVertices, NeighbouringEdgesMeetByTheirKindsAndParallelOnesFallBack)
{
    // A 2 × 1 rectangle alternates kinds 1 and 2; y = x meets y = 2 − x and x = y meets
    // x = 2 − y at (1, 1); an unknown kind gives (0, 0).
    const EdgeLine edges[] = {{0, 0, 1}, {0, 2, 2}, {0, 1, 1}, {0, 0, 2}, {1, 0, 1}, {-1, 2, 1}, {1, 0, 2}, {-1, 2, 2}, {5, 5, 7}};
    const std::vector<PointF> v = PolygonVertices(std::span(edges).first(4));
    const std::vector<PointF> w = PolygonVertices(std::span(edges).subspan(4));
    const PointF got[] = {v[0], v[1], v[2], v[3], w[1], w[3], w[4]};
    const PointF expected[] = {{0, 0}, {2, 0}, {2, 1}, {0, 1}, {1, 1}, {1, 1}, {0, 0}};
    for (std::size_t i = 0; i < std::size(got); ++i) {
        EXPECT_DOUBLE_EQ(got[i].x, expected[i].x) << i;
        EXPECT_DOUBLE_EQ(got[i].y, expected[i].y) << i;
    }
    // Two neighbours of equal slope: their vertex is not finite, and the polygon draws the
    // one-pixel fallback at its first vertex, (−1, 1).
    const EdgeLine parallel[] = {{0, 1, 1}, {1, 0, 1}, {1, 2, 1}};
    const std::vector<PointF> broken = PolygonVertices(parallel);
    EXPECT_FALSE(std::isfinite(broken[2].x));
    ExpectPixel(PolygonShape(broken, Frame(10.0)), {190, 140});
}

TEST(DeviceShapes, PointsRoundHalvesUpwardAndDegenerateFiguresDrawOnePixelOrNothing)
{
    const PointF mapped = MapToDevice({1.25, -0.35}, Frame(10.0, 100, 50));
    EXPECT_EQ(mapped.x, 113.0);  // 100 + R(12.5)
    EXPECT_EQ(mapped.y, 53.0);   // 50 − R(−3.5)
    // A circle fills its box, rounded outward: left 0.5 px and top −19.5 px down, right 19.5 up.
    const DeviceFrame frame = Frame(10.0, 100, 100);
    const DeviceShape circle = CircleShape({1.0, 1.0}, 0.95, frame);
    const DeviceRect box = Bounds(circle);
    EXPECT_EQ(std::vector<int>({box.left, box.top, box.right, box.bottom}), std::vector<int>({100, 80, 120, 100}));
    EXPECT_TRUE(CoversPlane(circle, {1.0, 1.0}, frame));
    EXPECT_FALSE(CoversPlane(circle, {1.8, 1.8}, frame));

    const PointF line[] = {{0, 0}, {1, 1}, {3, 3}};
    const PointF lost[] = {{kNaN, 0}, {std::numeric_limits<double>::infinity(), 1}};
    const PointF far[] = {{1e300, 0}, {1e300, 0}};
    ExpectPixel(CircleShape({-1.0, 2.0}, 0.0, frame), {90, 80});
    ExpectPixel(CircleShape({-1.0, 2.0}, kNaN, frame), {90, 80});
    ExpectPixel(EllipseShape({0.0, 0.0}, 0.0, 3.0, 0.0, frame), {100, 100});
    ExpectPixel(EllipseShape({0.0, 0.0}, 2.0, 1.0, kNaN, frame), {100, 100});
    ExpectPixel(PolygonShape(line, frame), {100, 100});
    ExpectPixel(PolygonShape({}, frame), {0, 0});
    ExpectPixel(PolygonShape(far, frame), {1200, 100});  // pulled to the guard frame, not wrapped
    EXPECT_EQ(CircleShape({kNaN, 2.0}, 1.0, frame).kind, Kind::Nothing);
    EXPECT_EQ(PolygonShape(lost, frame).kind, Kind::Nothing);
    EXPECT_EQ(CircleShape({0, 0}, 1.0, Frame(10.0, 0, 0, {0, 0, 0, 300})).kind, Kind::Nothing);
}

TEST(DeviceShapes, EllipseTurnsCounterClockwiseByItsAngle)
{
    const DeviceFrame frame = Frame(20.0);
    const DeviceRect upright = Bounds(EllipseShape({0.0, 0.0}, 2.0, 1.0, -90.0 * kDegree, frame));
    EXPECT_NEAR(upright.Width(), 20, 1);
    EXPECT_NEAR(upright.Height(), 40, 1);
    // Turned by 30°, the long axis rises to the right.
    const DeviceShape tilted = EllipseShape({1.0, 0.5}, 2.0, 0.5, -30.0 * kDegree, frame);
    const auto along = [](double degrees) {
        return PointF{1.0 + 0.9 * std::cos(degrees * kDegree), 0.5 + 0.9 * std::sin(degrees * kDegree)};
    };
    EXPECT_TRUE(CoversPlane(tilted, along(30), frame));
    EXPECT_TRUE(CoversPlane(tilted, along(210), frame));
    EXPECT_FALSE(CoversPlane(tilted, along(-30), frame));
}

TEST(DeviceShapes, OpenPolylineClosesOnItsLeftInEveryDrawing)
{
    // A differential bias line drawn left to right: the region is above it.
    const PointF bias[] = {{0.0, 0.3}, {1.0, 0.3}, {3.0, 0.9}, {4.0, 1.6}};
    const PointF reversed[] = {bias[3], bias[2], bias[1], bias[0]};
    const PointF halfLine[] = {{0.0, 0.7}, {1.0, 0.7}};
    const PointF above[] = {{0.5, 1.0}, {2.0, 1.0}, {3.5, 2.0}, {-1.0, 1.2}};
    const PointF below[] = {{0.5, 0.1}, {2.0, 0.5}, {3.5, 1.0}, {-0.5, 0.0}};
    for (const DeviceFrame& frame : {Frame(50.0, 20, 280), Frame(80.0, 0, 300, {0, 0, 200, 500}),
                                     Frame(60.0, 100, 150, {-50, -20, 350, 280})}) {
        SCOPED_TRACE(frame.scale);
        const DeviceShape shapes[] = {OpenPolylineShape(bias, frame), OpenPolylineShape(reversed, frame)};
        const DeviceShape halfPlane = OpenPolylineShape(halfLine, frame);
        for (std::size_t i = 0; i < std::size(above); ++i) {
            for (const auto& [probe, isAbove] : {std::pair(above[i], true), std::pair(below[i], false)}) {
                const PointF at = MapToDevice(probe, frame);
                if (at.x <= frame.clip.left || at.x >= frame.clip.right || at.y <= frame.clip.top || at.y >= frame.clip.bottom)
                    continue;
                EXPECT_EQ(CoversPlane(shapes[0], probe, frame), isAbove) << probe.x << " " << probe.y;
                EXPECT_EQ(CoversPlane(shapes[1], probe, frame), !isAbove) << probe.x << " " << probe.y;
                EXPECT_EQ(CoversPlane(halfPlane, probe, frame), probe.y > 0.7) << probe.x << " " << probe.y;
            }
        }
    }
    // Drawn so large that all points but one lie far outside: still the same side.
    const DeviceFrame closeUp = Frame(1e4, -9990, 3020, {0, 0, 30, 40});
    EXPECT_TRUE(CoversPlane(OpenPolylineShape(bias, closeUp), {1.001, 0.3005}, closeUp));
    EXPECT_FALSE(CoversPlane(OpenPolylineShape(bias, closeUp), {1.001, 0.2995}, closeUp));

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
    EXPECT_EQ(std::vector<int>({guard.left, guard.top, guard.right, guard.bottom}), std::vector<int>({-800, -600, 1200, 900}));
    const PointF huge[] = {{-1e200, -1e200}, {1e200, -1e200}, {0.0, 1e200}};
    const DeviceShape triangle = PolygonShape(huge, frame);
    const DeviceRect box = Bounds(triangle);
    EXPECT_TRUE(box.left >= guard.left && box.right <= guard.right && box.top >= guard.top && box.bottom <= guard.bottom);
    EXPECT_TRUE(CoversPlane(triangle, {0.0, 0.0}, frame));

    // A circle of a million units whose edge runs through the picture is still a circle there.
    const DeviceShape giant = CircleShape({1e6, 0.0}, 1e6 - 5.0, frame);
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
