#include "gui/view/CZarvaView.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/Texts.h"
#include "gui/view/AnnotationController.h"

#include "core/view/ChannelCommands.h"
#include "core/view/LabelPanel.h"
#include "core/view/RowMapping.h"
#include "core/view/ViewScale.h"
#include "core/view/ViewTexts.h"

#include <QApplication>
#include <QDrag>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QToolTip>

namespace zarva::gui {
namespace {

constexpr int kPastedOffsetText = 4997;

constexpr int kCursorReach = 3;  // pixels within which a press picks up a cursor
const QString kChannelMime = QStringLiteral("application/x-zarva-view-channel");

bool Shift(const QInputEvent* event)
{
    return event->modifiers().testFlag(Qt::ShiftModifier);
}

} // namespace

bool CZarvaView::InLabelPanel(const QPoint& at) const
{
    return at.x() < state_.leftMargin && !InRulerBand(at);
}

bool CZarvaView::InRulerBand(const QPoint& at) const
{
    return at.y() >= ClientHeight() - RulerBandHeight();
}

std::optional<RowHit> CZarvaView::HitRow(int y) const
{
    return RowAt(rows_, document_.Core().oscillogram.channels, y - state_.verticalOffset, Metrics());
}

std::optional<MouseMode> CZarvaView::CursorUnder(const QPoint& at) const
{
    const CursorSet& cursors = document_.Core().cursors;
    for (int i = 0; i < CursorSet::kVerticalCount; ++i) {
        const VerticalCursor& cursor = cursors.Vertical(i);
        if (cursor.active && cursor.sample >= state_.firstSample && std::abs(CursorX(cursor.sample) - at.x()) <= kCursorReach)
            return static_cast<MouseMode>(static_cast<int>(MouseMode::DragV1) + i);
    }
    for (int i = 0; i < CursorSet::kHorizontalCount; ++i) {
        const auto mapping = HorizontalCursorMapping(i);
        if (mapping && std::abs(mapping->Y(cursors.Horizontal(i).value) - at.y()) <= kCursorReach)
            return static_cast<MouseMode>(static_cast<int>(MouseMode::DragH1) + i);
    }
    return std::nullopt;
}

void CZarvaView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    const QPoint at = event->position().toPoint();
    if (InLabelPanel(at))
        PressInLabelPanel(event);
    else
        PressInPlot(event);
}

void CZarvaView::PressInLabelPanel(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (state_.mouseMode == MouseMode::ZoomToolArmed || state_.mouseMode == MouseMode::ZoomDrag)
        state_.mouseMode = MouseMode::Normal;
    const std::optional<RowHit> hit = HitRow(at.y());
    if (!hit)
        return;
    const std::size_t channel = rows_[hit->row].members[hit->member];
    auto& channels = document_.Core().oscillogram.channels;
    if (event->button() == Qt::LeftButton) {
        ClickSelect(channels, rows_, channel,
                    {Shift(event), event->modifiers().testFlag(Qt::ControlModifier)}, selectionAnchor_);
        dragCandidate_.emplace(at, channel);
    } else if (event->button() == Qt::RightButton) {
        SelectForMenu(channels, channel);
    }
    document_.NotifySelectionChanged();
}

void CZarvaView::PressInPlot(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool left = event->button() == Qt::LeftButton;
    if (state_.mouseMode == MouseMode::ZoomToolArmed && left) {
        const std::optional<RowHit> hit = HitRow(at.y());
        if (hit && !rows_[hit->row].discrete) {
            state_.mouseMode = MouseMode::ZoomDrag;
            zoomStart_ = at;
            zoomY_ = at.y();
            zoomChannel_ = rows_[hit->row].Channel();
        }
        return;
    }
    if (state_.mouseMode != MouseMode::Normal || (!left && event->button() != Qt::RightButton) ||
        (!left && InRulerBand(at)))
        return;
    if (const std::optional<MouseMode> picked = CursorUnder(at)) {
        state_.mouseMode = *picked;
        return;
    }
    if (const std::optional<MouseMode> annotating = annotations_->Press(at, left)) {
        state_.mouseMode = *annotating;
        return;
    }
    if (StartPastedDrag(event))
        return;
    if (Shift(event)) {
        if (!InRulerBand(at))
            PlaceHorizontal(left ? 0 : 1, at);
        return;
    }
    state_.mouseMode = left ? MouseMode::DragV1 : MouseMode::DragV2;
    DragTo(at);
}

