#include "core/charbase/Figure.h"

#include "core/formula/Calculator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarva {
namespace {

double Largest(double a, double b)
{
    return std::isfinite(b) ? std::max(a, std::abs(b)) : a;
}

double LargestCoordinate(const std::vector<PointF>& points)
{
    double largest = 0.0;
    for (const PointF& p : points) {
        if (std::isfinite(p.x) && std::isfinite(p.y))
            largest = Largest(Largest(largest, p.x), p.y);
    }
    return largest;
}

// The largest coordinate of a figure reaching `reach` around a centre.
double ExtentAround(PointF centre, double reach)
{
    const double extent = Largest(Largest(0.0, centre.x), centre.y);
    return std::isfinite(reach) && std::isfinite(extent + std::abs(reach)) ? extent + std::abs(reach) : extent;
}

PointF EvaluatePoint(Calculator& context, const std::string& x, const std::string& y)
{
    return {EvaluateExpression(context, x), EvaluateExpression(context, y)};
}

} // namespace

double EvaluateExpression(Calculator& context, const std::string& expression)
{
    context.Tokenize(expression);
    return context.Evaluate().real;
}

std::unique_ptr<Figure> PolygonF::Clone() const
{
    return std::make_unique<PolygonF>(*this);
}

void PolygonF::Evaluate(Calculator& context)
{
    std::vector<EdgeLine> lines(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i)
        lines[i] = {EvaluateExpression(context, edges[i].k), EvaluateExpression(context, edges[i].b), edges[i].kind};
    vertices = PolygonVertices(lines);
}

DeviceShape PolygonF::Shape(const DeviceFrame& frame) const
{
    return PolygonShape(vertices, frame);
}

double PolygonF::Extent() const
{
    return LargestCoordinate(vertices);
}

std::unique_ptr<Figure> Circle::Clone() const
{
    return std::make_unique<Circle>(*this);
}

void Circle::Evaluate(Calculator& context)
{
    centre = EvaluatePoint(context, xcenter, ycenter);
    r = EvaluateExpression(context, radius);
}

DeviceShape Circle::Shape(const DeviceFrame& frame) const
{
    return CircleShape(centre, r, frame);
}

double Circle::Extent() const
{
    return ExtentAround(centre, r);
}

std::unique_ptr<Figure> EllipseF::Clone() const
{
    return std::make_unique<EllipseF>(*this);
}

void EllipseF::Evaluate(Calculator& context)
{
    centre = EvaluatePoint(context, xcenter, ycenter);
    w = EvaluateExpression(context, width);
    h = EvaluateExpression(context, height);
    rotation = EvaluateExpression(context, angle) * -std::numbers::pi / 180.0;
}

DeviceShape EllipseF::Shape(const DeviceFrame& frame) const
{
    return EllipseShape(centre, w, h, rotation, frame);
}

double EllipseF::Extent() const
{
    return ExtentAround(centre, std::max(std::abs(w), std::abs(h)) / 2.0);
}

std::unique_ptr<Figure> PolypointF::Clone() const
{
    return std::make_unique<PolypointF>(*this);
}

void PolypointF::Evaluate(Calculator& context)
{
    values.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        values[i] = EvaluatePoint(context, points[i].x, points[i].y);
}

DeviceShape PolypointF::Shape(const DeviceFrame& frame) const
{
    return closed ? PolygonShape(values, frame) : OpenPolylineShape(values, frame);
}

double PolypointF::Extent() const
{
    return LargestCoordinate(values);
}

} // namespace zarva
