#pragma once

#include "core/model/Channel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zarva {

class Oscillogram;

// The private clipboard format's name; the clipboard layer carries the text under it.
inline constexpr const char* kClipboardFormatName = "Brannik Zarva Clipboard Data";

// Channels copied from a record with the facts that place them in time: what the clipboard
// carries between record windows, read back. Texts are UTF-8.
struct CopiedChannels {
    double sampleRate = 0.0;
    double timeMultiplier = 1.0;
    std::shared_ptr<const std::vector<std::int64_t>> times;
    std::vector<double> lineFrequencies;
    std::string stationId;
    std::string blockId;
    std::string title;
    std::string headerText;
    std::string startTime;
    // Pasted channels without an owner: their name, unit and descriptions still in UTF-8.
    std::vector<Channel> channels;
};

// The clipboard text of the record's selected channels, computed and pasted ones left out:
// one XML document of the system's own dialect.
std::string ClipboardText(const Oscillogram& record);

// Reads a clipboard text, which any program may have written. Anything that does not
// describe whole channels (another root, counts that disagree, a number that is not one,
// times that run backwards) is refused with error 330 naming the attribute at fault.
CopiedChannels ParseClipboardText(std::string_view text);

} // namespace zarva
