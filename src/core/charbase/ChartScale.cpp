#include "core/charbase/ChartScale.h"

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

// One cell of `cellValue` drawn `cellPixels` wide, magnified by the zoom.
AxisScale ZoomedScale(double cellValue, double cellPixels, double zoom)
{
    if (cellValue == 0.0 || !(zoom > 0.0) || !(cellPixels > 0.0))
        return {};
    return {cellValue / zoom, zoom * cellPixels / cellValue};
}

} // namespace

double RoundUpToOneDigit(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return 0.0;
    const double magnitude = std::abs(value);
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    const double power = std::pow(10.0, std::abs(exponent));
    if (!std::isfinite(power))
        return value;
    // Powers of ten are exact, so mantissa and result carry only the error of one operation.
    const auto scaled = [&](double x, bool down) { return (exponent >= 0) == down ? x / power : x * power; };
    const double mantissa = scaled(magnitude, true);
    // Slightly above a whole digit through rounding is that digit.
    const double rounded = scaled(std::ceil(mantissa * (1.0 - 1e-12)), false);
    return std::isfinite(rounded) ? std::copysign(rounded, value) : value;
}

double GridCellPixels(double pixelsPerInch, double lineWidthFactor)
{
    return pixelsPerInch * lineWidthFactor / 5.0;
}

int CellsToNearestEdge(int width, int height, double cellPixels)
{
    if (!(cellPixels > 0.0))
        return 1;
    return std::max(1, static_cast<int>(std::min(width, height) / 2 / cellPixels));
}

void PointExtent::Add(double x, double y)
{
    if (std::isnan(x) || std::isnan(y))
        return;
    largest_ = std::max({largest_, std::abs(x), std::abs(y)});
}

CircleScale ComputeCircleScale(const CircleScaleInput& input)
{
    const auto scaleFor = [&](double extent) {
        return ZoomedScale(RoundUpToOneDigit(extent / std::max(1, input.cellsToEdge)), input.cellPixels, input.zoom);
    };
    CircleScale scale{scaleFor(input.impedanceExtent), scaleFor(input.powerExtent), false};
    const double limit = kCharacteristicReachLimit * input.lineWidthFactor;
    const double reach = input.characteristicExtent * scale.impedance.pixelsPerUnit;
    if (reach > limit || scale.impedance.pixelsPerUnit == 0.0)
        scale.impedance = scaleFor(std::max(input.impedanceExtent, input.characteristicExtent));
    scale.drawCharacteristics = input.characteristicExtent * scale.impedance.pixelsPerUnit < limit;
    return scale;
}

AxisScale DifferentialScale(double extent, int plotPixels, double cellPixels, double zoom)
{
    if (!(cellPixels > 0.0) || !(zoom > 0.0))
        return {};
    const double cells = std::max(1.0, std::floor(plotPixels / cellPixels));
    const double cellValue = RoundUpToOneDigit(extent / (cells * zoom));
    if (cellValue == 0.0)
        return {};
    return {cellValue, cellPixels / cellValue};
}

} // namespace zarva
