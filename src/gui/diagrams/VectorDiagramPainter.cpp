#include "gui/diagrams/VectorDiagramPainter.h"

#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramIds.h"

#include "core/diagrams/DiagramTexts.h"
#include "core/model/Rounding.h"
#include "core/model/Units.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace zarva::gui {
namespace {

const QColor kBoxFill(254, 250, 220);
const QColor kText(40, 40, 40);

QPen Pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

int Distance(QPoint point, const QRect& rect)
{
    const int dx = std::max({rect.left() - point.x(), 0, point.x() - rect.right()});
    const int dy = std::max({rect.top() - point.y(), 0, point.y() - rect.bottom()});
    return static_cast<int>(std::hypot(dx, dy));
}

} // namespace

QString ScaleValueText(double fullScale, bool current)
{
    return QString::fromStdString(ScaleText(fullScale, LocaliseUnit(current ? "A" : "V")));
}

VectorDiagramPainter::VectorDiagramPainter(QPainter& painter, const QFont& font, bool screen,
                                           const VectorChartSettings& settings)
    : painter_(painter), font_(font), screen_(screen), settings_(settings)
{
    textHeight_ = QFontMetrics(font_, painter_.device()).height();
    pad_ = std::max(3, textHeight_ / 3);
    lineWidth_ = screen_ ? 1.0 : std::max(1.0, font_.pixelSize() / 13.0);
}

QSize VectorDiagramPainter::ScaleBoxSize(const VectorPicture& picture) const
{
    const QFontMetrics metrics(font_, painter_.device());
    const int labels = std::max(metrics.horizontalAdvance(Tr(diagram_text::kVoltageScale)),
                                metrics.horizontalAdvance(Tr(diagram_text::kCurrentScale)));
    const int values = std::max(metrics.horizontalAdvance(ScaleValueText(picture.voltageScale, false)),
                                metrics.horizontalAdvance(ScaleValueText(picture.currentScale, true)));
    const int row = textHeight_ + 2 * pad_;
    return {labels + 3 * pad_ + values + 2 * pad_, 2 * row + 3 * pad_};
}

int VectorDiagramPainter::EntryWidth(const LegendEntry& entry) const
{
    const QFontMetrics metrics(font_, painter_.device());
    int width = textHeight_ + metrics.horizontalAdvance(entry.name);
    if (settings_.showAnglesValue)
        width += pad_ + metrics.horizontalAdvance(entry.magnitude + entry.angle);
    return width;
}

QSize VectorDiagramPainter::LegendColumnSize(const std::vector<LegendEntry>& legend) const
{
    const QFontMetrics metrics(font_, painter_.device());
    int names = 0;
    int magnitudes = 0;
    int angles = 0;
    for (const LegendEntry& entry : legend) {
        names = std::max(names, metrics.horizontalAdvance(entry.name));
        magnitudes = std::max(magnitudes, metrics.horizontalAdvance(entry.magnitude));
        angles = std::max(angles, metrics.horizontalAdvance(entry.angle));
    }
    const int lines = static_cast<int>(legend.size());
    return {textHeight_ + names + 2 * pad_ + magnitudes + angles, lines * (textHeight_ + pad_)};
}

std::vector<std::vector<std::size_t>> VectorDiagramPainter::LegendRows(const std::vector<LegendEntry>& legend,
                                                                       int width) const
{
    std::vector<std::vector<std::size_t>> rows;
    int used = 0;
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const int entry = EntryWidth(legend[i]);
        if (rows.empty() || (used > 0 && used + 2 * pad_ + entry > width)) {
            rows.emplace_back();
            used = 0;
        }
        used += (used > 0 ? 2 * pad_ : 0) + entry;
        rows.back().push_back(i);
    }
    return rows;
}

QString VectorDiagramPainter::AxisLabel(int quarter) const
{
    static const char* const kRadians[] = {"0", "π/2", "π", "-π/2"};
    static const char* const kDegrees[] = {"0º", "90º", "180º", "-90º"};
    return QString::fromUtf8((settings_.angleInRadians ? kRadians : kDegrees)[quarter]);
}

