#pragma once

#include <string>

namespace zarva {

// A metric multiple a displayed value is shown in: the value is divided by `factor` and the
// unit gets `prefix` (in the interface language).
struct UnitMultiple {
    double factor = 1.0;
    std::string prefix;
};

// The multiple that keeps the shown number below a thousand: kilo, mega or giga for large
// magnitudes, none otherwise (small values get more decimals instead).
UnitMultiple ChooseMultiple(double magnitude);

// A number with `decimals` digits after the point, locale-free ("%.*f").
std::string FixedText(double value, int decimals);

// A value for the diagram texts: `normalDecimals` digits when it is above 1 or exactly 0,
// else as many digits as a value of its size needs to show two significant ones (w − 2
// decimals with w = |floor(log10 value)| + 3). Not a number counts as 0.
std::string DiagramNumber(double value, int normalDecimals);

// "<number> <prefix><unit>" with the multiple chosen for the value: the full-scale label
// (one decimal) and the magnitude of a vector (two decimals).
std::string ScaleText(double fullScale, const std::string& unit);
std::string MagnitudeText(double magnitude, const std::string& unit);

// " %8.2fº" of the angle in degrees, or " %8.2fπ" of it in multiples of π.
std::string AngleText(double radians, bool inRadians);

// The label over a spectral bar: "0" below 0.01, one decimal below 100, none above.
std::string BarLabel(double value);

// The frequency of spectral line `line` of a window of `periods` periods: whole numbers
// without decimals, others with one.
std::string LineFrequencyLabel(int line, double lineFrequency, int periods);

} // namespace zarva
