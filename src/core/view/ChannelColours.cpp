#include "core/view/ChannelColours.h"

#include "core/model/Channel.h"
#include "core/model/TextCase.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

namespace zarva {
namespace {

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> options)
{
    return std::find(options.begin(), options.end(), text) != options.end();
}

bool ContainsAny(std::string_view text, std::initializer_list<std::string_view> parts)
{
    return std::any_of(parts.begin(), parts.end(), [text](std::string_view part) {
        return text.find(part) != std::string_view::npos;
    });
}

constexpr std::array<Colour, 10> kPalette = {
    Rgb(54, 6, 186),  Rgb(194, 2, 116), Rgb(193, 52, 52), Rgb(0, 111, 122), Rgb(0, 114, 41),
    Rgb(183, 39, 191), Rgb(34, 2, 121), Rgb(217, 92, 5),  Rgb(167, 3, 48),  Rgb(79, 3, 169),
};

} // namespace

Phase ClassifyPhase(const std::string& phaseText, const std::string& name)
{
    const std::string phase = FoldCase(phaseText);
    if (IsOneOf(phase, {"a", "а"}))
        return Phase::A;
    if (IsOneOf(phase, {"b", "б"}))
        return Phase::B;
    if (IsOneOf(phase, {"c", "с"}))
        return Phase::C;
    if (IsOneOf(phase, {"ab", "аб"}))
        return Phase::AB;
    if (IsOneOf(phase, {"bc", "бс"}))
        return Phase::BC;
    if (IsOneOf(phase, {"ca", "са"}))
        return Phase::CA;
    const std::string lower = FoldCase(name);
    if (ContainsAny(lower, {"uab", "uаб"}))
        return Phase::AB;
    if (ContainsAny(lower, {"ubc", "uбс"}))
        return Phase::BC;
    if (ContainsAny(lower, {"uca", "uса"}))
        return Phase::CA;
    if (ContainsAny(lower, {"ua", "uа", "ia", "iа"}))
        return Phase::A;
    if (ContainsAny(lower, {"ub", "uб", "ib", "iб"}))
        return Phase::B;
    if (ContainsAny(lower, {"uc", "uс", "ic", "iс"}))
        return Phase::C;
    if (ContainsAny(lower, {"uo", "uо", "un", "uп", "u0", "io", "iо", "in", "iп", "i0"}))
        return Phase::N;
    return Phase::None;
}

Colour ChannelColour(const Channel& channel, std::size_t index, Phase phase)
{
    if (channel.customColourSet)
        return static_cast<Colour>(channel.customColour);
    if (channel.IsAnalog()) {
        switch (phase) {
        case Phase::A:
            return Rgb(192, 192, 0);
        case Phase::B:
            return Rgb(0, 114, 41);
        case Phase::C:
            return Rgb(255, 0, 0);
        case Phase::N:
            return Rgb(0, 0, 255);
        default:
            break;
        }
    }
    return kPalette[index % kPalette.size()];
}

} // namespace zarva
