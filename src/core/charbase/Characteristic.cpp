#include "core/charbase/Characteristic.h"

#include "core/formula/Calculator.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <iterator>

namespace zarva {
namespace {

// Colour table entries: operating frame, return frame, operating fill, legend fill.
constexpr CharacteristicColours kColours[] = {
    {0xFF2501, 0xFD7058, 0xFDF519, 0xFFFDD2}, {0xFC01CA, 0xFB77E1, 0xFC01CA, 0xFECDFE},
    {0x4CB122, 0x1DE632, 0x4CB122, 0xDCF0D4}, {0x0000FE, 0x9F9FFE, 0x6542FC, 0xD8D0FE},
    {0xE8A200, 0xEAD999, 0xE8A200, 0xEAD999}, {0xA449A3, 0xE7BFC8, 0xA449A3, 0xEDDBED},
    {0xCC483F, 0xBE9270, 0xCC483F, 0xF5DBD9}, {0xA449A3, 0x0EC9FF, 0xA449A3, 0x0EC9FF},
    {0x150088, 0x577AB9, 0x150088, 0xD1CDE8},
};

// A setting typed with a decimal comma, as the regional format has it, is read as the number
// meant rather than as a list of two.
std::string WithDecimalPoint(std::string text)
{
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return text;
    const std::size_t end = text.find_last_not_of(' ') + 1;
    const auto digitsEnd = [&](std::size_t from) {
        while (from < end && text[from] >= '0' && text[from] <= '9')
            ++from;
        return from;
    };
    const std::size_t integer = begin + (text[begin] == '-' || text[begin] == '+' ? 1 : 0);
    const std::size_t comma = digitsEnd(integer);
    if (comma == integer || comma == end || text[comma] != ',')
        return text;
    const std::size_t fractionEnd = digitsEnd(comma + 1);
    if (fractionEnd > comma + 1 && fractionEnd == end)
        text[comma] = '.';
    return text;
}

void Evaluate(Characteristic& characteristic)
{
    Calculator context;
    context.SetChannelMode(false);
    for (const Parameter& parameter : characteristic.parameters)
        context.SetVariable(parameter.name, WithDecimalPoint(parameter.value));
    for (const Variable& variable : characteristic.variables)
        context.SetVariable(variable.name, variable.expression);
    for (const std::unique_ptr<Figure>& figure : characteristic.figures)
        figure->Evaluate(context);
}

} // namespace

Characteristic::Characteristic(const Characteristic& other)
    : name(other.name),
      dimension(other.dimension),
      parameters(other.parameters),
      variables(other.variables),
      visible(other.visible),
      colourIndex(other.colourIndex),
      evaluated(other.evaluated)
{
    figures.reserve(other.figures.size());
    for (const std::unique_ptr<Figure>& figure : other.figures)
        figures.push_back(figure->Clone());
}

Characteristic& Characteristic::operator=(const Characteristic& other)
{
    if (this != &other)
        *this = Characteristic(other);
    return *this;
}

std::vector<std::string> Recalculate(BlockType& block)
{
    std::vector<std::string> errors;
    for (Characteristic& characteristic : block.characteristics) {
        characteristic.evaluated = false;
        try {
            Evaluate(characteristic);
            characteristic.evaluated = true;
        } catch (const CZarvaException& error) {
            errors.push_back(characteristic.name + ": " + error.what());
        }
    }
    return errors;
}

std::vector<RegionStep> RegionSteps(const Characteristic& characteristic, bool on, const DeviceFrame& frame)
{
    std::vector<RegionStep> steps;
    if (!characteristic.evaluated)
        return steps;
    for (const std::unique_ptr<Figure>& figure : characteristic.figures) {
        if (figure->on == on)
            steps.push_back({figure->combine, figure->Shape(frame)});
    }
    return steps;
}

double CharacteristicExtent(const Characteristic& characteristic)
{
    double extent = 0.0;
    if (!characteristic.evaluated)
        return extent;
    // A figure intersected with or taken from the region before it cannot widen it.
    for (const bool on : {true, false}) {
        bool first = true;
        for (const std::unique_ptr<Figure>& figure : characteristic.figures) {
            if (figure->on != on)
                continue;
            if (first || figure->combine == Combine::Or || figure->combine == Combine::Xor)
                extent = std::max(extent, figure->Extent());
            first = false;
        }
    }
    return extent;
}

double VisibleExtent(const BlockType& block)
{
    double extent = 0.0;
    for (const Characteristic& characteristic : block.characteristics) {
        if (characteristic.visible)
            extent = std::max(extent, CharacteristicExtent(characteristic));
    }
    return extent;
}

const CharacteristicColours& ColoursOf(int colourIndex)
{
    const int size = static_cast<int>(std::size(kColours));
    return kColours[(colourIndex % size + size) % size];
}

} // namespace zarva
