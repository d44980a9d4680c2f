#include "core/model/ValueText.h"

#include "core/model/Units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zarva {
namespace {

// Decimals beyond this only show rounding noise of values that are zero in effect, and
// would stretch a label across the window.
constexpr int kMostDecimals = 9;

} // namespace

UnitMultiple ChooseMultiple(double magnitude)
{
    static const struct {
        double factor;
        const char* prefix;
    } kMultiples[] = {{1e9, "G"}, {1e6, "M"}, {1e3, "k"}};
    for (const auto& multiple : kMultiples) {
        if (std::fabs(magnitude) >= multiple.factor)
            return {multiple.factor, LocaliseUnit(multiple.prefix)};
    }
    return {};
}

std::string FixedText(double value, int decimals)
{
    char buffer[400];
    // Adding +0.0 turns a negative zero into zero: no "-0.00".
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0, std::chars_format::fixed, decimals);
    return result.ec == std::errc{} ? std::string(buffer, result.ptr) : std::string();
}

std::string ShownNumber(double value, int normalDecimals)
{
    if (std::isnan(value))
        value = 0.0;
    if (std::fabs(value) > 1.0 || value == 0.0 || std::isinf(value))
        return FixedText(value, normalDecimals);
    // Below 1 the magnitude's text is exactly w characters ("0." and w − 2 digits).
    const int width = std::abs(static_cast<int>(std::floor(std::log10(std::fabs(value))))) + 3;
    return FixedText(value, std::min(width - 2, kMostDecimals));
}

std::string MagnitudeText(double value, const std::string& unit)
{
    const UnitMultiple multiple = unit.empty() ? UnitMultiple{} : ChooseMultiple(value);
    return ShownNumber(value / multiple.factor, 2) + " " + multiple.prefix + unit;
}

} // namespace zarva
