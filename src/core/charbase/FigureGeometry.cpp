#include "core/charbase/FigureGeometry.h"

#include "core/model/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

namespace zarva {
namespace {

// Coordinates beyond this are pulled in before clipping, so no difference of two overflows.
constexpr double kFarthest = 1e150;
// The largest gap, in pixels, between a flattened ellipse and the true curve.
constexpr double kFlatness = 0.25;
constexpr std::size_t kFewestEllipsePoints = 8;
constexpr std::size_t kMostEllipsePoints = 16384;

bool Finite(PointF p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

PointF Minus(PointF a, PointF b)
{
    return {a.x - b.x, a.y - b.y};
}

double Cross(PointF a, PointF b)
{
    return a.x * b.y - a.y * b.x;
}

PointF ClampInto(PointF p, const DeviceRect& rect)
{
    return {std::clamp(p.x, double(rect.left), double(rect.right)),
            std::clamp(p.y, double(rect.top), double(rect.bottom))};
}

bool ClipIsEmpty(const DeviceFrame& frame)
{
    return frame.clip.Width() <= 0 || frame.clip.Height() <= 0;
}

// One side of the clipping rectangle: the points whose x (or y) is on the kept side of `bound`.
struct ClipSide {
    bool onX;
    double bound;
    bool keepAbove;

    double Coordinate(PointF p) const { return onX ? p.x : p.y; }
    bool Keeps(PointF p) const { return keepAbove ? Coordinate(p) >= bound : Coordinate(p) <= bound; }

    PointF Crossing(PointF a, PointF b) const
    {
        const double t = (bound - Coordinate(a)) / (Coordinate(b) - Coordinate(a));
        PointF p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        (onX ? p.x : p.y) = bound;
        return p;
    }
};

std::vector<PointF> ClipBySide(const std::vector<PointF>& polygon, const ClipSide& side)
{
    std::vector<PointF> kept;
    kept.reserve(polygon.size() + 4);
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const PointF previous = polygon[(i + polygon.size() - 1) % polygon.size()];
        const PointF current = polygon[i];
        if (side.Keeps(current) != side.Keeps(previous))
            kept.push_back(side.Crossing(previous, current));
        if (side.Keeps(current))
            kept.push_back(current);
    }
    return kept;
}

// Sutherland–Hodgman: exact inside a convex window, whatever the polygon.
std::vector<PointF> ClipToRect(std::vector<PointF> polygon, const DeviceRect& rect)
{
    const ClipSide sides[] = {{true, double(rect.left), true},
                              {true, double(rect.right), false},
                              {false, double(rect.top), true},
                              {false, double(rect.bottom), false}};
    for (const ClipSide& side : sides)
        polygon = ClipBySide(polygon, side);
    return polygon;
}

// At least three points not all on one line.
bool HasArea(const std::vector<DevicePoint>& points)
{
    if (points.size() < 3)
        return false;
    const DevicePoint origin = points.front();
    const auto direction = std::find_if(points.begin(), points.end(),
                                        [&](const DevicePoint& p) { return !(p == origin); });
    if (direction == points.end())
        return false;
    const std::int64_t dx = direction->x - origin.x;
    const std::int64_t dy = direction->y - origin.y;
    return std::any_of(direction, points.end(), [&](const DevicePoint& p) {
        return dx * (p.y - origin.y) - dy * (p.x - origin.x) != 0;
    });
}

DeviceShape Fallback(std::optional<PointF> anchor, const DeviceFrame& frame)
{
    if (!anchor || !Finite(*anchor))
        return {};
    const PointF inside = ClampInto(*anchor, GuardFrame(frame));
    return {DeviceShape::Kind::Pixel, {{RoundToInt32(inside.x), RoundToInt32(inside.y)}}};
}

// The finished outline: pulled in, clipped to the guard frame and rounded; the fallback at
// `anchor` when nothing with an area is left.
DeviceShape Outline(std::vector<PointF> polygon, std::optional<PointF> anchor, const DeviceFrame& frame)
{
    for (PointF& p : polygon)
        p = {std::clamp(p.x, -kFarthest, kFarthest), std::clamp(p.y, -kFarthest, kFarthest)};
    polygon = ClipToRect(std::move(polygon), GuardFrame(frame));
    DeviceShape shape{DeviceShape::Kind::Polygon, {}};
    shape.points.reserve(polygon.size());
    for (const PointF& p : polygon) {
        const DevicePoint rounded{RoundToInt32(p.x), RoundToInt32(p.y)};
        if (shape.points.empty() || !(rounded == shape.points.back()))
            shape.points.push_back(rounded);
    }
    if (shape.points.size() > 1 && shape.points.front() == shape.points.back())
        shape.points.pop_back();
    return HasArea(shape.points) ? shape : Fallback(anchor, frame);
}

// The plane points on the device; the first finite one anchors the fallback.
struct MappedPoints {
    std::vector<PointF> points;
    std::optional<PointF> anchor;
    bool allFinite = true;
};

MappedPoints MapAll(std::span<const PointF> points, const DeviceFrame& frame)
{
    MappedPoints mapped;
    mapped.points.reserve(points.size());
    for (const PointF& point : points) {
        const PointF device = MapToDevice(point, frame);
        if (!Finite(device))
            mapped.allFinite = false;
        else if (!mapped.anchor)
            mapped.anchor = device;
        mapped.points.push_back(device);
    }
    return mapped;
}

// Enough points that no chord strays more than kFlatness from an arc of that radius, a
// multiple of four so the extreme points are among them.
std::size_t EllipsePointCount(double radius)
{
    const double wanted = std::numbers::pi * std::sqrt(radius / (2.0 * kFlatness));
    if (!(wanted < double(kMostEllipsePoints)))
        return kMostEllipsePoints;
    return std::max(kFewestEllipsePoints, static_cast<std::size_t>(std::ceil(wanted / 4.0)) * 4);
}

// Points of the ellipse inscribed in a box.
std::vector<PointF> EllipsePoints(double left, double top, double right, double bottom)
{
    const double centreX = (left + right) / 2.0;
    const double centreY = (top + bottom) / 2.0;
    const double radiusX = std::abs(right - left) / 2.0;
    const double radiusY = std::abs(bottom - top) / 2.0;
    std::vector<PointF> points(EllipsePointCount(std::max(radiusX, radiusY)));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double angle = 2.0 * std::numbers::pi * double(i) / double(points.size());
        points[i] = {centreX + radiusX * std::cos(angle), centreY + radiusY * std::sin(angle)};
    }
    return points;
}

// Where the ray from `start` (inside the rectangle) along `direction` leaves it.
PointF RayToFrame(PointF start, PointF direction, const DeviceRect& rect)
{
    double reach = kFarthest;
    if (direction.x > 0.0)
        reach = std::min(reach, (rect.right - start.x) / direction.x);
    else if (direction.x < 0.0)
        reach = std::min(reach, (rect.left - start.x) / direction.x);
    if (direction.y > 0.0)
        reach = std::min(reach, (rect.bottom - start.y) / direction.y);
    else if (direction.y < 0.0)
        reach = std::min(reach, (rect.top - start.y) / direction.y);
    return ClampInto({start.x + reach * direction.x, start.y + reach * direction.y}, rect);
}

// The position of a point on the rectangle's boundary, walking clockwise on the device from
// the top-left corner: 0 to 1 along the top, 1 to 2 down the right side, and so on to 4.
double PerimeterPosition(PointF p, const DeviceRect& rect)
{
    const double width = rect.Width();
    const double height = rect.Height();
    const double distances[] = {std::abs(p.y - rect.top), std::abs(p.x - rect.right),
                                std::abs(p.y - rect.bottom), std::abs(p.x - rect.left)};
    const auto side = std::min_element(std::begin(distances), std::end(distances)) - std::begin(distances);
    switch (side) {
    case 0: return (p.x - rect.left) / width;
    case 1: return 1.0 + (p.y - rect.top) / height;
    case 2: return 2.0 + (rect.right - p.x) / width;
    default: return std::fmod(3.0 + (rect.bottom - p.y) / height, 4.0);
    }
}

PointF Corner(int index, const DeviceRect& rect)
{
    switch (index) {
    case 0: return {double(rect.left), double(rect.top)};
    case 1: return {double(rect.right), double(rect.top)};
    case 2: return {double(rect.right), double(rect.bottom)};
    default: return {double(rect.left), double(rect.bottom)};
    }
}

// The corners met walking counter-clockwise as seen (towards lower positions) from `exit`
// to `entry`, so the frame closes the region on the left of the polyline.
void AddCornersBetween(std::vector<PointF>& polygon, PointF exit, PointF entry, const DeviceRect& rect)
{
    const double from = PerimeterPosition(exit, rect);
    const double span = std::fmod(from - PerimeterPosition(entry, rect) + 8.0, 4.0);
    int corner = static_cast<int>(std::ceil(from)) - 1;
    for (int step = 0; step < 4 && from - corner < span; ++step, --corner)
        polygon.push_back(Corner((corner % 4 + 4) % 4, rect));
}

} // namespace

