#pragma once

namespace zarva {

// The numbers behind the scales of the circle (impedance-plane) and differential diagrams.

// Rounded up in magnitude to one significant digit, sign kept: 0.37 gives 0.4, 123 gives 200.
// Zero, and a number that is not finite, give 0.
double RoundUpToOneDigit(double value);

// The side of a grid cell in pixels: a fifth of a logical inch, times the line-width factor
// (1 on screen, larger when printing).
double GridCellPixels(double pixelsPerInch, double lineWidthFactor);

// Whole grid cells from the centre of a plot to its nearest edge; at least 1.
int CellsToNearestEdge(int width, int height, double cellPixels);

// The largest absolute coordinate of a trajectory; a point with a NaN part adds nothing.
class PointExtent {
public:
    void Add(double x, double y);
    double Largest() const { return largest_; }

private:
    double largest_ = 0.0;
};

// The value of one grid cell as drawn and the pixels per unit; both 0 when there is nothing
// to scale (an extent of 0).
struct AxisScale {
    double cellValue = 0.0;
    double pixelsPerUnit = 0.0;
};

// Characteristics are drawn only while they reach less than this many pixels (times the
// line-width factor) from the origin.
constexpr double kCharacteristicReachLimit = 800.0;

struct CircleScaleInput {
    double impedanceExtent = 0.0;       // "Ohm" channels and resistance pairs
    double powerExtent = 0.0;           // "VA" channels
    double characteristicExtent = 0.0;  // the selected block type's visible characteristics
    double cellPixels = 0.0;
    int cellsToEdge = 1;
    double zoom = 1.0;  // multiplies the pixel scale
    double lineWidthFactor = 1.0;
};

struct CircleScale {
    AxisScale impedance;
    AxisScale power;
    bool drawCharacteristics = false;
};

// Each kind of source has its own scale on the same grid: its extent over the cells to the
// nearest edge, rounded up to one digit. When the characteristics would reach beyond the
// limit at the impedance scale (or there is no impedance source to scale by), the impedance
// scale is taken from the larger of the two extents; the characteristics are drawn only if
// they then stay within the limit.
CircleScale ComputeCircleScale(const CircleScaleInput& input);

// The differential diagram's scale: `extent` (the larger of the visible characteristics'
// and the currents') over the whole cells that fit in `plotPixels`, divided by the zoom and
// rounded up to one digit.
AxisScale DifferentialScale(double extent, int plotPixels, double cellPixels, double zoom);

} // namespace zarva
