#pragma once

#include "gui/app/CommandTarget.h"
#include "gui/view/CBaseView.h"
#include "gui/view/TraceCache.h"

#include "core/document/Recompute.h"
#include "core/model/Colour.h"
#include "core/view/RowLayout.h"
#include "core/view/TraceGeometry.h"
#include "core/view/ViewState.h"

#include <QPoint>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLineEdit;

namespace zarva {
class Document;
}

namespace zarva::gui {

class AnnotationController;
class CZarvaDoc;

// The oscillogram view: the record's channels as rows against a common time axis, with the
// label panel, the time ruler, the cursors and the annotations. It takes the view's commands and the mouse;
// the numbers it draws by come from the core (core/view).
class CZarvaView : public CBaseView, public CommandTarget {
    Q_OBJECT
public:
    CZarvaView(CZarvaDoc& document, QWidget* parent);
    ~CZarvaView() override;

    CZarvaDoc& Document() const { return document_; }
    const ViewState& State() const { return state_; }
    const std::vector<Row>& Rows() const { return rows_; }
    // The status-bar texts of the cursors: V1, V2, their difference, H1, H2, theirs.
    QStringList StatusTexts() const;

    // Redraws after the record, its channels or their series changed.
    void Refresh();
    // Recomputes the layout from the client size and repaints.
    void Relayout();

    // Direct settings for pictures made from the command line; each is kept within its limits.
    void SetXScale(double xScale);
    void SetFirstSample(std::int64_t sample);
    void SetRulerUnit(RulerUnit unit);

    // Draws every sample as a vertex instead of the column envelope (for comparing the two).
    void SetEveryVertex(bool everyVertex);

    void DrawView(QPainter& painter, int width, int height) override;
    // One printed page: the given rows from its top, the ruler at its foot.
    void DrawPrintPage(QPainter& painter, const std::vector<Row>& pageRows, int width, int height);

    // Pixel x of a sample and the screen top of a row, as drawn.
    int CursorX(std::int64_t sample) const;
    int RowScreenTop(const Row& row) const { return row.top + state_.verticalOffset; }

signals:
    void statusTextsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout and drawing (CZarvaView.cpp).
    void EnsureSettingsRead();
    void WriteSettings();
    void UpdateColours();
    void UpdateScrollBars();
    int ClientWidth() const;
    int ClientHeight() const;
    int RulerBandHeight() const;
    double CurrentFitScale() const;
    void RepaintTraces();
    void RepaintOverlay();
    void CursorsChanged();

    // Commands (ViewCommands.cpp).
    void RegisterCommands();
    void RegisterChannelCommands();
    void RegisterDisplayFlagCommands();
    void RegisterCursorCommands();
    void RegisterOutputCommands();
    // Recomputes the listed channels' series (and, after a change of values, the computed
    // channels), marks the record changed and redraws.
    void ChannelsChanged(const std::vector<std::size_t>& changed, ChannelChange change);
    void Recompute(const std::function<void(zarva::Document&)>& recompute);
    void ZoomHorizontally(bool zoomIn);
    void ZoomVertically(bool zoomIn);
    void ToggleVerticalCursor(int index);
    void ToggleHorizontalCursor(int index);
    void SetPrimaryValues(bool primary);
    void EditRatios();
    void ChooseColour();
    void MergeSelected();
    void SplitSelected();
    void SavePictureAs();
    bool AnySelected() const;
    std::optional<int> HorizontalAnchorY() const;
    // How the row of horizontal cursor `index` maps values to pixels; none while the cursor
    // is off or its channel has no row.
    std::optional<TraceMapping> HorizontalCursorMapping(int index) const;
    TextMetrics Metrics() const { return TextMetrics{TextHeight(), SmallTextHeight()}; }
    // Screen top of the label block of a row's member.
    int MemberTop(const Row& row, std::size_t member) const;

    // Mouse and keyboard (ViewInput.cpp).
    bool InLabelPanel(const QPoint& at) const;
    bool InRulerBand(const QPoint& at) const;
    std::optional<RowHit> HitRow(int y) const;
    std::optional<MouseMode> CursorUnder(const QPoint& at) const;
    void PressInLabelPanel(QMouseEvent* event);
    void PressInPlot(QMouseEvent* event);
    void DragTo(const QPoint& at);
    void PlaceHorizontal(int index, const QPoint& at);
    bool StartPastedDrag(QMouseEvent* event);
    void DragPasted(const QPoint& at);
    void FinishZoomDrag(const QPoint& at);
    // The ruler's menu in the ruler band, the channel menu in the label panel, an annotation's
    // menu over one in the plot.
    void ShowContextMenu(const QPoint& at);
    void ShowRulerMenu(const QPoint& at);
    void ShowChannelMenu(const QPoint& at);
    void StartRename(std::size_t channel, const QRect& nameArea);
    void FinishRename(bool confirmed);
    bool ShowValueTooltip(const QPoint& at, const QPoint& global);
    void StartChannelDrag(std::size_t channel);
    void MergeDropped(std::size_t dragged, std::size_t target);

    CZarvaDoc& document_;
    std::unique_ptr<AnnotationController> annotations_;
    ViewState state_;
    std::vector<Row> rows_;
    std::vector<Colour> colours_;
    TraceCache cache_;
    bool settingsRead_ = false;
    bool everyVertex_ = false;
    int selectionAnchor_ = -1;
    // The vertical-zoom drag: its start point and the channel of its row.
    QPoint zoomStart_;
    int zoomY_ = 0;
    std::size_t zoomChannel_ = 0;
    // A press in the label panel that may become a channel drag.
    std::optional<std::pair<QPoint, std::size_t>> dragCandidate_;
    // Dragging pasted channels sideways: where the press was and the offset then.
    int pastedDragX_ = 0;
    double pastedDragOffset_ = 0.0;
    QLineEdit* editor_ = nullptr;
    int editedChannel_ = -1;
};

} // namespace zarva::gui
