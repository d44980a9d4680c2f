#pragma once

#include "core/charbase/FigureGeometry.h"

#include <memory>
#include <string>
#include <vector>

namespace zarva {

class Calculator;

// How a figure's region is merged into the region of the figures before it.
enum class Combine { And = 1, Or = 2, Xor = 3, Not = 4 };

// A plane figure of a characteristic. Its coordinates are expressions over the
// characteristic's parameters and variables; Evaluate turns them into numbers, Shape into
// a device outline.
class Figure {
public:
    virtual ~Figure() = default;

    virtual std::unique_ptr<Figure> Clone() const = 0;
    // Evaluates every expression with the context's variables; raises the evaluator's errors.
    virtual void Evaluate(Calculator& context) = 0;
    virtual DeviceShape Shape(const DeviceFrame& frame) const = 0;
    // The largest absolute plane coordinate the figure reaches; non-finite numbers are left out.
    virtual double Extent() const = 0;

    bool on = false;  // an operating figure; otherwise a return figure
    // A figure whose "type" names no combination joins the ones before it by union: the way
    // a zone is most naturally built from several pieces.
    Combine combine = Combine::Or;
};

// A polygon whose edges are lines; vertex i is where edge i−1 meets edge i.
class PolygonF final : public Figure {
public:
    struct Edge {
        std::string k;
        std::string b;
        int kind = 0;  // 1: y = k·x + b, 2: x = k·y + b
    };

    std::unique_ptr<Figure> Clone() const override;
    void Evaluate(Calculator& context) override;
    DeviceShape Shape(const DeviceFrame& frame) const override;
    double Extent() const override;

    std::vector<Edge> edges;
    std::vector<PointF> vertices;  // one per edge
};

class Circle final : public Figure {
public:
    std::unique_ptr<Figure> Clone() const override;
    void Evaluate(Calculator& context) override;
    DeviceShape Shape(const DeviceFrame& frame) const override;
    double Extent() const override;

    std::string xcenter, ycenter, radius;
    PointF centre;
    double r = 0.0;
};

class EllipseF final : public Figure {
public:
    std::unique_ptr<Figure> Clone() const override;
    void Evaluate(Calculator& context) override;
    DeviceShape Shape(const DeviceFrame& frame) const override;
    double Extent() const override;

    std::string xcenter, ycenter, width, height, angle;  // angle: degrees, counter-clockwise
    PointF centre;
    double w = 0.0;
    double h = 0.0;
    double rotation = 0.0;  // radians, the angle negated
};

// A list of points: a closed polygon, or an open polyline closed along the drawing's frame.
class PolypointF final : public Figure {
public:
    struct Point {
        std::string x;
        std::string y;
    };

    std::unique_ptr<Figure> Clone() const override;
    void Evaluate(Calculator& context) override;
    DeviceShape Shape(const DeviceFrame& frame) const override;
    double Extent() const override;

    std::vector<Point> points;
    std::vector<PointF> values;  // one per point
    bool closed = true;
};

// The real number of one expression over the context's variables.
double EvaluateExpression(Calculator& context, const std::string& expression);

} // namespace zarva
