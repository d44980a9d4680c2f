#include "gui/app/Drawing.h"

namespace zarva::gui {

QColor ToQColor(Colour colour)
{
    return QColor(Red(colour), Green(colour), Blue(colour));
}

Colour ToColour(const QColor& colour)
{
    return Rgb(colour.red(), colour.green(), colour.blue());
}

void UseTahoma(QFont& font)
{
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

QFont TahomaFont(int pixelSize, QFont::Weight weight)
{
    QFont font;
    UseTahoma(font);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace zarva::gui
