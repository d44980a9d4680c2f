#include "gui/diagrams/DiagramColours.h"

#include "gui/app/Drawing.h"

#include "core/model/CodePage.h"
#include "core/model/Oscillogram.h"
#include "core/view/ChannelColours.h"

namespace zarva::gui {

QColor ChannelColourOf(const Oscillogram& record, std::size_t index)
{
    const Channel& channel = record.channels[index];
    const Colour colour =
        ChannelColour(channel, index, ClassifyPhase(DecodeText(channel.phase, record.codePage), channel.Name()));
    return ToQColor(colour);
}

} // namespace zarva::gui
