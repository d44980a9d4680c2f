#include "core/view/TraceGeometry.h"

#include "core/model/Rounding.h"
#include "core/view/ViewState.h"

#include <algorithm>
#include <cmath>

namespace zarva {
namespace {

// Beyond this many pixels from the row a value's y is held: the part of a steep line that
// crosses the row stays as it was, and no coordinate overflows.
constexpr double kFarOff = 1e7;

double PixelsPerSample(const TraceMapping& mapping)
{
    return view::kSampleWidth * mapping.xScale;
}

double Counted(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

// The first point whose x lies at or right of plot column `column`.
std::int64_t FirstPointOfColumn(const TraceMapping& mapping, int column)
{
    const double step = PixelsPerSample(mapping);
    auto point = static_cast<std::int64_t>(std::ceil((column - 0.5) / step));
    point = std::max<std::int64_t>(point, 0);
    while (point > 0 && RoundHalfUp(step * static_cast<double>(point - 1)) >= column)
        --point;
    while (RoundHalfUp(step * static_cast<double>(point)) < column)
        ++point;
    return point;
}

// Calls visit(column, firstPoint, endPoint) for every plot column holding points.
template <typename Visit>
void ForEachColumn(const TraceMapping& mapping, std::int64_t count, Visit visit)
{
    std::int64_t first = 0;
    for (int column = 0; first < count; ++column) {
        const std::int64_t end = std::min(FirstPointOfColumn(mapping, column + 1), count);
        if (end > first)
            visit(column, first, end);
        first = std::max(first, end);
    }
}

} // namespace

std::int64_t TraceMapping::PointCount(std::size_t seriesSize) const
{
    const auto fitting = static_cast<std::int64_t>(std::ceil(plotWidth / PixelsPerSample(*this)));
    return std::max<std::int64_t>(std::min(fitting, static_cast<std::int64_t>(seriesSize) - firstSample), 0);
}

int TraceMapping::X(std::int64_t point) const
{
    return leftMargin + static_cast<int>(RoundHalfUp(PixelsPerSample(*this) * static_cast<double>(point)));
}

int TraceMapping::Y(double value) const
{
    const double y = base - RoundHalfUp((Counted(value) - lowest) * scale);
    return static_cast<int>(std::clamp(y, -kFarOff, kFarOff));
}

// Extremes of the finite values of the series over samples [first, last), first < last.
class ColumnExtremes {
public:
    ColumnExtremes(const Series<double>& series, const MinMaxPyramid* pyramid)
        : series_(series), pyramid_(pyramid != nullptr && pyramid->Size() == series.Size() ? pyramid : nullptr)
    {
    }

    ValueSpan operator()(std::size_t first, std::size_t last)
    {
        if (pyramid_ != nullptr)
            return pyramid_->Range(series_, first, last);
        values_.resize(last - first);
        series_.Read(first, values_);
        return FiniteSpan(values_);
    }

private:
    const Series<double>& series_;
    const MinMaxPyramid* pyramid_;
    std::vector<double> values_;
};

// Builds strokes point by point: a break ends the current one.
class StrokeBuilder {
public:
    void Add(PixelPoint point)
    {
        if (current_.empty() || !(current_.back() == point))
            current_.push_back(point);
    }
    void Break()
    {
        if (!current_.empty())
            strokes_.push_back(std::move(current_));
        current_.clear();
    }
    std::vector<Stroke> Finish()
    {
        Break();
        return std::move(strokes_);
    }

private:
    Stroke current_;
    std::vector<Stroke> strokes_;
};

std::vector<Stroke> VertexStrokes(const Series<double>& series, const TraceMapping& mapping)
{
    const std::int64_t count = mapping.PointCount(series.Size());
    StrokeBuilder strokes;
    const auto first = static_cast<std::size_t>(mapping.firstSample);
    series.ForEachBlock(first, first + static_cast<std::size_t>(count), [&](std::size_t at, std::span<const double> values) {
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (std::isfinite(values[k]))
                strokes.Add({mapping.X(static_cast<std::int64_t>(at + k - first)), mapping.Y(values[k])});
            else
                strokes.Break();
        }
    });
    return strokes.Finish();
}

std::vector<Stroke> EnvelopeStrokes(const Series<double>& series, const MinMaxPyramid* pyramid,
                                    const TraceMapping& mapping)
{
    if (PixelsPerSample(mapping) >= 1.0)
        return VertexStrokes(series, mapping);
    const std::int64_t count = mapping.PointCount(series.Size());
    ColumnExtremes extremes(series, pyramid);
    StrokeBuilder strokes;
    const auto sample = [&mapping](std::int64_t point) { return static_cast<std::size_t>(mapping.firstSample + point); };
    ForEachColumn(mapping, count, [&](int column, std::int64_t first, std::int64_t end) {
        const double firstValue = series.At(sample(first));
        const double lastValue = series.At(sample(end - 1));
        const ValueSpan span = extremes(sample(first), sample(end));
        if (span.Empty() || !std::isfinite(firstValue))
            strokes.Break();
        if (span.Empty())
            return;
        const int x = mapping.leftMargin + column;
        const int highY = mapping.Y(span.high);
        const int lowY = mapping.Y(span.low);
        const int firstY = std::isfinite(firstValue) ? mapping.Y(firstValue) : highY;
        strokes.Add({x, firstY});
        // The nearer extreme first: the column is then one stroke down and up at most.
        const bool highFirst = std::abs(highY - firstY) <= std::abs(lowY - firstY);
        strokes.Add({x, highFirst ? highY : lowY});
        strokes.Add({x, highFirst ? lowY : highY});
        if (!std::isfinite(lastValue)) {
            strokes.Break();
            return;
        }
        strokes.Add({x, mapping.Y(lastValue)});
    });
    return strokes.Finish();
}

DiscreteBars DiscreteRuns(const Series<double>& series, const MinMaxPyramid* pyramid, const TraceMapping& mapping)
{
    DiscreteBars bars;
    const std::int64_t count = mapping.PointCount(series.Size());
    const auto sample = [&mapping](std::int64_t point) { return static_cast<std::size_t>(mapping.firstSample + point); };
    const auto extend = [&bars](int x0, int x1) {
        if (!bars.runs.empty() && bars.runs.back().second >= x0)
            bars.runs.back().second = std::max(bars.runs.back().second, x1);
        else
            bars.runs.emplace_back(x0, x1);
    };
    if (PixelsPerSample(mapping) >= 0.5) {
        const std::size_t first = sample(0);
        series.ForEachBlock(first, first + static_cast<std::size_t>(count), [&](std::size_t at, std::span<const double> values) {
            for (std::size_t k = 0; k < values.size(); ++k) {
                const auto i = static_cast<std::int64_t>(at + k - first);
                if (Counted(values[k]) != 0.0)
                    extend(mapping.X(i), mapping.X(i + 1));
            }
        });
        return bars;
    }
    ColumnExtremes extremes(series, pyramid);
    ForEachColumn(mapping, count, [&](int column, std::int64_t first, std::int64_t end) {
        const ValueSpan span = extremes(sample(first), sample(end));
        const bool on = !span.Empty() && (span.low != 0.0 || span.high != 0.0);
        if (!on)
            return;
        const int x = mapping.leftMargin + column;
        extend(x, x + 1);
        if (span.low <= 0.0 && span.high >= 0.0)
            bars.changeColumns.push_back(x);
    });
    return bars;
}

} // namespace zarva
