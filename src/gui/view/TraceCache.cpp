#include "gui/view/TraceCache.h"

namespace zarva::gui {

const QPixmap* TraceCache::Layer(const QSize& size) const
{
    return layerValid_ && layer_.deviceIndependentSize().toSize() == size ? &layer_ : nullptr;
}

QPixmap& TraceCache::NewLayer(const QSize& size, qreal pixelRatio)
{
    if (layer_.deviceIndependentSize().toSize() != size || layer_.devicePixelRatio() != pixelRatio) {
        layer_ = QPixmap(size * pixelRatio);
        layer_.setDevicePixelRatio(pixelRatio);
    }
    layerValid_ = true;
    return layer_;
}

} // namespace zarva::gui
