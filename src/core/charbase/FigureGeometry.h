#pragma once

#include <span>
#include <vector>

namespace zarva {

// A point as reals: on the characteristic plane (R or braking current to the right, X or
// differential current upward) or on the device before rounding.
struct PointF {
    double x = 0.0;
    double y = 0.0;
};

// A polygon edge: the line y = k·x + b (kind 1) or x = k·y + b (kind 2).
struct EdgeLine {
    double k = 0.0;
    double b = 0.0;
    int kind = 0;
};

// Vertex i is where edge i−1 (the last edge for i = 0) meets edge i. Parallel neighbours
// give a non-finite vertex; a pair with a kind other than 1 or 2 gives (0, 0).
std::vector<PointF> PolygonVertices(std::span<const EdgeLine> edges);

struct DevicePoint {
    int x = 0;
    int y = 0;

    bool operator==(const DevicePoint&) const = default;
};

struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// How the plane is drawn: `scale` pixels per unit, the plane's origin at the device point
// (originX, originY), the device y axis pointing down; `clip` is the drawing rectangle.
struct DeviceFrame {
    double scale = 1.0;
    int originX = 0;
    int originY = 0;
    DeviceRect clip;
};

// (originX + R(x·scale), originY − R(y·scale)), R rounding halves upward. Kept as reals, so
// a far point stays representable; not finite when the product is not.
PointF MapToDevice(PointF point, const DeviceFrame& frame);

// The clip rectangle widened by twice its width and height on every side. Every shape lies
// inside it, so device coordinates never overflow, whatever the figure's numbers.
DeviceRect GuardFrame(const DeviceFrame& frame);

// A figure's outline on the device, to be filled by the odd-even rule. A degenerate figure
// (no area, non-finite numbers) draws the one-pixel rectangle Pixel at points[0] instead;
// Nothing draws nothing (no finite point to put it at, or an empty clip rectangle).
struct DeviceShape {
    enum class Kind { Nothing, Polygon, Pixel };

    Kind kind = Kind::Nothing;
    std::vector<DevicePoint> points;
};

// A closed polygon through the plane points. Without points: the pixel at (0, 0).
DeviceShape PolygonShape(std::span<const PointF> points, const DeviceFrame& frame);

// A circle: the ellipse inscribed in the box from (floor((xc − r)·s), floor(−(yc + r)·s)) to
// (ceil((xc + r)·s), ceil((r − yc)·s)) around the origin, flattened.
DeviceShape CircleShape(PointF centre, double radius, const DeviceFrame& frame);

// An ellipse of full axes `width` and `height` (plane units) turned by `rotation` radians
// (negative turns counter-clockwise as seen), flattened and rounded point by point.
DeviceShape EllipseShape(PointF centre, double width, double height, double rotation,
                         const DeviceFrame& frame);

// An open polyline closed into a region. When the first segment extended backward and the
// last one extended forward meet beyond both ends, the region is the polyline plus that
// point. Otherwise both extensions run to the guard frame and the region is the part of the
// frame to the left of the polyline as seen walking from its first point to its last.
DeviceShape OpenPolylineShape(std::span<const PointF> points, const DeviceFrame& frame);

} // namespace zarva
