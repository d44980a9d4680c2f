#pragma once

#include <QIcon>

namespace zarva::gui {

// The icons are drawn, not loaded: simple line pictures on a 32-unit canvas, rendered at
// 16, 32 and 64 pixels. A command without a picture of its own gets an empty icon.
QIcon CommandIcon(int command);
QIcon StyleIcon();
QIcon ApplicationIcon();

} // namespace zarva::gui
