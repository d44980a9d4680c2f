#pragma once

#include "core/model/CodePage.h"

#include <string>

namespace zarva {

class Channel;

// Turns the unit text as read (unit8, bytes in `page`) into a canonical unit and a metric
// prefix factor; sets unit, unitFactor, perSecond and unitUnrecognised.
void InterpretUnit(Channel& channel, CodePage page = CodePage::Windows1251);

// The unit shown next to the channel's values, in the interface language.
std::string DisplayUnit(const Channel& channel);

// The interface-language form of a canonical unit text.
std::string LocaliseUnit(const std::string& unit);

// Factor from stored to displayed values: the transformer ratio when the stored and the shown
// side differ. A zero or broken ratio in the file shows the stored values unchanged.
double DisplayRatio(const Channel& channel);

} // namespace zarva