std::vector<PointF> PolygonVertices(std::span<const EdgeLine> edges)
{
    std::vector<PointF> vertices(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const EdgeLine& previous = edges[i == 0 ? edges.size() - 1 : i - 1];
        const EdgeLine& current = edges[i];
        const double k1 = previous.k, b1 = previous.b, k2 = current.k, b2 = current.b;
        PointF& v = vertices[i];
        if (previous.kind == 1 && current.kind == 1) {
            v.x = (b2 - b1) / (k1 - k2);
            v.y = k1 * v.x + b1;
        } else if (previous.kind == 1 && current.kind == 2) {
            v.y = (k1 * b2 + b1) / (1.0 - k2 * k1);
            v.x = k2 * v.y + b2;
        } else if (previous.kind == 2 && current.kind == 2) {
            v.y = (b2 - b1) / (k1 - k2);
            v.x = k1 * v.y + b1;
        } else if (previous.kind == 2 && current.kind == 1) {
            v.x = (k1 * b2 + b1) / (1.0 - k2 * k1);
            v.y = k2 * v.x + b2;
        }
    }
    return vertices;
}

PointF MapToDevice(PointF point, const DeviceFrame& frame)
{
    return {frame.originX + RoundHalfUp(point.x * frame.scale), frame.originY - RoundHalfUp(point.y * frame.scale)};
}

