#include "core/diagrams/DiagramTexts.h"

#include "core/model/Units.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace zarva {
namespace {

// Decimals beyond this only show rounding noise of values that are zero in effect, and
// would stretch a label across the window.
constexpr int kMostDecimals = 9;

std::string PaddedLeft(std::string text, std::size_t width)
{
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

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

std::string DiagramNumber(double value, int normalDecimals)
{
    if (std::isnan(value))
        value = 0.0;
    if (value > 1.0 || value == 0.0)
        return FixedText(value, normalDecimals);
    // Below 1 the text is exactly w characters ("0." and w − 2 digits), so the field width
    // never pads.
    const int width = std::abs(static_cast<int>(std::floor(std::log10(std::fabs(value))))) + 3;
    return FixedText(value, std::min(width - 2, kMostDecimals));
}

std::string ScaleText(double fullScale, const std::string& unit)
{
    const UnitMultiple multiple = ChooseMultiple(fullScale);
    return DiagramNumber(fullScale / multiple.factor, 1) + " " + multiple.prefix + unit;
}

std::string MagnitudeText(double magnitude, const std::string& unit)
{
    const UnitMultiple multiple = ChooseMultiple(magnitude);
    return DiagramNumber(magnitude / multiple.factor, 2) + " " + multiple.prefix + unit;
}

std::string AngleText(double radians, bool inRadians)
{
    const double shown = inRadians ? radians / std::numbers::pi : radians * 180.0 / std::numbers::pi;
    return " " + PaddedLeft(FixedText(shown, 2), 8) + (inRadians ? "π" : "º");
}

std::string BarLabel(double value)
{
    if (std::isnan(value) || value < 0.01)
        return "0";
    return FixedText(value, value < 100.0 ? 1 : 0);
}

std::string LineFrequencyLabel(int line, double lineFrequency, int periods)
{
    const double frequency = line * lineFrequency / periods;
    return FixedText(frequency, frequency == std::floor(frequency) ? 0 : 1);
}

} // namespace zarva
