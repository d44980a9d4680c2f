#include "core/diagrams/DiagramTexts.h"

#include <cmath>
#include <numbers>

namespace zarva {
namespace {

std::string PaddedLeft(std::string text, std::size_t width)
{
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

} // namespace

std::string ScaleText(double fullScale, const std::string& unit)
{
    const UnitMultiple multiple = ChooseMultiple(fullScale);
    return ShownNumber(fullScale / multiple.factor, 1) + " " + multiple.prefix + unit;
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
