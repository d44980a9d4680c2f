#include "gui/view/BadgeIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace zarva::gui {
namespace {

constexpr int kSize = 16;

void DrawZoom(QPainter& p)
{
    p.drawLine(8, 1, 8, 14);
    p.drawLine(5, 4, 8, 1);
    p.drawLine(11, 4, 8, 1);
    p.drawLine(5, 11, 8, 14);
    p.drawLine(11, 11, 8, 14);
}

void DrawDcRemoved(QPainter& p)
{
    p.drawLine(1, 8, 14, 8);
    QPainterPath wave;
    wave.moveTo(1, 8);
    wave.cubicTo(4, 0, 5, 0, 8, 8);
    wave.cubicTo(11, 16, 12, 16, 15, 8);
    p.drawPath(wave);
}

void DrawInverted(QPainter& p)
{
    p.drawLine(4, 2, 4, 13);
    p.drawLine(1, 10, 4, 13);
    p.drawLine(7, 10, 4, 13);
    p.drawLine(11, 13, 11, 2);
    p.drawLine(8, 5, 11, 2);
    p.drawLine(14, 5, 11, 2);
}

void DrawCoefficient(QPainter& p)
{
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("K"));
}

void DrawRmsCurve(QPainter& p)
{
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("~"));
    p.drawLine(2, 3, 14, 3);
}

void DrawFirstHarmonic(QPainter& p)
{
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("1"));
    p.drawLine(2, 14, 14, 14);
}

void DrawAdcCounts(QPainter& p)
{
    for (int x = 2; x < 14; x += 3)
        p.drawLine(x, 13 - x / 2 * 2 + 2, x + 3, 13 - x / 2 * 2 + 2);
}

QPixmap MakeIcon(Badge badge)
{
    QPixmap icon(kSize, kSize);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 120), 1.6));
    QFont font;
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    switch (badge) {
    case Badge::VerticalZoom:
        DrawZoom(p);
        break;
    case Badge::DcRemoved:
        DrawDcRemoved(p);
        break;
    case Badge::Inverted:
        DrawInverted(p);
        break;
    case Badge::Coefficient:
        DrawCoefficient(p);
        break;
    case Badge::RmsCurve:
        DrawRmsCurve(p);
        break;
    case Badge::FirstHarmonicCurve:
        DrawFirstHarmonic(p);
        break;
    case Badge::AdcCounts:
        DrawAdcCounts(p);
        break;
    }
    return icon;
}

} // namespace

const QPixmap& BadgeIcon(Badge badge)
{
    static const std::array<QPixmap, 7> icons = [] {
        std::array<QPixmap, 7> made;
        for (int i = 0; i < 7; ++i)
            made[static_cast<std::size_t>(i)] = MakeIcon(static_cast<Badge>(i));
        return made;
    }();
    return icons[static_cast<std::size_t>(badge)];
}

} // namespace zarva::gui