DeviceRect GuardFrame(const DeviceFrame& frame)
{
    const DeviceRect& clip = frame.clip;
    const int width = clip.Width();
    const int height = clip.Height();
    return {clip.left - 2 * width, clip.top - 2 * height, clip.right + 2 * width, clip.bottom + 2 * height};
}

DeviceShape PolygonShape(std::span<const PointF> points, const DeviceFrame& frame)
{
    if (ClipIsEmpty(frame))
        return {};
    if (points.empty())
        return {DeviceShape::Kind::Pixel, {{0, 0}}};
    MappedPoints mapped = MapAll(points, frame);
    if (!mapped.allFinite)
        return Fallback(mapped.anchor, frame);
    return Outline(std::move(mapped.points), mapped.anchor, frame);
}

DeviceShape CircleShape(PointF centre, double radius, const DeviceFrame& frame)
{
    if (ClipIsEmpty(frame))
        return {};
    const PointF mapped = MapToDevice(centre, frame);
    const double s = frame.scale;
    const double left = frame.originX + std::floor((centre.x - radius) * s);
    const double top = frame.originY + std::floor(-(centre.y + radius) * s);
    const double right = frame.originX + std::ceil((centre.x + radius) * s);
    const double bottom = frame.originY + std::ceil((radius - centre.y) * s);
    if (!Finite({left, top}) || !Finite({right, bottom}))
        return Fallback(mapped, frame);
    return Outline(EllipsePoints(left, top, right, bottom), mapped, frame);
}

DeviceShape EllipseShape(PointF centre, double width, double height, double rotation, const DeviceFrame& frame)
{
    if (ClipIsEmpty(frame))
        return {};
    const PointF mapped = MapToDevice(centre, frame);
    const double w = width * frame.scale;
    const double h = height * frame.scale;
    if (!Finite(mapped) || !std::isfinite(w) || !std::isfinite(h) || !std::isfinite(rotation))
        return Fallback(mapped, frame);
    std::vector<PointF> points = EllipsePoints(std::floor(-w / 2), std::floor(-h / 2), std::ceil(w / 2), std::ceil(h / 2));
    const double cosine = std::cos(rotation);
    const double sine = std::sin(rotation);
    for (PointF& p : points) {
        p = {mapped.x + RoundHalfUp(p.x * cosine - p.y * sine), mapped.y + RoundHalfUp(p.y * cosine + p.x * sine)};
    }
    return Outline(std::move(points), mapped, frame);
}

DeviceShape OpenPolylineShape(std::span<const PointF> points, const DeviceFrame& frame)
{
    if (points.size() < 2)
        return PolygonShape(points, frame);
    if (ClipIsEmpty(frame))
        return {};
    MappedPoints mapped = MapAll(points, frame);
    if (!mapped.allFinite)
        return Fallback(mapped.anchor, frame);
    std::vector<PointF>& line = mapped.points;
    line.erase(std::unique(line.begin(), line.end(), [](PointF a, PointF b) { return a.x == b.x && a.y == b.y; }),
               line.end());
    if (line.size() < 2)
        return Fallback(mapped.anchor, frame);

    const PointF first = line.front();
    const PointF last = line.back();
    const PointF firstDirection = Minus(line[1], first);
    const PointF lastDirection = Minus(last, line[line.size() - 2]);
    const double determinant = Cross(firstDirection, lastDirection);
    if (std::abs(determinant) >= 1e-6) {
        const PointF between = Minus(last, first);
        const double back = Cross(between, lastDirection) / determinant;
        const double ahead = Cross(between, firstDirection) / determinant;
        if (back <= 0.0 && ahead >= 0.0) {
            line.push_back({first.x + back * firstDirection.x, first.y + back * firstDirection.y});
            return Outline(std::move(line), mapped.anchor, frame);
        }
    }
    const DeviceRect guard = GuardFrame(frame);
    const PointF entry = RayToFrame(ClampInto(first, guard), {-firstDirection.x, -firstDirection.y}, guard);
    const PointF exit = RayToFrame(ClampInto(last, guard), lastDirection, guard);
    line.insert(line.begin(), entry);
    line.push_back(exit);
    AddCornersBetween(line, exit, entry, guard);
    return Outline(std::move(line), mapped.anchor, frame);
}

} // namespace zarva
