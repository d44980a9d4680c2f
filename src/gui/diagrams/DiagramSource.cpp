#include "gui/diagrams/DiagramSource.h"

#include "core/model/Oscillogram.h"

namespace zarva::gui {

QColor ChannelColourOf(const Oscillogram& record, std::size_t index)
{
    static const QColor kPalette[] = {{54, 6, 186},  {194, 2, 116}, {193, 52, 52}, {0, 111, 122}, {0, 114, 41},
                                      {183, 39, 191}, {34, 2, 121},  {217, 92, 5},  {167, 3, 48},  {79, 3, 169}};
    const Channel& channel = record.channels[index];
    if (channel.customColourSet)
        return QColor(Red(channel.customColour), Green(channel.customColour), Blue(channel.customColour));
    return kPalette[index % 10];
}

} // namespace zarva::gui