std::vector<QRect> VectorDiagramPainter::AxisLabelRects(QPoint centre, int radius) const
{
    const QFontMetrics metrics(font_, painter_.device());
    std::vector<QRect> rects;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const QSize size(metrics.horizontalAdvance(AxisLabel(quarter)), textHeight_);
        const int reach = radius + pad_;
        QPoint corner;
        switch (quarter) {
        case 0: corner = {centre.x() + reach, centre.y() - size.height() / 2}; break;
        case 1: corner = {centre.x() - size.width() / 2, centre.y() - reach - size.height()}; break;
        case 2: corner = {centre.x() - reach - size.width(), centre.y() - size.height() / 2}; break;
        default: corner = {centre.x() - size.width() / 2, centre.y() + reach}; break;
        }
        rects.emplace_back(corner, size);
    }
    return rects;
}

bool VectorDiagramPainter::CircleFits(const QRect& area, const QRect& panel, QPoint centre, int radius) const
{
    QRect reach(centre - QPoint(radius, radius), QSize(2 * radius + 1, 2 * radius + 1));
    for (const QRect& label : AxisLabelRects(centre, radius)) {
        if (label.intersects(panel))
            return false;
        reach = reach.united(label);
    }
    return area.contains(reach) && Distance(centre, panel) > radius + pad_;
}

void VectorDiagramPainter::PlaceCircle(const QRect& area, const QRect& panel, VectorLayout& layout) const
{
    const QFontMetrics metrics(font_, painter_.device());
    const int across = std::max(metrics.horizontalAdvance(AxisLabel(0)), metrics.horizontalAdvance(AxisLabel(2))) + pad_;
    const int down = textHeight_ + pad_;
    // Where the centre of a circle of radius r goes: in the middle, or as far from the
    // panel's top left corner as the area allows, along one or both axes.
    const auto centred = [&](int) { return area.center(); };
    const auto low = [&](int r) { return QPoint(area.center().x(), area.bottom() - down - r); };
    const auto right = [&](int r) { return QPoint(area.right() - across - r, area.center().y()); };
    const auto corner = [&](int r) { return QPoint(area.right() - across - r, area.bottom() - down - r); };
    const std::function<QPoint(int)> placements[] = {centred, low, right, corner};
    for (const auto& place : placements) {
        // The fit is monotonic in the radius for a placement: search the largest.
        int fits = layout.radius;
        int fails = std::min(area.width(), area.height()) / 2 + 1;
        while (fails - fits > 1) {
            const int radius = (fits + fails) / 2;
            (CircleFits(area, panel, place(radius), radius) ? fits : fails) = radius;
        }
        if (fits > layout.radius) {
            layout.radius = fits;
            layout.centre = place(fits);
        }
    }
}

VectorLayout VectorDiagramPainter::Layout(const QRect& rect, const VectorPicture& picture,
                                          const std::vector<LegendEntry>& legend) const
{
    VectorLayout layout;
    const QRect inner = rect.adjusted(pad_, pad_, -pad_, -pad_);
    layout.scaleBox = QRect(inner.topLeft(), ScaleBoxSize(picture));
    QRect panel = layout.scaleBox;
    const QSize column = LegendColumnSize(legend);
    const int roomBelowBox = inner.bottom() - layout.scaleBox.bottom() - pad_;
    layout.legendColumn = settings_.showAnglesValue && !legend.empty() && column.height() <= roomBelowBox;
    QRect area = inner;
    if (layout.legendColumn) {
        layout.legend = QRect(QPoint(inner.left(), layout.scaleBox.bottom() + 1 + pad_), column);
        panel = panel.united(layout.legend);
    } else if (!legend.empty()) {
        const int rows = static_cast<int>(LegendRows(legend, inner.width()).size());
        const int height = rows * (textHeight_ + pad_);
        layout.legend = QRect(inner.left(), inner.bottom() + 1 - height, inner.width(), height);
        area.setBottom(layout.legend.top() - pad_ - 1);
    }
    PlaceCircle(area, panel.adjusted(0, 0, pad_, pad_), layout);
    return layout;
}