void CZarvaView::DragTo(const QPoint& at)
{
    CursorSet cursors = document_.Core().cursors;
    const auto mode = static_cast<int>(state_.mouseMode);
    if (mode >= static_cast<int>(MouseMode::DragV1) && mode <= static_cast<int>(MouseMode::DragV3)) {
        cursors.PlaceVertical(mode - static_cast<int>(MouseMode::DragV1), SampleAtX(state_, at.x()),
                              document_.Core().oscillogram.SampleCount());
        document_.SetCursors(cursors);
    } else if (state_.mouseMode == MouseMode::DragH1 || state_.mouseMode == MouseMode::DragH2) {
        PlaceHorizontal(state_.mouseMode == MouseMode::DragH1 ? 0 : 1, at);
    } else if (state_.mouseMode == MouseMode::DragAnnotation || state_.mouseMode == MouseMode::DragAnnotationEnd) {
        annotations_->Drag(at);
    } else if (state_.mouseMode == MouseMode::DragPasted) {
        DragPasted(at);
    }
}

// Ctrl and the left button on a pasted channel's row take its record's pasted channels along.
bool CZarvaView::StartPastedDrag(QMouseEvent* event)
{
    const std::optional<RowHit> hit = HitRow(event->position().toPoint().y());
    if (event->button() != Qt::LeftButton || !event->modifiers().testFlag(Qt::ControlModifier) || !hit)
        return false;
    const Channel& channel = document_.Core().oscillogram.channels[rows_[hit->row].members[hit->member]];
    if (!channel.HasFlag(display::kPasted))
        return false;
    state_.mouseMode = MouseMode::DragPasted;
    pastedDragX_ = event->position().toPoint().x();
    pastedDragOffset_ = document_.Core().merge.mergeOffset;
    return true;
}

void CZarvaView::DragPasted(const QPoint& at)
{
    const std::int32_t rate = document_.Core().oscillogram.sampleRate;
    if (rate <= 0)
        return;
    const double samples = (at.x() - pastedDragX_) / (view::kSampleWidth * state_.xScale);
    double& offset = document_.Core().merge.mergeOffset;
    offset = pastedDragOffset_ + samples / rate;
    QToolTip::showText(mapToGlobal(at), Tr(kPastedOffsetText, QString::number(offset * 1000.0, 'f', 3)), this);
    document_.NotifyRecordChanged();
}

void CZarvaView::PlaceHorizontal(int index, const QPoint& at)
{
    const std::optional<RowHit> hit = HitRow(at.y());
    if (!hit || rows_[hit->row].discrete)
        return;
    const Row& row = rows_[hit->row];
    const auto& channels = document_.Core().oscillogram.channels;
    const TraceMapping mapping = RowTraceMapping(channels, row, state_, RowScreenTop(row), ClientWidth());
    CursorSet cursors = document_.Core().cursors;
    cursors.PlaceHorizontal(index, ValueAtY(mapping, at.y()), static_cast<int>(row.members[hit->member]));
    document_.SetCursors(cursors);
}

void CZarvaView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (dragCandidate_ && event->buttons().testFlag(Qt::LeftButton) &&
        (at - dragCandidate_->first).manhattanLength() >= QApplication::startDragDistance()) {
        const std::size_t channel = dragCandidate_->second;
        dragCandidate_.reset();
        StartChannelDrag(channel);
        return;
    }
    if (state_.mouseMode == MouseMode::Normal && !event->buttons()) {
        annotations_->Hover(at);
    } else if (state_.mouseMode == MouseMode::ZoomDrag) {
        zoomY_ = at.y();
        RepaintOverlay();
    } else if (state_.mouseMode != MouseMode::Normal && state_.mouseMode != MouseMode::ZoomToolArmed) {
        DragTo(at);
    }
}

