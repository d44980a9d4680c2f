#pragma once

class QPainter;

namespace zarva {
struct AnnotationFrame;
}

namespace zarva::gui {

struct ViewFrame;

// Where the record's annotations stand in a drawing of the view.
AnnotationFrame AnnotationFrameOf(const ViewFrame& frame);

// The annotations over the plot area, after the cursors: moments, levels and areas in the
// annotation pen (thick for the item under the mouse, dark for the one picked), then the
// comment boxes of those whose comment is shown, in the small font.
void DrawAnnotations(QPainter& painter, const ViewFrame& frame);

} // namespace zarva::gui
