#include "gui/diagrams/PlaneDiagramPainter.h"

#include "gui/app/Drawing.h"

#include "core/charbase/ChartScale.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zarva::gui {
namespace {

const QColor kCellLine(0xF0, 0xF0, 0xF0);
const QColor kFifthLine(0xE6, 0xE6, 0xE6);
const QColor kPlotFrame(0xC8, 0xC8, 0xC8);
const QColor kAxis(0x96, 0x96, 0x96);
const QColor kText(0x32, 0x32, 0x32);
// Beyond this many pixels QPainter's fixed-point rasteriser loses precision; a trajectory
// point that far out is off the plot anyway.
constexpr double kFarthestPixel = 1e5;

QPainterPath ShapePath(const DeviceShape& shape)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    if (shape.kind == DeviceShape::Kind::Pixel && !shape.points.empty()) {
        path.addRect(shape.points[0].x, shape.points[0].y, 1, 1);
    } else if (shape.kind == DeviceShape::Kind::Polygon) {
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(shape.points.size()));
        for (const DevicePoint& point : shape.points)
            polygon.append(QPointF(point.x, point.y));
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    return path;
}

QPainterPath Combined(const QPainterPath& running, const QPainterPath& next, Combine combine)
{
    switch (combine) {
    case Combine::And:
        return running.intersected(next);
    case Combine::Xor:
        return running.subtracted(next).united(next.subtracted(running));
    case Combine::Not:
        return running.subtracted(next);
    default:
        return running.united(next);
    }
}

double ScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
}

QPointF OnDevice(QPoint origin, PointF point, double pixelsPerUnit)
{
    const auto clampPixel = [](double v) { return std::clamp(v, -kFarthestPixel, kFarthestPixel); };
    return {origin.x() + clampPixel(point.x * pixelsPerUnit), origin.y() - clampPixel(point.y * pixelsPerUnit)};
}

bool IsFinite(PointF point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

} // namespace

QPainterPath CharacteristicRegion(const Characteristic& characteristic, bool on, const DeviceFrame& frame)
{
    const std::vector<RegionStep> steps = RegionSteps(characteristic, on, frame);
    if (steps.empty())
        return {};
    QPainterPath region = ShapePath(steps.front().shape);
    for (std::size_t i = 1; i < steps.size(); ++i)
        region = Combined(region, ShapePath(steps[i].shape), steps[i].combine);
    return region;
}

PlaneDiagramPainter::PlaneDiagramPainter(QPainter& painter, const QFont& font, bool screen)
    : painter_(painter), font_(font), screen_(screen), textHeight_(QFontMetrics(font, painter.device()).height())
{
}

PlaneLayout PlaneDiagramPainter::Layout(const QRect& rect, int tableRows, bool originInCorner) const
{
    PlaneLayout layout;
    layout.lineWidth = screen_ ? 1.0 : std::max(1.0, font_.pixelSize() / 13.0);
    if (rect.width() < 121 || rect.height() < 121)
        return layout;
    const int margin = static_cast<int>(std::lround(6 * layout.lineWidth));
    const QRect inner = rect.adjusted(margin, margin, -margin, -margin);
    int band = static_cast<int>(std::lround(20 * layout.lineWidth));
    const int table = tableRows * (textHeight_ + 2);
    if (tableRows > 0 && inner.height() - table >= 120)
        band = table;
    layout.plot = inner.adjusted(0, 0, 0, -band);
    layout.band = QRect(inner.left(), layout.plot.bottom() + 1, inner.width(), band);
    layout.cellPixels = GridCellPixels(ScreenDpi(), layout.lineWidth);
    if (originInCorner) {
        const int inset = static_cast<int>(std::lround(layout.cellPixels));
        layout.origin = QPoint(layout.plot.left() + inset, layout.plot.bottom() - inset);
    } else {
        layout.origin = layout.plot.center();
    }
    return layout;
}

void PlaneDiagramPainter::Draw(const QRect& rect, const PlaneLayout& layout, const PlaneScene& scene)
{
    painter_.fillRect(rect, Qt::white);
    if (layout.plot.isEmpty())
        return;
    painter_.save();
    painter_.setFont(font_);
    DrawGrid(layout, scene);
    painter_.setClipRect(layout.plot);
    DrawCharacteristics(layout, scene);
    for (const PlaneTrack& track : scene.tracks)
        DrawTrack(layout, track);
    painter_.setClipping(false);
    DrawLegend(layout, scene);
    painter_.restore();
}

void PlaneDiagramPainter::DrawGrid(const PlaneLayout& layout, const PlaneScene& scene)
{
    const QRect& plot = layout.plot;
    const double cell = std::max(layout.cellPixels, 2.0);
    const auto pen = [&](const QColor& colour) { return QPen(colour, layout.lineWidth); };
    const auto lines = [&](int origin, int low, int high, bool vertical) {
        const int first = static_cast<int>(std::ceil((low - origin) / cell));
        const int last = static_cast<int>(std::floor((high - origin) / cell));
        for (int k = first; k <= last; ++k) {
            const int at = origin + static_cast<int>(std::lround(k * cell));
            painter_.setPen(pen(k % 5 == 0 ? kFifthLine : kCellLine));
            if (vertical)
                painter_.drawLine(at, plot.top(), at, plot.bottom());
            else
                painter_.drawLine(plot.left(), at, plot.right(), at);
        }
    };
    lines(layout.origin.x(), plot.left(), plot.right(), true);
    lines(layout.origin.y(), plot.top(), plot.bottom(), false);
    painter_.setPen(pen(kPlotFrame));
    painter_.drawRect(plot);
    painter_.setPen(pen(kAxis));
    painter_.drawLine(plot.left(), layout.origin.y(), plot.right(), layout.origin.y());
    painter_.drawLine(layout.origin.x(), plot.top(), layout.origin.x(), plot.bottom());
    painter_.setPen(kText);
    const QFontMetrics metrics(font_, painter_.device());
    const int width = metrics.horizontalAdvance(scene.captionX);
    painter_.drawText(QPoint(std::max(plot.left(), plot.right() - width - 2), layout.origin.y() - metrics.descent() - 2),
                      scene.captionX);
    painter_.drawText(QPoint(layout.origin.x() + 2, plot.top() + metrics.ascent() + 2), scene.captionY);
}