void CZarvaView::mouseReleaseEvent(QMouseEvent* event)
{
    dragCandidate_.reset();
    annotations_->Release();
    const QPoint at = event->position().toPoint();
    if (state_.mouseMode == MouseMode::ZoomDrag) {
        FinishZoomDrag(at);
    } else if (state_.mouseMode != MouseMode::ZoomToolArmed) {
        state_.mouseMode = MouseMode::Normal;
    }
    if (event->button() == Qt::RightButton)
        ShowContextMenu(at);
}

void CZarvaView::FinishZoomDrag(const QPoint& at)
{
    state_.mouseMode = MouseMode::Normal;
    const auto row = RowOf(rows_, zoomChannel_);
    if (!row)
        return;
    const int top = RowScreenTop(rows_[*row]);
    ZoomRowWindow(document_.Core().oscillogram.channels, rows_[*row], zoomStart_.y() - top, at.y() - top);
    document_.NotifyRecordChanged();
}

void CZarvaView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::AltModifier)) {
        // Some platforms turn a wheel with ALT into a horizontal one.
        const int turned = delta != 0 ? delta : event->angleDelta().x();
        ZoomVertically(turned > 0);
    } else if (modifiers.testFlag(Qt::ControlModifier)) {
        ZoomHorizontally(delta > 0);
    } else if (modifiers.testFlag(Qt::ShiftModifier)) {
        const int step = HorizontalScrollStep(state_, document_.Core().oscillogram.SampleCount());
        QScrollBar* bar = horizontalScrollBar();
        bar->setValue(delta > 0 ? std::max(bar->value() - step, 0) : bar->value() + step);
    } else {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() - delta);
    }
    event->accept();
}

void CZarvaView::keyPressEvent(QKeyEvent* event)
{
    CursorSet cursors = document_.Core().cursors;
    const int vertical = Shift(event) ? 1 : 0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!cursors.Vertical(vertical).active)
            return;
        cursors.MoveVertical(vertical, event->key() == Qt::Key_Left ? -1 : 1, document_.Core().oscillogram.SampleCount());
        document_.SetCursors(cursors);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const HorizontalCursor& cursor = cursors.Horizontal(vertical);
        const auto mapping = HorizontalCursorMapping(vertical);
        if (!mapping)
            return;
        const int y = mapping->Y(cursor.value) + (event->key() == Qt::Key_Up ? -1 : 1);
        cursors.PlaceHorizontal(vertical, ValueAtY(*mapping, y), cursor.channel);
        document_.SetCursors(cursors);
        return;
    }
    case Qt::Key_Delete:
        annotations_->RemovePicked();
        return;
    default:
        CBaseView::keyPressEvent(event);
    }
}

void CZarvaView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && !InLabelPanel(at) && annotations_->DoubleClick(at))
        return;
    const std::optional<RowHit> hit = InLabelPanel(at) ? HitRow(at.y()) : std::nullopt;
    if (!hit || event->button() != Qt::LeftButton)
        return;
    const Row& row = rows_[hit->row];
    const std::size_t channel = row.members[hit->member];
    const Channel& shown = document_.Core().oscillogram.channels[channel];
    const int nameWidth = QFontMetrics(MainFont()).horizontalAdvance(QString::fromStdString(PanelName(shown)));
    if (!shown.IsAnalog() || at.x() < 4 || at.x() > nameWidth + 7)
        return;
    StartRename(channel, QRect(2, MemberTop(row, hit->member) + 2, std::max(nameWidth + 40, 120), TextHeight() + 2));
}

void CZarvaView::StartRename(std::size_t channel, const QRect& nameArea)
{
    if (editor_ == nullptr) {
        editor_ = new QLineEdit(viewport());
        editor_->setFont(MainFont());
        editor_->installEventFilter(this);
        connect(editor_, &QLineEdit::returnPressed, this, [this] { FinishRename(true); });
        connect(editor_, &QLineEdit::editingFinished, this, [this] { FinishRename(false); });
    }
    editedChannel_ = static_cast<int>(channel);
    editor_->setText(QString::fromStdString(PanelName(document_.Core().oscillogram.channels[channel])));
    editor_->setGeometry(nameArea);
    editor_->show();
    editor_->setFocus();
    editor_->selectAll();
}

