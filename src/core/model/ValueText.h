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

// A value as the program shows it: `normalDecimals` digits when its magnitude is above 1 or
// it is exactly 0, else as many digits as a value of its size needs to show two significant
// ones (w − 2 decimals with w = |floor(log10 |value|)| + 3). Not a number counts as 0.
std::string ShownNumber(double value, int normalDecimals);

// "<number> <prefix><unit>": the value in the multiple chosen for it, two decimals. Without a
// unit the value keeps its size.
std::string MagnitudeText(double value, const std::string& unit);

} // namespace zarva
