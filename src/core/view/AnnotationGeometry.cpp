#include "core/view/AnnotationGeometry.h"

#include "core/model/ChannelKey.h"
#include "core/model/Oscillogram.h"
#include "core/view/ChannelCommands.h"
#include "core/view/RowLayout.h"
#include "core/view/RowMapping.h"
#include "core/view/ViewScale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zarva {
namespace {

constexpr int kReach = 10;  // pixels around an item that still take hold of it
constexpr double kFarOff = 1e6;

int PixelX(const AnnotationFrame& frame, std::int64_t sample)
{
    // Far off the screen is far enough, and stays within int.
    return static_cast<int>(std::clamp(SampleX(frame.state, static_cast<double>(sample)), -kFarOff, kFarOff));
}

std::int64_t LastSample(const AnnotationFrame& frame)
{
    return std::max<std::int64_t>(static_cast<std::int64_t>(frame.record.SampleCount()) - 1, 0);
}

std::int64_t SampleAt(const AnnotationFrame& frame, int x)
{
    return std::min(SampleAtX(frame.state, x), LastSample(frame));
}

int RowTop(const AnnotationFrame& frame, const Row& row)
{
    return row.top + frame.verticalOffset;
}

std::optional<std::size_t> RowIndexAt(const AnnotationFrame& frame, int y)
{
    for (std::size_t i = 0; i < frame.rows.size(); ++i) {
        const int top = RowTop(frame, frame.rows[i]);
        if (y >= top && y < top + frame.rows[i].height)
            return i;
    }
    return std::nullopt;
}

// The row under y, or the first or last row when y lies above or below them all.
std::size_t NearestRowIndex(const AnnotationFrame& frame, int y)
{
    if (const auto row = RowIndexAt(frame, y))
        return *row;
    return y < RowTop(frame, frame.rows.front()) ? 0 : frame.rows.size() - 1;
}

struct LevelRow {
    TraceMapping mapping;
    ValueWindow window;
};

std::optional<LevelRow> RowOfLevel(const LevelItem& level, const AnnotationFrame& frame)
{
    const auto& channels = frame.record.channels;
    const auto channel = FindChannelByKey(channels, level.channel);
    const auto row = channel ? RowOf(frame.rows, *channel) : std::nullopt;
    if (!row || frame.rows[*row].discrete)
        return std::nullopt;
    const Row& shown = frame.rows[*row];
    return LevelRow{RowTraceMapping(channels, shown, frame.state, RowTop(frame, shown), frame.width),
                    RowWindow(channels, shown.members)};
}

bool WithinWindow(double value, const ValueWindow& window)
{
    // Stored levels keep six decimals: one on the edge of its row stays on it.
    const double slack = 1e-6 + 1e-9 * (std::fabs(window.low) + std::fabs(window.high));
    return value >= window.low - slack && value <= window.high + slack;
}

// Indices of the first and last rows an area covers: those showing a channel between its two.
struct RowSpan {
    std::size_t first = 0;
    std::size_t last = 0;
};

std::optional<RowSpan> RowsOfArea(const AreaItem& area, const AnnotationFrame& frame)
{
    const auto from = FindChannelByKey(frame.record.channels, area.channelFrom);
    const auto to = FindChannelByKey(frame.record.channels, area.channelTo);
    if (!from || !to)
        return std::nullopt;
    const std::size_t low = std::min(*from, *to);
    const std::size_t high = std::max(*from, *to);
    std::optional<RowSpan> span;
    for (std::size_t i = 0; i < frame.rows.size(); ++i) {
        const auto& members = frame.rows[i].members;
        if (std::none_of(members.begin(), members.end(), [&](std::size_t m) { return m >= low && m <= high; }))
            continue;
        if (!span)
            span = RowSpan{i, i};
        span->last = i;
    }
    return span;
}

bool ToBelowFrom(const AreaItem& area, const AnnotationFrame& frame)
{
    const auto from = FindChannelByKey(frame.record.channels, area.channelFrom);
    const auto to = FindChannelByKey(frame.record.channels, area.channelTo);
    return !from || !to || *to >= *from;
}

std::optional<AnnotationShape> Shape(const MomentItem& moment, const AnnotationFrame& frame)
{
    const int x = PixelX(frame, moment.position);
    return AnnotationShape{x, 0, x, frame.plotBottom};
}

std::optional<AnnotationShape> Shape(const LevelItem& level, const AnnotationFrame& frame)
{
    const auto row = RowOfLevel(level, frame);
    if (!row || !WithinWindow(level.positionY, row->window))
        return std::nullopt;
    const int y = row->mapping.Y(level.positionY);
    const int from = PixelX(frame, level.positionFrom);
    const int to = PixelX(frame, level.positionTo);
    return AnnotationShape{std::min(from, to), y, std::max(from, to), y};
}

std::optional<AnnotationShape> Shape(const AreaItem& area, const AnnotationFrame& frame)
{
    const auto span = RowsOfArea(area, frame);
    if (!span)
        return std::nullopt;
    const int from = PixelX(frame, area.positionFrom);
    const int to = PixelX(frame, area.positionTo);
    const Row& last = frame.rows[span->last];
    return AnnotationShape{std::min(from, to), RowTop(frame, frame.rows[span->first]), std::max(from, to),
                           RowTop(frame, last) + last.height - 1};
}

bool Near(int a, int b)
{
    return std::abs(a - b) <= kReach;
}

std::optional<AnnotationGrip> Hit(const MomentItem& moment, const AnnotationFrame& frame, PixelPoint at)
{
    const bool enclosed = SampleAtX(frame.state, at.x - kReach) <= moment.position &&
                          moment.position <= SampleAtX(frame.state, at.x + kReach);
    return enclosed ? std::optional(AnnotationGrip::Body) : std::nullopt;
}

std::optional<AnnotationGrip> Hit(const LevelItem& level, const AnnotationFrame& frame, PixelPoint at)
{
    const auto shape = Shape(level, frame);
    if (!shape || !Near(at.y, shape->y0) || at.x < shape->x0 - kReach || at.x > shape->x1 + kReach)
        return std::nullopt;
    const bool atEnd = Near(at.x, PixelX(frame, level.positionTo)) && !Near(at.x, PixelX(frame, level.positionFrom));
    return atEnd ? AnnotationGrip::EndTime : AnnotationGrip::Body;
}

std::optional<AnnotationGrip> Hit(const AreaItem& area, const AnnotationFrame& frame, PixelPoint at)
{
    const auto shape = Shape(area, frame);
    if (!shape)
        return std::nullopt;
    const bool outside = at.x < shape->x0 - kReach || at.x > shape->x1 + kReach || at.y < shape->y0 - kReach ||
                         at.y > shape->y1 + kReach;
    const bool inside = at.x > shape->x0 + kReach && at.x < shape->x1 - kReach && at.y > shape->y0 + kReach &&
                        at.y < shape->y1 - kReach;
    if (outside || inside)
        return std::nullopt;
    const bool below = ToBelowFrom(area, frame);
    const int yTo = below ? shape->y1 : shape->y0;
    const int yFrom = below ? shape->y0 : shape->y1;
    const bool endTime = Near(at.x, PixelX(frame, area.positionTo)) && !Near(at.x, PixelX(frame, area.positionFrom));
    const bool endRow = Near(at.y, yTo) && !Near(at.y, yFrom);
    if (endTime && endRow)
        return AnnotationGrip::EndCorner;
    if (endTime)
        return AnnotationGrip::EndTime;
    return endRow ? AnnotationGrip::EndRow : AnnotationGrip::Body;
}

// A shift in samples that keeps both ends of a span on the record.
std::int64_t SpanShift(std::int64_t shift, std::int64_t from, std::int64_t to, std::int64_t last)
{
    return std::clamp(shift, -std::min(from, to), last - std::max(from, to));
}

void Drag(MomentItem& moment, AnnotationGrip, const AnnotationFrame& frame, PixelPoint press, PixelPoint at)
{
    moment.position = std::clamp(moment.position + SampleAt(frame, at.x) - SampleAt(frame, press.x),
                                 std::int64_t{0}, LastSample(frame));
}

void Drag(LevelItem& level, AnnotationGrip grip, const AnnotationFrame& frame, PixelPoint press, PixelPoint at)
{
    if (grip != AnnotationGrip::Body) {
        level.positionTo = SampleAt(frame, at.x);
        return;
    }
    const std::int64_t shift = SpanShift(SampleAt(frame, at.x) - SampleAt(frame, press.x), level.positionFrom,
                                         level.positionTo, LastSample(frame));
    level.positionFrom += shift;
    level.positionTo += shift;
    if (const auto row = RowOfLevel(level, frame)) {
        const double moved = level.positionY + ValueAtY(row->mapping, at.y) - ValueAtY(row->mapping, press.y);
        level.positionY = std::clamp(moved, row->window.low, row->window.high);
    }
}

std::string KeyOfRow(const AnnotationFrame& frame, std::size_t row)
{
    return ChannelKey(frame.record.channels[frame.rows[row].Channel()]);
}

void Drag(AreaItem& area, AnnotationGrip grip, const AnnotationFrame& frame, PixelPoint press, PixelPoint at)
{
    if (frame.rows.empty())
        return;
    const auto span = RowsOfArea(area, frame);
    if (grip == AnnotationGrip::EndTime || grip == AnnotationGrip::EndCorner)
        area.positionTo = SampleAt(frame, at.x);
    if (grip == AnnotationGrip::EndRow || grip == AnnotationGrip::EndCorner)
        area.channelTo = KeyOfRow(frame, NearestRowIndex(frame, at.y));
    if (grip != AnnotationGrip::Body || !span)
        return;
    const std::int64_t shift = SpanShift(SampleAt(frame, at.x) - SampleAt(frame, press.x), area.positionFrom,
                                         area.positionTo, LastSample(frame));
    area.positionFrom += shift;
    area.positionTo += shift;
    const auto rows = static_cast<std::ptrdiff_t>(frame.rows.size());
    const std::ptrdiff_t moved =
        std::clamp(static_cast<std::ptrdiff_t>(NearestRowIndex(frame, at.y)) -
                       static_cast<std::ptrdiff_t>(NearestRowIndex(frame, press.y)),
                   -static_cast<std::ptrdiff_t>(span->first), rows - 1 - static_cast<std::ptrdiff_t>(span->last));
    if (moved == 0)
        return;
    const bool below = ToBelowFrom(area, frame);
    const auto shifted = [&](std::size_t row) { return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(row) + moved); };
    area.channelFrom = KeyOfRow(frame, shifted(below ? span->first : span->last));
    area.channelTo = KeyOfRow(frame, shifted(below ? span->last : span->first));
}