void PlaneDiagramPainter::DrawCharacteristics(const PlaneLayout& layout, const PlaneScene& scene)
{
    if (scene.block == nullptr || scene.characteristicScale <= 0.0)
        return;
    const QRect& plot = layout.plot;
    const DeviceFrame frame{scene.characteristicScale, layout.origin.x(), layout.origin.y(),
                            {plot.left(), plot.top(), plot.right() + 1, plot.bottom() + 1}};
    const auto& characteristics = scene.block->characteristics;
    for (auto it = characteristics.rbegin(); it != characteristics.rend(); ++it) {
        if (!it->visible || !it->evaluated)
            continue;
        const CharacteristicColours& colours = ColoursOf(it->colourIndex);
        if (scene.showOffCharacteristics) {
            painter_.strokePath(CharacteristicRegion(*it, false, frame), QPen(ToQColor(colours.returnFrame), layout.lineWidth));
        }
        const QPainterPath operating = CharacteristicRegion(*it, true, frame);
        QColor fill = ToQColor(colours.operatingFill);
        fill.setAlpha(kOperatingFillAlpha);
        painter_.fillPath(operating, fill);
        painter_.strokePath(operating, QPen(ToQColor(colours.operatingFrame), layout.lineWidth));
    }
}

void PlaneDiagramPainter::DrawTrack(const PlaneLayout& layout, const PlaneTrack& track)
{
    if (track.trajectory == nullptr || track.pixelsPerUnit <= 0.0)
        return;
    painter_.setPen(QPen(track.colour, layout.lineWidth));
    QPolygonF run;
    const auto flush = [&] {
        if (run.size() == 1)
            painter_.drawPoint(run.front());
        else if (run.size() > 1)
            painter_.drawPolyline(run);
        run.clear();
    };
    for (const PointF& point : track.trajectory->points) {
        if (IsFinite(point))
            run.append(OnDevice(layout.origin, point, track.pixelsPerUnit));
        else
            flush();
    }
    flush();
    // Cursor 1's point, as a ring the size of a legend square.
    const double radius = 3.5 * layout.lineWidth;
    painter_.setBrush(track.colour);
    painter_.drawEllipse(OnDevice(layout.origin, track.trajectory->atCursor, track.pixelsPerUnit), radius, radius);
    painter_.setBrush(Qt::NoBrush);
}

void PlaneDiagramPainter::DrawSwatch(int x, int centreY, const QColor& colour, double lineWidth)
{
    const int side = static_cast<int>(std::lround(10 * lineWidth));
    painter_.setPen(QPen(kText, lineWidth));
    painter_.setBrush(colour);
    painter_.drawRect(x, centreY - side / 2, side, side);
    painter_.setBrush(Qt::NoBrush);
}

void PlaneDiagramPainter::DrawLegend(const PlaneLayout& layout, const PlaneScene& scene)
{
    const QFontMetrics metrics(font_, painter_.device());
    const int side = static_cast<int>(std::lround(10 * layout.lineWidth));
    const int gap = static_cast<int>(std::lround(6 * layout.lineWidth));
    if (scene.table) {
        const int nameWidth = std::accumulate(scene.legend.begin(), scene.legend.end(), 0, [&](int widest, const PlaneLegendEntry& e) {
            return std::max(widest, metrics.horizontalAdvance(e.name));
        });
        int y = layout.band.top() + 1;
        for (const PlaneLegendEntry& entry : scene.legend) {
            const int centreY = y + textHeight_ / 2;
            DrawSwatch(layout.band.left() + gap, centreY, entry.colour, layout.lineWidth);
            painter_.setPen(kText);
            const int textX = layout.band.left() + 2 * gap + side;
            painter_.drawText(QPoint(textX, y + metrics.ascent()), entry.name);
            painter_.drawText(QPoint(textX + nameWidth + 2 * gap, y + metrics.ascent()), entry.value);
            y += textHeight_ + 2;
        }
        return;
    }
    int total = 0;
    for (const PlaneLegendEntry& entry : scene.legend)
        total += side + 2 * gap + metrics.horizontalAdvance(entry.name);
    int x = layout.band.center().x() - total / 2;
    const int centreY = layout.band.center().y();
    for (const PlaneLegendEntry& entry : scene.legend) {
        DrawSwatch(x, centreY, entry.colour, layout.lineWidth);
        x += side + gap;
        painter_.setPen(kText);
        painter_.drawText(QPoint(x, centreY + metrics.ascent() / 2 - 1), entry.name);
        x += metrics.horizontalAdvance(entry.name) + gap;
    }
}

} // namespace zarva::gui
