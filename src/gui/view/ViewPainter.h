#pragma once

#include "core/model/Colour.h"
#include "core/view/RowLayout.h"
#include "core/view/TraceGeometry.h"
#include "core/view/ViewState.h"

#include <QFont>
#include <QPoint>

#include <optional>
#include <vector>

class QPainter;

namespace zarva {
class Document;
}

namespace zarva::gui {


// Everything one drawing of the oscillogram view reads.
struct ViewFrame {
    const Document& document;
    const ViewState& state;
    const std::vector<Row>& rows;
    const std::vector<Colour>& colours;  // per channel
    TextMetrics metrics;
    QFont mainFont;
    QFont smallFont;
    int width = 0;
    int height = 0;
    int rulerBand = 0;
    int verticalOffset = 0;
    bool highlightSelection = true;
    // The vertical-zoom drag: its x and its start and current y.
    std::optional<QPoint> zoomDragStart;
    int zoomDragY = 0;
};

// Draws the view in layers: the traces (rows, labels, curves, ruler) that change only with
// the record, the scale or the size, and on top of them what follows the cursors.
class ViewPainter {
public:
    ViewPainter(QPainter& painter, const ViewFrame& frame);

    void DrawTraces();
    void DrawOverlay();

    // Whether the curves are drawn with a vertex at every sample instead of the column
    // envelope; only for comparing the two.
    void SetEveryVertex(bool everyVertex) { everyVertex_ = everyVertex; }

private:
    int RowTop(const Row& row) const { return row.top + frame_.verticalOffset; }
    bool RowShown(const Row& row) const;
    bool Selected(const Row& row) const;

    void DrawBackgrounds();
    void DrawGrid(int top, int bottom);
    void DrawLabels();
    void DrawLabelBlock(std::size_t channel, int top, int blockHeight, bool merged);
    void DrawBadges(std::size_t channel, int blockBottom);
    void DrawAnalogRow(const Row& row);
    void DrawCurve(std::size_t channel, const TraceMapping& mapping);
    void DrawDiscreteRow(const Row& row);
    void DrawRuler();
    // The trigger moment and the samples where the rate changes, on the plot and the ruler.
    void DrawTimeMarks();
    void DrawRulerMarks();
    std::optional<int> MarkX(std::int64_t sample) const;
    void DrawCursorValues();
    void DrawDifferenceBand();
    void DrawCursors();
    void DrawZoomDrag();

    QPainter& painter_;
    const ViewFrame& frame_;
    bool everyVertex_ = false;
};

} // namespace zarva::gui
