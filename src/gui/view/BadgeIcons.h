#pragma once

#include "core/view/LabelPanel.h"

#include <QPixmap>

namespace zarva::gui {

// The 16 × 16 mark of a mode in force, drawn once and kept.
const QPixmap& BadgeIcon(Badge badge);

} // namespace zarva::gui
