#pragma once

#include "core/view/MinMaxPyramid.h"

#include <QPixmap>

#include <span>
#include <vector>

namespace zarva {
class Channel;
}

namespace zarva::gui {

// What the view keeps between paints: a min/max pyramid per channel, built from the
// channel's displayed series on first use, and the picture of everything that does not
// move with the cursors.
class TraceCache {
public:
    // The pyramid of a channel's displayed series; rebuilt when the series is not the one
    // it was built from.
    const MinMaxPyramid& Pyramid(std::size_t index, const Channel& channel);

    // The cached layer; null when it must be drawn again.
    const QPixmap* Layer(const QSize& size) const;
    QPixmap& NewLayer(const QSize& size, qreal pixelRatio);
    void ForgetLayer() { layerValid_ = false; }

private:
    struct Entry {
        const double* data = nullptr;
        std::size_t size = 0;
        std::uint64_t revision = 0;
        MinMaxPyramid pyramid;
    };
    std::vector<Entry> entries_;
    QPixmap layer_;
    bool layerValid_ = false;
};

} // namespace zarva::gui
