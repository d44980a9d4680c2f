#include "gui/view/ViewPainter.h"

#include "gui/app/Drawing.h"
#include "gui/view/AnnotationPainter.h"
#include "gui/view/BadgeIcons.h"

#include "core/document/Document.h"
#include "core/model/StringTable.h"
#include "core/view/ChannelCommands.h"
#include "core/view/CursorTexts.h"
#include "core/view/LabelPanel.h"
#include "core/view/RowMapping.h"
#include "core/view/TimeRuler.h"
#include "core/view/ViewScale.h"
#include "core/view/ViewTexts.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <tuple>

namespace zarva::gui {
namespace {

const QColor kSeparator(200, 200, 200);
const QColor kGrid(230, 230, 230);
const QColor kNameFrame(128, 128, 128);
const QColor kPanelEdge(100, 100, 100);
const QColor kRulerText(0, 0, 127);
const QColor kDiscreteBase(150, 150, 255);
const QColor kBarOutline(200, 0, 0);
const QColor kSelectedBar(253, 219, 102);
const QColor kCursorColours[] = {QColor(255, 100, 100), QColor(100, 100, 255), QColor(0, 160, 0)};
const QColor kMomentMark(192, 0, 0);
const QColor kTriggerMark(160, 0, 0);
const QColor kRateChangeMark(110, 110, 110);
constexpr int kLabelX = 5;
constexpr int kLabelTop = 3;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

void FillGradient(QPainter& painter, const QRect& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, bottom);
    painter.fillRect(rect, gradient);
}

std::vector<QPoint> ToQPoints(const std::vector<PixelPoint>& points)
{
    std::vector<QPoint> out;
    out.reserve(points.size());
    for (const PixelPoint& point : points)
        out.emplace_back(point.x, point.y);
    return out;
}

std::optional<std::int64_t> Cursor1(const Document& document)
{
    const VerticalCursor& cursor = document.cursors.Vertical(0);
    return cursor.active ? std::optional<std::int64_t>(cursor.sample) : std::nullopt;
}

} // namespace

ViewPainter::ViewPainter(QPainter& painter, const ViewFrame& frame) : painter_(painter), frame_(frame)
{
}

bool ViewPainter::RowShown(const Row& row) const
{
    const int top = RowTop(row);
    return top < frame_.height - frame_.rulerBand && top + row.height > 0;
}

bool ViewPainter::Selected(const Row& row) const
{
    const auto& channels = frame_.document.oscillogram.channels;
    return frame_.highlightSelection &&
           std::any_of(row.members.begin(), row.members.end(), [&](std::size_t i) { return channels[i].selected; });
}

void ViewPainter::DrawTraces()
{
    painter_.fillRect(0, 0, frame_.width, frame_.height, Qt::white);
    DrawBackgrounds();
    if (frame_.state.sells)
        DrawGrid(0, frame_.height - view::kRulerHeight);
    DrawTimeMarks();
    DrawLabels();
    for (const Row& row : frame_.rows) {
        if (!RowShown(row))
            continue;
        if (row.discrete)
            DrawDiscreteRow(row);
        else
            DrawAnalogRow(row);
    }
    DrawRuler();
}

void ViewPainter::DrawOverlay()
{
    DrawCursorValues();
    if (frame_.document.showCursorDifference)
        DrawDifferenceBand();
    DrawCursors();
    DrawAnnotations(painter_, frame_);
    DrawZoomDrag();
}

void ViewPainter::DrawBackgrounds()
{
    const auto& channels = frame_.document.oscillogram.channels;
    for (std::size_t i = 0; i < frame_.rows.size(); ++i) {
        const Row& row = frame_.rows[i];
        if (!RowShown(row))
            continue;
        const QRect area(0, RowTop(row), frame_.width, row.height);
        if (Selected(row))
            FillGradient(painter_, area, QColor(254, 225, 140), QColor(253, 252, 173));
        else if ((i + 1) % 2 == 0)
            FillGradient(painter_, area, QColor(214, 255, 255), QColor(243, 255, 255));
        painter_.setPen(kSeparator);
        const int last = RowTop(row) + row.height - 1;
        painter_.drawLine(0, last, frame_.width, last);
        if (row.Merged()) {
            const int block = MemberBlockHeight(channels[row.Channel()], frame_.metrics);
            for (std::size_t member = 1; member < row.members.size(); ++member) {
                const int y = RowTop(row) + static_cast<int>(member) * block - 1;
                painter_.drawLine(0, y, frame_.state.leftMargin, y);
            }
        }
    }
}

