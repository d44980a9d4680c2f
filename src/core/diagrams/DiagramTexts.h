#pragma once

#include "core/model/ValueText.h"

#include <string>

namespace zarva {

// "<number> <prefix><unit>" with the multiple chosen for the value, one decimal: the
// full-scale label. Magnitudes of vectors are MagnitudeText.
std::string ScaleText(double fullScale, const std::string& unit);

// " %8.2fº" of the angle in degrees, or " %8.2fπ" of it in multiples of π.
std::string AngleText(double radians, bool inRadians);

// The label over a spectral bar: "0" below 0.01, one decimal below 100, none above.
std::string BarLabel(double value);

// The frequency of spectral line `line` of a window of `periods` periods: whole numbers
// without decimals, others with one.
std::string LineFrequencyLabel(int line, double lineFrequency, int periods);

} // namespace zarva
