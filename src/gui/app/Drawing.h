#pragma once

#include "core/model/Colour.h"

#include <QColor>
#include <QFont>

namespace zarva::gui {

QColor ToQColor(Colour colour);
Colour ToColour(const QColor& colour);

// "Tahoma" where the system has it, else the sans-serif faces nearest to it.
void UseTahoma(QFont& font);
QFont TahomaFont(int pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace zarva::gui