void ViewPainter::DrawGrid(int top, int bottom)
{
    painter_.setPen(kGrid);
    for (int x = frame_.state.leftMargin + 50; x < frame_.width; x += 50)
        painter_.drawLine(x, top, x, bottom);
}

void ViewPainter::DrawLabels()
{
    painter_.setFont(frame_.mainFont);
    const auto& channels = frame_.document.oscillogram.channels;
    for (const Row& row : frame_.rows) {
        if (!RowShown(row))
            continue;
        if (!row.Merged()) {
            DrawLabelBlock(row.Channel(), RowTop(row), row.height, false);
            continue;
        }
        const int block = MemberBlockHeight(channels[row.Channel()], frame_.metrics);
        for (std::size_t member = 0; member < row.members.size(); ++member)
            DrawLabelBlock(row.members[member], RowTop(row) + static_cast<int>(member) * block, block, true);
    }
}

void ViewPainter::DrawLabelBlock(std::size_t index, int top, int blockHeight, bool merged)
{
    const Channel& channel = frame_.document.oscillogram.channels[index];
    const int lineHeight = frame_.metrics.textHeight;
    const QString name = Q(PanelName(channel));
    const int nameY = channel.IsDiscrete() ? top + (blockHeight - lineHeight) / 2 : top + kLabelTop;
    const int nameWidth = QFontMetrics(frame_.mainFont).horizontalAdvance(name);
    painter_.setPen(kNameFrame);
    painter_.setBrush(Qt::NoBrush);
    if (!channel.IsDiscrete())
        painter_.drawRect(kLabelX - 3, nameY - 1, nameWidth + 6, lineHeight + 1);
    painter_.setPen(ToQColor(frame_.colours[index]));
    painter_.drawText(QRect(kLabelX, nameY, frame_.width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, name);
    if (channel.IsDiscrete())
        return;
    painter_.setPen(Qt::black);
    const std::vector<ReadoutLine> lines = ReadoutLines(channel, std::nullopt);
    const int valueX = frame_.state.nameColumnWidth + 5;
    int y = nameY + lineHeight;
    for (const ReadoutLine& line : lines) {
        if (merged) {
            // A merged member's block has room for one read-out line, in the small font.
            painter_.setFont(frame_.smallFont);
            painter_.drawText(QPoint(kLabelX, y + frame_.metrics.smallTextHeight - 3), Q(line.label));
            painter_.setFont(frame_.mainFont);
            break;
        }
        painter_.drawText(QRect(kLabelX, y, frame_.width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, Q(line.label));
        const bool extreme = line.kind == ReadoutKind::Maximum || line.kind == ReadoutKind::Minimum;
        if (extreme && line.value) {
            painter_.drawText(QRect(valueX, y, frame_.width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                              Q(ReadoutValueText(*line.value, PanelUnit(channel))));
        }
        y += lineHeight;
    }
    DrawBadges(index, top + blockHeight);
}

void ViewPainter::DrawBadges(std::size_t index, int blockBottom)
{
    int x = frame_.state.leftMargin - 42;
    for (const Badge badge : Badges(frame_.document.oscillogram.channels[index])) {
        painter_.drawPixmap(x, blockBottom - 21, BadgeIcon(badge));
        x -= 21;
    }
}

void ViewPainter::DrawAnalogRow(const Row& row)
{
    const auto& channels = frame_.document.oscillogram.channels;
    const TraceMapping mapping = RowTraceMapping(channels, row, frame_.state, RowTop(row), frame_.width);
    const bool zoomed = std::any_of(row.members.begin(), row.members.end(),
                                    [&](std::size_t i) { return channels[i].zoom.zoomed; });
    painter_.save();
    painter_.setClipRect(QRect(frame_.state.leftMargin, RowTop(row) + (zoomed ? 5 : 0),
                               frame_.width - frame_.state.leftMargin, row.height - (zoomed ? 5 : 0)));
    if (const auto zero = ZeroLineY(mapping, RowWindow(channels, row.members).high)) {
        painter_.setPen(kSeparator);
        painter_.drawLine(frame_.state.leftMargin, *zero, frame_.width, *zero);
    }
    for (const std::size_t member : row.members)
        DrawCurve(member, mapping);
    painter_.restore();
}

void ViewPainter::DrawCurve(std::size_t index, const TraceMapping& mapping)
{
    const Channel& channel = frame_.document.oscillogram.channels[index];
    // A curve not surveyed yet has no extremes to place it by.
    const std::shared_ptr<const MinMaxPyramid> pyramid = channel.DisplayPyramid();
    if (!pyramid)
        return;
    const Series<double>& series = channel.DisplaySeries();
    const std::vector<Stroke> strokes =
        everyVertex_ ? VertexStrokes(series, mapping) : EnvelopeStrokes(series, pyramid.get(), mapping);
    painter_.setPen(ToQColor(frame_.colours[index]));
    painter_.setBrush(Qt::NoBrush);
    for (const Stroke& stroke : strokes) {
        const std::vector<QPoint> points = ToQPoints(stroke);
        if (points.size() == 1)
            painter_.drawPoint(points.front());
        else
            painter_.drawPolyline(points.data(), static_cast<int>(points.size()));
        if (frame_.state.xScale > 0.16) {
            for (const QPoint& point : points)
                painter_.drawEllipse(point, 2, 2);
        }
    }
}

void ViewPainter::DrawDiscreteRow(const Row& row)
{
    const auto& channels = frame_.document.oscillogram.channels;
    const Channel& channel = channels[row.Channel()];
    const TraceMapping mapping = RowTraceMapping(channels, row, frame_.state, RowTop(row), frame_.width);
    const int middle = RowTop(row) + row.height / 2;
    painter_.save();
    painter_.setClipRect(QRect(frame_.state.leftMargin, RowTop(row), frame_.width - frame_.state.leftMargin, row.height));
    // The strip ends where the record does, wherever the view starts.
    const double end = SampleX(frame_.state, static_cast<double>(channel.samples.Size()));
    const int stripEnd = static_cast<int>(std::min<double>(end, frame_.width));
    painter_.fillRect(QRect(frame_.state.leftMargin, middle - 2, stripEnd - frame_.state.leftMargin, 4), kDiscreteBase);
    const std::shared_ptr<const MinMaxPyramid> pyramid = channel.DisplayPyramid();
    if (!pyramid) {
        painter_.restore();
        return;
    }
    const DiscreteBars bars = DiscreteRuns(channel.DisplaySeries(), pyramid.get(), mapping);
    painter_.setPen(kBarOutline);
    painter_.setBrush(channel.selected && frame_.highlightSelection ? kSelectedBar : ToQColor(frame_.colours[row.Channel()]));
    for (const auto& [x0, x1] : bars.runs)
        painter_.drawRect(x0, middle - 6, std::max(x1 - x0 - 1, 0), 11);
    for (const int x : bars.changeColumns)
        painter_.drawLine(x, middle - 6, x, middle + 5);
    painter_.restore();
}

std::optional<int> ViewPainter::MarkX(std::int64_t sample) const
{
    if (sample < frame_.state.firstSample)
        return std::nullopt;
    const int x = static_cast<int>(SampleX(frame_.state, static_cast<double>(sample)));
    return x <= frame_.width ? std::optional<int>(x) : std::nullopt;
}

void ViewPainter::DrawTimeMarks()
{
    const Oscillogram& record = frame_.document.oscillogram;
    const int bottom = frame_.height - view::kRulerHeight;
    painter_.setPen(QPen(kRateChangeMark, 1, Qt::DotLine));
    for (const std::int64_t sample : RateChangeSamples(record)) {
        if (const auto x = MarkX(sample))
            painter_.drawLine(*x, 0, *x, bottom);
    }
    if (const auto trigger = TriggerSample(record); trigger && MarkX(*trigger)) {
        painter_.setPen(QPen(kTriggerMark, 1, Qt::DashLine));
        painter_.drawLine(*MarkX(*trigger), 0, *MarkX(*trigger), bottom);
    }
}

void ViewPainter::DrawRulerMarks()
{
    const Oscillogram& record = frame_.document.oscillogram;
    const int top = frame_.height - view::kRulerHeight;
    painter_.setPen(kRateChangeMark);
    for (const std::int64_t sample : RateChangeSamples(record)) {
        if (const auto x = MarkX(sample))
            painter_.drawLine(*x, top, *x, frame_.height);
    }
    if (const auto trigger = TriggerSample(record); trigger && MarkX(*trigger)) {
        const int x = *MarkX(*trigger);
        const QPoint corners[] = {QPoint(x - 4, top + 1), QPoint(x + 4, top + 1), QPoint(x, top + 6)};
        painter_.setPen(kTriggerMark);
        painter_.setBrush(kTriggerMark);
        painter_.drawPolygon(corners, 3);
        painter_.setBrush(Qt::NoBrush);
    }
}

void ViewPainter::DrawRuler()
{
    const Oscillogram& record = frame_.document.oscillogram;
    const int h = frame_.height;
    painter_.setPen(Qt::black);
    painter_.setBrush(Qt::white);
    painter_.drawRect(-1, h - frame_.rulerBand, frame_.width + 2, frame_.rulerBand + 1);
    if (frame_.state.sells && frame_.rulerBand > view::kRulerHeight)
        DrawGrid(h - frame_.rulerBand + 1, h - view::kRulerHeight);
    painter_.setFont(frame_.smallFont);
    const QFontMetrics metrics(frame_.smallFont);
    for (const RulerTick& tick : RulerTicks(record, frame_.state, frame_.width)) {
        painter_.setPen(Qt::black);
        painter_.drawLine(tick.x, h - view::kRulerHeight, tick.x, h - view::kRulerHeight + tick.length);
        if (tick.label.empty())
            continue;
        const QString label = Q(tick.label);
        const int width = metrics.horizontalAdvance(label);
        if (tick.x + width / 2 > frame_.width)
            continue;  // a label cut by the edge reads as another number
        painter_.setPen(kRulerText);
        painter_.drawText(QRect(tick.x - width / 2, h - 20, width + 1, metrics.height()), Qt::AlignLeft, label);
    }
    if (frame_.state.rulerState == RulerUnit::AbsoluteTime) {
        painter_.setPen(kRulerText);
        painter_.drawText(QPoint(5, h - 20 + metrics.ascent()), Q(RulerDate(record.startDate)));
    }
    DrawRulerMarks();
    painter_.setPen(kPanelEdge);
    painter_.drawLine(frame_.state.leftMargin, 0, frame_.state.leftMargin, h - view::kRulerHeight);
}

void ViewPainter::DrawCursorValues()
{
    const auto& channels = frame_.document.oscillogram.channels;
    const std::optional<std::int64_t> cursor = Cursor1(frame_.document);
    const int lineHeight = frame_.metrics.textHeight;
    const int valueX = frame_.state.nameColumnWidth + 5;
    painter_.setPen(Qt::black);
    for (const Row& row : frame_.rows) {
        if (row.discrete || !RowShown(row))
            continue;
        const int block = row.Merged() ? MemberBlockHeight(channels[row.Channel()], frame_.metrics) : 0;
        for (std::size_t member = 0; member < row.members.size(); ++member) {
            const Channel& channel = channels[row.members[member]];
            const int top = RowTop(row) + static_cast<int>(member) * block + kLabelTop;
            painter_.setFont(frame_.mainFont);
            if (const auto label = CursorValueLabel(channel, cursor))
                painter_.drawText(QRect(valueX, top, frame_.width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, Q(*label));
            int y = top + lineHeight;
            for (const ReadoutLine& line : ReadoutLines(channel, cursor)) {
                const bool measured = line.kind == ReadoutKind::Rms || line.kind == ReadoutKind::FirstHarmonic;
                if (row.Merged()) {
                    painter_.setFont(frame_.smallFont);
                    if (line.value) {
                        painter_.drawText(QPoint(valueX, y + frame_.metrics.smallTextHeight - 3),
                                          Q(ReadoutValueText(*line.value, PanelUnit(channel))));
                    }
                    break;
                }
                if (measured && line.value) {
                    painter_.drawText(QRect(valueX, y, frame_.width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                                      Q(ReadoutValueText(*line.value, PanelUnit(channel))));
                }
                y += lineHeight;
            }
        }
    }
}

void ViewPainter::DrawDifferenceBand()
{
    const Document& document = frame_.document;
    const int top = frame_.height - frame_.rulerBand;
    const QFontMetrics metrics(frame_.smallFont);
    // The times of the active vertical cursors, then of the moments marked on the record.
    std::vector<std::pair<std::int64_t, QColor>> marks;
    for (int i = 0; i < CursorSet::kVerticalCount; ++i) {
        const VerticalCursor& cursor = document.cursors.Vertical(i);
        if (cursor.active)
            marks.emplace_back(cursor.sample, kCursorColours[i]);
    }
    for (const std::int64_t moment : MomentPositions(document.annotations))
        marks.emplace_back(moment, kMomentMark);
    std::vector<std::pair<int, int>> spans;
    std::vector<std::tuple<int, QString, QColor>> labels;
    for (const auto& [sample, colour] : marks) {
        if (sample < frame_.state.firstSample)
            continue;
        const int x = static_cast<int>(SampleX(frame_.state, static_cast<double>(sample)));
        const QString text = Q(RulerLabel(document.oscillogram, frame_.state.rulerState, sample, true));
        spans.emplace_back(x + 2, x + 2 + metrics.horizontalAdvance(text) + 4);
        labels.emplace_back(x, text, colour);
    }
    const std::vector<int> rows = StackLabels(spans);
    painter_.setFont(frame_.smallFont);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const auto& [x, text, colour] = labels[i];
        painter_.setPen(colour);
        painter_.drawLine(x, top + 1, x, top + 6);
        painter_.drawText(QPoint(x + 3, top + 6 + metrics.ascent() + rows[i] * metrics.height()), text);
    }
}

void ViewPainter::DrawCursors()
{
    const Document& document = frame_.document;
    const int bottom = frame_.height - view::kRulerHeight;
    painter_.setFont(frame_.smallFont);
    std::optional<int> v1x;
    for (int i = 0; i < CursorSet::kVerticalCount; ++i) {
        const VerticalCursor& cursor = document.cursors.Vertical(i);
        if (!cursor.active || cursor.sample < frame_.state.firstSample)
            continue;
        const int x = static_cast<int>(SampleX(frame_.state, static_cast<double>(cursor.sample)));
        if (x > frame_.width)
            continue;
        if (i == 0)
            v1x = x;
        const QColor colour = i == 1 && v1x == x ? kCursorColours[2] : kCursorColours[i];
        painter_.setPen(colour);
        painter_.drawLine(x, 0, x, bottom);
        painter_.drawText(QPoint(x + 3, QFontMetrics(frame_.smallFont).ascent() + 1),
                          Q(Text(viewtext::kVerticalCursorLabel1 + i)));
    }
    const auto& channels = document.oscillogram.channels;
    for (int i = 0; i < CursorSet::kHorizontalCount; ++i) {
        const HorizontalCursor& cursor = document.cursors.Horizontal(i);
        const auto row = cursor.active ? RowOf(frame_.rows, static_cast<std::size_t>(cursor.channel)) : std::nullopt;
        if (!row)
            continue;
        const Row& shown = frame_.rows[*row];
        const int y = RowTraceMapping(channels, shown, frame_.state, RowTop(shown), frame_.width).Y(cursor.value);
        painter_.setPen(kCursorColours[i]);
        painter_.drawLine(frame_.state.leftMargin, y, frame_.width, y);
        painter_.drawText(QPoint(frame_.state.leftMargin + 3, y - 2), Q(Text(viewtext::kHorizontalCursorLabel1 + i)));
    }
}

void ViewPainter::DrawZoomDrag()
{
    if (!frame_.zoomDragStart)
        return;
    const QPoint start = *frame_.zoomDragStart;
    painter_.setPen(QPen(kCursorColours[0], 2));
    painter_.drawLine(start.x(), start.y(), start.x(), frame_.zoomDragY);
    painter_.drawLine(start.x() - 5, start.y(), start.x() + 5, start.y());
    painter_.drawLine(start.x() - 5, frame_.zoomDragY, start.x() + 5, frame_.zoomDragY);
}

} // namespace zarva::gui
