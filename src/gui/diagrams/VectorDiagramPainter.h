#pragma once

#include "core/diagrams/VectorChart.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace zarva::gui {

// One legend entry: the channel's colour, its name and, with the values shown, its value texts.
struct LegendEntry {
    QColor colour;
    QString name;
    QString magnitude;
    QString angle;
};

// Where the parts of the vector diagram go in a rectangle.
struct VectorLayout {
    QRect scaleBox;
    QRect legend;  // a band along the bottom, or a column under the scale box
    bool legendColumn = false;
    QPoint centre;
    int radius = 0;
};

// Lays the vector diagram out and draws it: white background, scale box, grid, arrows, legend.
class VectorDiagramPainter {
public:
    VectorDiagramPainter(QPainter& painter, const QFont& font, bool screen, const VectorChartSettings& settings);

    VectorLayout Layout(const QRect& rect, const VectorPicture& picture, const std::vector<LegendEntry>& legend) const;
    // `legend` holds one entry per arrow, in the same order.
    void Draw(const QRect& rect, const VectorPicture& picture, const std::vector<LegendEntry>& legend);

private:
    QSize ScaleBoxSize(const VectorPicture& picture) const;
    QSize LegendColumnSize(const std::vector<LegendEntry>& legend) const;
    std::vector<std::vector<std::size_t>> LegendRows(const std::vector<LegendEntry>& legend, int width) const;
    int EntryWidth(const LegendEntry& entry) const;
    QString AxisLabel(int quarter) const;
    // The largest circle, with room for its axis labels, that keeps clear of the panel: centred
    // in the area when it can be, else pushed away from the panel's corner.
    void PlaceCircle(const QRect& area, const QRect& panel, VectorLayout& layout) const;
    bool CircleFits(const QRect& area, const QRect& panel, QPoint centre, int radius) const;
    std::vector<QRect> AxisLabelRects(QPoint centre, int radius) const;

    void DrawScaleBox(const QRect& box, const VectorPicture& picture, int circles);
    void DrawGrid(const VectorLayout& layout, int circles);
    void DrawArrow(QPoint centre, int length, double angle, const QColor& colour, bool current);
    void DrawLegendRows(const QRect& band, const std::vector<LegendEntry>& legend);
    void DrawLegendColumn(const QRect& column, const std::vector<LegendEntry>& legend);
    void DrawSwatch(int x, int top, const QColor& colour);

    QPainter& painter_;
    QFont font_;
    bool screen_;
    const VectorChartSettings& settings_;
    int textHeight_;
    int pad_;
    double lineWidth_;  // one pixel on the screen; on paper it grows with the printer font
};

// The scale texts of the box: "U max" or "I max" and the full scale with its unit.
QString ScaleValueText(double fullScale, bool current);

} // namespace zarva::gui
