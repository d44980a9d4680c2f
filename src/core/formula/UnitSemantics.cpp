#include "core/formula/UnitSemantics.h"

#include "core/model/Channel.h"
#include "core/model/StringTable.h"

namespace zarva {
namespace {

constexpr int kOhm = 3060;

} // namespace

std::string UnitSemantics::Primary(const Token& token) const
{
    const bool channel = token.id == kChannel || token.id == kPrimaryChannel;
    return channel ? token.channel->Unit() : std::string();
}

void UnitSemantics::Apply(TokenId function, std::span<std::string> args) const
{
    std::string& unit = args[0];
    switch (function) {
    case kSin:
    case kCos:
    case kTan:
    case kCotan:
    case kSqrt:
    case kExp:
    case kArg:
    case kCosUi:
    case kFourie:
    case kFault:
        unit.clear();
        break;
    case kFrequency:
        unit = "Hz";
        break;
    case kIb:
    case k3I0:
    case kI1:
    case kI2:
        unit = "A";
        break;
    case kUlf:
    case kUll:
    case kUa:
    case kUb:
    case kUc:
    case k3U0:
    case kU1f:
    case kU2f:
    case kU1l:
    case kU2l:
    case kUncn:
    case kUniik:
        unit = "V";
        break;
    case kPf:
    case kPf3Wm:
    case kPf2Wm:
        unit = "W";
        break;
    case kZf:
    case kZk:
    case kZl:
        unit = Text(kOhm);
        break;
    case kCoeffPowerPriv:
    case kCoeffAmpPriv:
        unit = "ном";
        break;
    case kTormSumCur:
        unit = args.size() > 1 ? args[1] : std::string();
        break;
    default:
        // The others keep the unit of their first argument.
        break;
    }
}

} // namespace zarva