void CZarvaView::FinishRename(bool confirmed)
{
    if (editedChannel_ < 0)
        return;
    const auto index = static_cast<std::size_t>(editedChannel_);
    editedChannel_ = -1;
    editor_->hide();
    setFocus();
    const std::string name = editor_->text().trimmed().toStdString();
    Oscillogram& record = document_.Core().oscillogram;
    if (!confirmed || index >= record.channels.size() || name.empty() || name == PanelName(record.channels[index]))
        return;
    if (const int refusal = RenameChannel(record, index, name)) {
        QMessageBox::warning(this, Tr(text::kAppName), Tr(refusal));
        return;
    }
    document_.SetModifiedFlag();
    document_.NotifyRecordChanged();
}

bool CZarvaView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        FinishRename(false);
        return true;
    }
    return CBaseView::eventFilter(watched, event);
}

bool CZarvaView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (!ShowValueTooltip(help->pos(), help->globalPos()))
            QToolTip::hideText();
        return true;
    }
    return CBaseView::viewportEvent(event);
}

bool CZarvaView::ShowValueTooltip(const QPoint& at, const QPoint& global)
{
    const std::optional<RowHit> hit = InLabelPanel(at) ? HitRow(at.y()) : std::nullopt;
    if (!hit || rows_[hit->row].discrete || at.x() < state_.nameColumnWidth)
        return false;
    const Row& row = rows_[hit->row];
    const Channel& channel = document_.Core().oscillogram.channels[row.members[hit->member]];
    const int top = MemberTop(row, hit->member) + 3;
    const int line = (at.y() - top) / TextHeight();
    const VerticalCursor& v1 = document_.Core().cursors.Vertical(0);
    const std::optional<std::int64_t> cursor = v1.active ? std::optional<std::int64_t>(v1.sample) : std::nullopt;
    std::optional<double> value;
    if (line == 0) {
        value = ValueAtCursor(channel, cursor);
    } else if (!row.Merged()) {
        const std::vector<ReadoutLine> lines = ReadoutLines(channel, cursor);
        if (line >= 1 && static_cast<std::size_t>(line) <= lines.size())
            value = lines[static_cast<std::size_t>(line - 1)].value;
    }
    if (!value)
        return false;
    QToolTip::showText(global, QString::fromStdString(HoverText(*value)), viewport());
    return true;
}

void CZarvaView::StartChannelDrag(std::size_t channel)
{
    auto* dragged = new QMimeData;
    dragged->setData(kChannelMime, QByteArray::number(reinterpret_cast<quintptr>(this)) + ' ' + QByteArray::number(channel));
    auto* drag = new QDrag(this);
    drag->setMimeData(dragged);
    drag->exec(Qt::MoveAction);
}

void CZarvaView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(kChannelMime) && event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CZarvaView::dragMoveEvent(QDragMoveEvent* event)
{
    const std::optional<RowHit> hit = HitRow(event->position().toPoint().y());
    if (event->source() == this && hit && !rows_[hit->row].discrete)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CZarvaView::dropEvent(QDropEvent* event)
{
    const QList<QByteArray> parts = event->mimeData()->data(kChannelMime).split(' ');
    const std::optional<RowHit> hit = HitRow(event->position().toPoint().y());
    if (event->source() != this || parts.size() != 2 || !hit)
        return;
    event->acceptProposedAction();
    MergeDropped(parts[1].toULongLong(), rows_[hit->row].Channel());
}

void CZarvaView::MergeDropped(std::size_t dragged, std::size_t target)
{
    auto& channels = document_.Core().oscillogram.channels;
    const auto row = RowOf(rows_, target);
    if (dragged >= channels.size() || !row || std::find(rows_[*row].members.begin(), rows_[*row].members.end(), dragged) !=
                                                  rows_[*row].members.end())
        return;
    for (Channel& channel : channels)
        channel.selected = false;
    channels[dragged].selected = true;
    for (const std::size_t member : rows_[*row].members)
        channels[member].selected = true;
    if (!CanMerge(channels)) {
        document_.NotifyRecordChanged();
        QMessageBox::warning(this, Tr(text::kAppName), Tr(viewtext::kCannotMerge));
        return;
    }
    MergeSelected();
}

} // namespace zarva::gui
