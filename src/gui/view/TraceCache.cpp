#include "gui/view/TraceCache.h"

namespace zarva::gui {

const MinMaxPyramid& TraceCache::Pyramid(std::size_t channel, std::span<const double> series)
{
    if (entries_.size() <= channel)
        entries_.resize(channel + 1);
    Entry& entry = entries_[channel];
    if (entry.data != series.data() || entry.size != series.size() || entry.pyramid.Size() != series.size()) {
        entry.pyramid = MinMaxPyramid(series);
        entry.data = series.data();
        entry.size = series.size();
    }
    return entry.pyramid;
}

void TraceCache::ForgetSeries()
{
    entries_.clear();
    layerValid_ = false;
}

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
