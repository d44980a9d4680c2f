#pragma once

#include <QPixmap>

namespace zarva::gui {

// What the view keeps between paints: the picture of everything that does not move with the
// cursors.
class TraceCache {
public:
    // The cached layer; null when it must be drawn again.
    const QPixmap* Layer(const QSize& size) const;
    QPixmap& NewLayer(const QSize& size, qreal pixelRatio);
    void ForgetLayer() { layerValid_ = false; }

private:
    QPixmap layer_;
    bool layerValid_ = false;
};

} // namespace zarva::gui
