#include "gui/view/TraceCache.h"

#include "core/model/Channel.h"

namespace zarva::gui {

const MinMaxPyramid& TraceCache::Pyramid(std::size_t index, const Channel& channel)
{
    if (entries_.size() <= index)
        entries_.resize(index + 1);
    Entry& entry = entries_[index];
    const std::span<const double> series = channel.DisplaySeries();
    if (entry.data != series.data() || entry.size != series.size() || entry.revision != channel.SeriesRevision()) {
        entry.pyramid = MinMaxPyramid(series);
        entry.data = series.data();
        entry.size = series.size();
        entry.revision = channel.SeriesRevision();
    }
    return entry.pyramid;
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
