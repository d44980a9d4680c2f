#pragma once

#include "core/model/Colour.h"

#include <cstddef>
#include <string>

namespace zarva {

class Channel;

enum class Phase { None, A, B, C, AB, BC, CA, N };

// The phase of a channel from its phase text (UTF-8), else from its name. Latin letters and
// their Cyrillic look-alikes are the same.
Phase ClassifyPhase(const std::string& phaseText, const std::string& name);

// The colour a channel is drawn in: the user's, else its phase colour (analog phases A, B, C
// and N), else the palette entry of its position in the record.
Colour ChannelColour(const Channel& channel, std::size_t index, Phase phase);

} // namespace zarva
