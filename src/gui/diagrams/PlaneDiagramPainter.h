#pragma once

#include "core/charbase/Characteristic.h"
#include "core/diagrams/PlaneChart.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace zarva::gui {

// A characteristic's operating (`on`) or return region on the device, its figures combined
// in order; empty when it has no such figure.
QPainterPath CharacteristicRegion(const Characteristic& characteristic, bool on, const DeviceFrame& frame);

// Where the parts of a plane diagram go.
struct PlaneLayout {
    QRect plot;      // grid, regions and trajectories
    QRect band;      // the legend or the values table under the plot
    QPoint origin;   // the plane's (0, 0)
    double cellPixels = 0.0;
    double lineWidth = 1.0;  // one pixel on the screen; on paper it grows with the printer font
};

// One trajectory as drawn: its points on the plane and the pixels per unit of its kind.
struct PlaneTrack {
    const Trajectory* trajectory = nullptr;
    QColor colour;
    double pixelsPerUnit = 0.0;
};

// A legend entry, or a row of the values table when `value` is set.
struct PlaneLegendEntry {
    QColor colour;
    QString name;
    QString value;
};

struct PlaneScene {
    QString captionX;  // at the right end of the horizontal axis
    QString captionY;  // at the top of the vertical axis
    const BlockType* block = nullptr;
    double characteristicScale = 0.0;  // pixels per unit; 0 draws no characteristic
    bool showOffCharacteristics = true;
    std::vector<PlaneTrack> tracks;
    std::vector<PlaneLegendEntry> legend;
    bool table = false;  // the legend as a values table
};

// Draws the circle and differential diagrams: white background, grid and axes, the
// characteristics' regions, the trajectories with a mark at cursor 1, the legend or table.
class PlaneDiagramPainter {
public:
    PlaneDiagramPainter(QPainter& painter, const QFont& font, bool screen);

    // Too small a rectangle gives an empty plot. `tableRows` is 0 for the legend;
    // `originInCorner` puts (0, 0) at the plot's lower left instead of its centre.
    PlaneLayout Layout(const QRect& rect, int tableRows, bool originInCorner) const;
    void Draw(const QRect& rect, const PlaneLayout& layout, const PlaneScene& scene);

private:
    void DrawGrid(const PlaneLayout& layout, const PlaneScene& scene);
    void DrawCharacteristics(const PlaneLayout& layout, const PlaneScene& scene);
    void DrawTrack(const PlaneLayout& layout, const PlaneTrack& track);
    void DrawLegend(const PlaneLayout& layout, const PlaneScene& scene);
    void DrawSwatch(int x, int centreY, const QColor& colour, double lineWidth);

    QPainter& painter_;
    QFont font_;
    bool screen_;
    int textHeight_;
};

} // namespace zarva::gui