bool InPlot(const AnnotationFrame& frame, PixelPoint at)
{
    return at.x >= frame.state.leftMargin && at.y < frame.plotBottom;
}

} // namespace

std::optional<AnnotationShape> ShapeOf(const Annotation& item, const AnnotationFrame& frame)
{
    return std::visit([&frame](const auto& kind) { return Shape(kind, frame); }, item);
}

std::optional<AnnotationGrip> HitTest(const Annotation& item, const AnnotationFrame& frame, PixelPoint at)
{
    if (!InPlot(frame, at))
        return std::nullopt;
    return std::visit([&](const auto& kind) { return Hit(kind, frame, at); }, item);
}

std::optional<AnnotationHit> AnnotationAt(const std::vector<Annotation>& items, const AnnotationFrame& frame,
                                          PixelPoint at)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (const auto grip = HitTest(items[i], frame, at))
            return AnnotationHit{i, *grip};
    }
    return std::nullopt;
}

std::optional<Annotation> CreateAnnotation(AnnotationTool tool, const AnnotationFrame& frame, PixelPoint at)
{
    if (!InPlot(frame, at) || tool == AnnotationTool::None)
        return std::nullopt;
    const std::int64_t sample = SampleAt(frame, at.x);
    if (tool == AnnotationTool::Moment) {
        MomentItem moment;
        moment.position = sample;
        return moment;
    }
    const auto row = RowIndexAt(frame, at.y);
    if (!row)
        return std::nullopt;
    const Row& shown = frame.rows[*row];
    const std::string key = KeyOfRow(frame, *row);
    if (tool == AnnotationTool::Area) {
        AreaItem area;
        area.channelFrom = area.channelTo = key;
        area.positionFrom = area.positionTo = sample;
        return area;
    }
    if (shown.discrete)
        return std::nullopt;
    LevelItem level;
    level.channel = key;
    level.positionY = ValueAtY(RowTraceMapping(frame.record.channels, shown, frame.state, RowTop(frame, shown), frame.width), at.y);
    level.positionFrom = level.positionTo = sample;
    return level;
}

Annotation DraggedAnnotation(const Annotation& original, AnnotationGrip grip, const AnnotationFrame& frame,
                             PixelPoint press, PixelPoint at)
{
    if (Common(original).locked || at.x < frame.state.leftMargin)
        return original;
    Annotation dragged = original;
    std::visit([&](auto& kind) { Drag(kind, grip, frame, press, at); }, dragged);
    return dragged;
}

} // namespace zarva
