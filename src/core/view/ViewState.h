#pragma once

#include <cstdint>

namespace zarva {

// Units of the time ruler.
enum class RulerUnit : int { Microseconds = 0, Milliseconds = 1, Seconds = 2, AbsoluteTime = 3, Samples = 4 };

// What the mouse is doing in the oscillogram view.
enum class MouseMode : int {
    Normal = 0,
    DragV1 = 1,
    DragV2 = 2,
    DragV3 = 3,
    DragH1 = 4,
    DragH2 = 5,
    DragPasted = 6,  // pasted channels moved sideways
    ZoomToolArmed = 7,
    ZoomDrag = 8,
    DragAnnotationEnd = 9,  // also while a new level or area is drawn
    DragAnnotation = 10,
};

namespace view {
constexpr int kSampleWidth = 25;       // pixels per sample at XScale 1
constexpr int kRulerHeight = 30;
constexpr int kDifferenceBandHeight = 45;
constexpr int kDiscreteRowHeight = 20;
constexpr int kMinYAnalogSize = 70;
constexpr int kMaxYAnalogSize = 500;
constexpr int kDefaultYAnalogSize = 93;
constexpr double kVerticalZoomStep = 1.3;
} // namespace view

// The numbers that place a record in the oscillogram view.
struct ViewState {
    MouseMode mouseMode = MouseMode::Normal;
    RulerUnit rulerState = RulerUnit::Milliseconds;
    double xScale = 1.0;           // one sample spans 25 × xScale pixels
    int verticalOffset = 0;        // always <= 0, added to every row's y
    std::int64_t firstSample = 0;  // the sample at the left edge of the plot area
    std::int64_t visibleSamples = 0;
    int yAnalogSize = view::kDefaultYAnalogSize;  // least height of an analog row
    int leftMargin = 125;                         // width of the label panel
    int nameColumnWidth = 0;
    bool sells = true;  // vertical grid lines
};

// Height of the time ruler band, with the cursor-difference band under it when shown.
inline int RulerBand(bool showCursorDifference)
{
    return view::kRulerHeight + (showCursorDifference ? view::kDifferenceBandHeight : 0);
}

} // namespace zarva
