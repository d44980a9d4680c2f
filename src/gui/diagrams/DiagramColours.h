#pragma once

#include <QColor>

#include <cstddef>

namespace zarva {
class Oscillogram;
}

namespace zarva::gui {

// The colour a channel of the record is drawn in, the same as in the view.
QColor ChannelColourOf(const Oscillogram& record, std::size_t index);

} // namespace zarva::gui
