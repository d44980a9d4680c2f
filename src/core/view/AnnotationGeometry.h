#pragma once

#include "core/document/Annotations.h"
#include "core/view/TraceGeometry.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zarva {

class Oscillogram;
struct Row;
struct ViewState;

// What places annotations on the view: the record, its rows as laid out, the scales and the
// plot area (from the label panel to `width`, from the top to `plotBottom`, the ruler's top).
struct AnnotationFrame {
    const Oscillogram& record;
    const std::vector<Row>& rows;
    const ViewState& state;
    int width = 0;
    int plotBottom = 0;
    int verticalOffset = 0;  // added to every row's top
};

// Where an item is drawn: a moment's vertical line (x0 = x1), a level's horizontal line
// (y0 = y1) or an area's rectangle, ordered so that x0 <= x1 and y0 <= y1.
struct AnnotationShape {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

// None for a level whose channel is missing, hidden or whose value lies outside its row's
// range, and for an area none of whose rows is shown.
std::optional<AnnotationShape> ShapeOf(const Annotation& item, const AnnotationFrame& frame);

// What a press on an item takes hold of: the whole item, or the end that was drawn last
// (a level's or an area's "to" edge, in time, in rows or both).
enum class AnnotationGrip { Body, EndTime, EndRow, EndCorner };

// Within 10 pixels: of a moment's line (by the samples under x - 10 and x + 10), of a level's
// line, or of an area's border on either side. Never in the label panel or below the plot.
std::optional<AnnotationGrip> HitTest(const Annotation& item, const AnnotationFrame& frame, PixelPoint at);

struct AnnotationHit {
    std::size_t index = 0;
    AnnotationGrip grip = AnnotationGrip::Body;
};
// The first item in list order that the point hits.
std::optional<AnnotationHit> AnnotationAt(const std::vector<Annotation>& items, const AnnotationFrame& frame,
                                          PixelPoint at);

// A new item of the tool's kind at the point: a moment on the sample, a level on the channel
// and at the value under the point, an area on the row and sample. None off the rows, and for
// a level off the analog rows.
std::optional<Annotation> CreateAnnotation(AnnotationTool tool, const AnnotationFrame& frame, PixelPoint at);

// The item held by `grip` at `press` and dragged to `at`: a body moves by whole samples (and
// whole rows for an area, the level's value following the mouse on its row), an end follows
// the mouse. Positions stay on the record and rows on the view.
Annotation DraggedAnnotation(const Annotation& original, AnnotationGrip grip, const AnnotationFrame& frame,
                             PixelPoint press, PixelPoint at);

} // namespace zarva