void VectorDiagramPainter::Draw(const QRect& rect, const VectorPicture& picture, const std::vector<LegendEntry>& legend)
{
    painter_.save();
    painter_.setClipRect(rect);
    painter_.fillRect(rect, Qt::white);
    painter_.setFont(font_);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    // Hair lines through pixel centres stay sharp instead of spreading over two rows.
    if (screen_)
        painter_.translate(0.5, 0.5);
    const VectorLayout layout = Layout(rect, picture, legend);
    const double ringScale = picture.voltageScale > 0.0 ? picture.voltageScale : picture.currentScale;
    const int circles = GridCircles(ringScale, layout.radius, 1.2 * textHeight_);
    if (layout.radius > 0) {
        DrawGrid(layout, circles);
        for (std::size_t i = 0; i < picture.arrows.size(); ++i) {
            const VectorArrow& arrow = picture.arrows[i];
            const double scale = arrow.current ? picture.currentScale : picture.voltageScale;
            const int length = ArrowLength(layout.radius, arrow.magnitude, scale, settings_.onlyDirection);
            DrawArrow(layout.centre, length, arrow.angle, legend[i].colour, arrow.current);
        }
    }
    DrawScaleBox(layout.scaleBox, picture, circles);
    if (layout.legendColumn)
        DrawLegendColumn(layout.legend, legend);
    else
        DrawLegendRows(layout.legend, legend);
    painter_.restore();
}

void VectorDiagramPainter::DrawScaleBox(const QRect& box, const VectorPicture& picture, int circles)
{
    painter_.setPen(Pen(screen_ ? QColor(150, 150, 150) : QColor(50, 50, 50), lineWidth_));
    painter_.setBrush(kBoxFill);
    painter_.drawRect(box);
    const int row = textHeight_ + 2 * pad_;
    for (int i = 0; i < 2; ++i) {
        const bool current = i == 1;
        const QRect line(box.left() + pad_, box.top() + pad_ + i * (row + pad_), box.width() - 2 * pad_, textHeight_);
        painter_.setPen(kText);
        painter_.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                          Tr(current ? diagram_text::kCurrentScale : diagram_text::kVoltageScale));
        painter_.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                          ScaleValueText(current ? picture.currentScale : picture.voltageScale, current));
        // The bar repeats the rings: a tick per circle of the grid.
        const double y = line.bottom() + pad_ + 0.5;
        painter_.setPen(Pen(kText, lineWidth_));
        painter_.drawLine(QPointF(line.left(), y), QPointF(line.right(), y));
        for (int tick = 0; tick <= circles; ++tick) {
            const double x = line.left() + static_cast<double>(line.width() - 1) * tick / circles;
            painter_.drawLine(QPointF(x, y - pad_ + 1), QPointF(x, y));
        }
    }
}

void VectorDiagramPainter::DrawGrid(const VectorLayout& layout, int circles)
{
    const QPen axes = Pen(screen_ ? QColor(150, 150, 150) : QColor(50, 50, 50), lineWidth_);
    const QPen grid = Pen(screen_ ? QColor(200, 200, 200) : QColor(100, 100, 100), lineWidth_, Qt::DotLine);
    const QPointF centre = layout.centre;
    painter_.setBrush(Qt::NoBrush);
    for (int i = circles; i >= 1; --i) {
        const double radius = static_cast<double>(layout.radius) * i / circles;
        painter_.setPen(i == circles ? axes : grid);
        painter_.drawEllipse(centre, radius, radius);
    }
    for (int k = 0; k < 12; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / 12.0;
        const QPointF end(RoundHalfUp(centre.x() + layout.radius * std::cos(angle)),
                          RoundHalfUp(centre.y() - layout.radius * std::sin(angle)));
        painter_.setPen(k % 3 == 0 ? axes : grid);
        painter_.drawLine(centre, end);
    }
    painter_.setPen(kText);
    const std::vector<QRect> labels = AxisLabelRects(layout.centre, layout.radius);
    for (int quarter = 0; quarter < 4; ++quarter)
        painter_.drawText(labels[static_cast<std::size_t>(quarter)], Qt::AlignCenter, AxisLabel(quarter));
}

