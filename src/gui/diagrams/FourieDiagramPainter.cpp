#include "gui/diagrams/FourieDiagramPainter.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zarva::gui {
namespace {

const QColor kText(40, 40, 40);

// The gradient's light end: the channel colour three quarters of the way to white.
QColor Tint(const QColor& colour)
{
    return QColor((colour.red() + 3 * 255) / 4, (colour.green() + 3 * 255) / 4, (colour.blue() + 3 * 255) / 4);
}

} // namespace

FourieDiagramPainter::FourieDiagramPainter(QPainter& painter, const QFont& font, bool screen)
    : painter_(painter), font_(font), screen_(screen)
{
    textHeight_ = QFontMetrics(font_, painter_.device()).height();
    pad_ = std::max(3, textHeight_ / 3);
    lineWidth_ = screen_ ? 1.0 : std::max(1.0, font_.pixelSize() / 13.0);
}

int FourieDiagramPainter::WidestLabel(const SpectrumChart& chart) const
{
    const QFontMetrics metrics(font_, painter_.device());
    int widest = 0;
    for (const QString& label : chart.valueLabels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    return widest;
}

ChartLayout FourieDiagramPainter::LayoutChart(const QRect& cell, const SpectrumChart& chart) const
{
    ChartLayout layout;
    layout.cell = cell;
    const int lines = std::max<int>(1, static_cast<int>(chart.amplitudes.size()));
    const int left = cell.left() + pad_;
    const int width = std::max(1, cell.width() - 2 * pad_);
    layout.slot = static_cast<double>(width) / lines;
    const int widest = WidestLabel(chart);
    int labelRoom = 0;
    if (widest <= layout.slot - 2) {
        layout.valueLabels = ChartLayout::Labels::Across;
        labelRoom = textHeight_;
    } else if (textHeight_ <= layout.slot) {
        layout.valueLabels = ChartLayout::Labels::Upright;
        labelRoom = widest + pad_;
    } else {
        layout.valueLabels = ChartLayout::Labels::None;
    }
    const int top = cell.top() + pad_ + textHeight_ + pad_ + labelRoom;
    const int bottom = cell.bottom() - pad_ - textHeight_ - pad_;
    layout.bars = QRect(QPoint(left, top), QPoint(left + width - 1, std::max(top, bottom)));
    return layout;
}

std::vector<ChartLayout> FourieDiagramPainter::Layout(const QRect& rect, const std::vector<SpectrumChart>& charts) const
{
    std::vector<ChartLayout> layouts;
    const int count = static_cast<int>(charts.size());
    if (count == 0)
        return layouts;
    const int lowest = 8 * textHeight_;
    const int rowsThatFit = std::max(1, rect.height() / lowest);
    const int columns = std::min(count, (count + rowsThatFit - 1) / rowsThatFit);
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int row = i / columns;
        const QRect cell(QPoint(rect.left() + rect.width() * column / columns, rect.top() + rect.height() * row / rows),
                         QPoint(rect.left() + rect.width() * (column + 1) / columns - 1,
                                rect.top() + rect.height() * (row + 1) / rows - 1));
        layouts.push_back(LayoutChart(cell, charts[static_cast<std::size_t>(i)]));
    }
    return layouts;
}

void FourieDiagramPainter::Draw(const QRect& rect, const std::vector<SpectrumChart>& charts,
                                const QStringList& frequencies)
{
    painter_.save();
    painter_.setClipRect(rect);
    painter_.fillRect(rect, Qt::white);
    painter_.setFont(font_);
    const std::vector<ChartLayout> layouts = Layout(rect, charts);
    for (std::size_t i = 0; i < layouts.size(); ++i)
        DrawChart(layouts[i], charts[i], frequencies);
    painter_.restore();
}

void FourieDiagramPainter::DrawChart(const ChartLayout& layout, const SpectrumChart& chart,
                                     const QStringList& frequencies)
{
    const QRect& bars = layout.bars;
    painter_.setPen(QPen(screen_ ? QColor(220, 220, 220) : QColor(100, 100, 100), lineWidth_));
    painter_.drawLine(layout.cell.topLeft(), layout.cell.topRight());
    painter_.setPen(chart.colour);
    painter_.drawText(QRect(bars.left(), layout.cell.top() + pad_, bars.width(), textHeight_),
                      Qt::AlignLeft | Qt::AlignVCenter, chart.caption);

    const QFontMetrics metrics(font_, painter_.device());
    for (std::size_t line = 0; line < chart.amplitudes.size(); ++line) {
        const double left = bars.left() + layout.slot * static_cast<double>(line);
        const double gap = layout.slot >= 6.0 ? layout.slot * 0.15 : 0.0;
        const double height = chart.largest > 0.0 ? chart.amplitudes[line] / chart.largest * bars.height() : 0.0;
        const QRectF bar(left + gap, bars.bottom() + 1 - height, layout.slot - 2 * gap, height);
        if (height > 0.0)
            DrawBar(bar, chart.colour);
        if (line < static_cast<std::size_t>(chart.valueLabels.size()))
            DrawValueLabel(layout, bar, chart.valueLabels[static_cast<qsizetype>(line)]);
        const QString frequency = line < static_cast<std::size_t>(frequencies.size())
                                      ? frequencies[static_cast<qsizetype>(line)] : QString();
        if (metrics.horizontalAdvance(frequency) <= layout.slot) {
            painter_.setPen(kText);
            painter_.drawText(QRectF(left, bars.bottom() + pad_, layout.slot, textHeight_), Qt::AlignCenter, frequency);
        }
    }
    painter_.setPen(QPen(screen_ ? QColor(150, 150, 150) : QColor(50, 50, 50), lineWidth_));
    painter_.drawLine(QPointF(bars.left(), bars.bottom() + 1.5), QPointF(bars.right() + 1, bars.bottom() + 1.5));
}

void FourieDiagramPainter::DrawBar(const QRectF& bar, const QColor& colour)
{
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    gradient.setColorAt(0.0, colour);
    gradient.setColorAt(1.0, Tint(colour));
    painter_.setPen(QPen(colour.darker(140), lineWidth_));
    painter_.setBrush(gradient);
    painter_.drawRect(bar);
}

void FourieDiagramPainter::DrawValueLabel(const ChartLayout& layout, const QRectF& bar, const QString& text)
{
    painter_.setPen(kText);
    const double bottom = bar.top() - 1;
    switch (layout.valueLabels) {
    case ChartLayout::Labels::Across:
        painter_.drawText(QRectF(bar.center().x() - layout.slot / 2, bottom - textHeight_, layout.slot, textHeight_),
                          Qt::AlignHCenter | Qt::AlignBottom, text);
        break;
    case ChartLayout::Labels::Upright:
        painter_.save();
        painter_.translate(bar.center().x(), bottom - pad_ / 2.0);
        painter_.rotate(-90);
        painter_.drawText(QRectF(0, -textHeight_ / 2.0, bottom - layout.cell.top(), textHeight_),
                          Qt::AlignLeft | Qt::AlignVCenter, text);
        painter_.restore();
        break;
    case ChartLayout::Labels::None:
        break;
    }
}

} // namespace zarva::gui