void VectorDiagramPainter::DrawArrow(QPoint centre, int length, double angle, const QColor& colour, bool current)
{
    if (length <= 0)
        return;
    const QPointF direction(std::cos(angle), -std::sin(angle));
    const QPointF tip = QPointF(centre) + length * direction;
    const double head = std::min(3.0 * textHeight_, length / 2.0);
    const QPointF base = tip - head * direction;
    const QPointF side = QPointF(-direction.y(), direction.x()) * (head / 5.0);
    // A current and a voltage of one phase share a colour: the current is dashed and its
    // head hollow.
    painter_.setPen(Pen(colour, 2.0 * lineWidth_, current ? Qt::DashLine : Qt::SolidLine));
    painter_.drawLine(QPointF(centre), base);
    painter_.setPen(Pen(colour, lineWidth_));
    painter_.setBrush(current ? QColor(Qt::white) : colour);
    painter_.drawPolygon(QPolygonF{tip, base + side, base - side});
}

void VectorDiagramPainter::DrawSwatch(int x, int top, const QColor& colour)
{
    const int size = textHeight_ * 3 / 5;
    painter_.setPen(Pen(colour.darker(130), lineWidth_));
    painter_.setBrush(colour);
    painter_.drawRect(QRect(x, top + (textHeight_ - size) / 2, size, size));
}

void VectorDiagramPainter::DrawLegendRows(const QRect& band, const std::vector<LegendEntry>& legend)
{
    int top = band.top();
    for (const std::vector<std::size_t>& row : LegendRows(legend, band.width())) {
        int width = 0;
        for (const std::size_t i : row)
            width += (width > 0 ? 2 * pad_ : 0) + EntryWidth(legend[i]);
        int x = band.left() + std::max(0, (band.width() - width) / 2);
        for (const std::size_t i : row) {
            const LegendEntry& entry = legend[i];
            DrawSwatch(x, top, entry.colour);
            painter_.setPen(kText);
            QString text = entry.name;
            if (settings_.showAnglesValue)
                text += QLatin1Char(' ') + entry.magnitude + entry.angle;
            painter_.drawText(QRect(x + textHeight_, top, EntryWidth(entry), textHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                              text);
            x += EntryWidth(entry) + 2 * pad_;
        }
        top += textHeight_ + pad_;
    }
}

void VectorDiagramPainter::DrawLegendColumn(const QRect& column, const std::vector<LegendEntry>& legend)
{
    const QFontMetrics metrics(font_, painter_.device());
    int names = 0;
    int magnitudes = 0;
    for (const LegendEntry& entry : legend) {
        names = std::max(names, metrics.horizontalAdvance(entry.name));
        magnitudes = std::max(magnitudes, metrics.horizontalAdvance(entry.magnitude));
    }
    int top = column.top();
    for (const LegendEntry& entry : legend) {
        DrawSwatch(column.left(), top, entry.colour);
        painter_.setPen(kText);
        const int nameLeft = column.left() + textHeight_;
        const int valuesLeft = nameLeft + names + 2 * pad_;
        painter_.drawText(QRect(nameLeft, top, names, textHeight_), Qt::AlignLeft | Qt::AlignVCenter, entry.name);
        painter_.drawText(QRect(valuesLeft, top, magnitudes, textHeight_), Qt::AlignRight | Qt::AlignVCenter,
                          entry.magnitude);
        painter_.drawText(QRect(valuesLeft + magnitudes, top, column.right() - valuesLeft - magnitudes + 1, textHeight_),
                          Qt::AlignRight | Qt::AlignVCenter, entry.angle);
        top += textHeight_ + pad_;
    }
}

} // namespace zarva::gui
