#include "gui/view/CZarvaView.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/view/AnnotationController.h"
#include "gui/view/ViewPainter.h"

#include "core/formats/SettingsFile.h"
#include "core/model/CodePage.h"
#include "core/view/ChannelColours.h"
#include "core/view/CursorTexts.h"
#include "core/view/LabelPanel.h"
#include "core/view/TimeRuler.h"
#include "core/view/ViewScale.h"
#include "core/view/ViewSettings.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

namespace zarva::gui {
namespace {

constexpr int kVerticalStep = 100;  // pixels per line or page step of the vertical bar

} // namespace

CZarvaView::CZarvaView(CZarvaDoc& document, QWidget* parent) : CBaseView(parent), document_(document)
{
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalScrollBar()->setSingleStep(1);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        // Line and page steps both move by one view width.
        QScrollBar* bar = horizontalScrollBar();
        const std::size_t count = document_.Core().oscillogram.SampleCount();
        const int step = HorizontalScrollStep(state_, count);
        if (action == QAbstractSlider::SliderSingleStepSub || action == QAbstractSlider::SliderPageStepSub)
            bar->setSliderPosition(std::max(bar->value() - step, 0));
        else if (action == QAbstractSlider::SliderSingleStepAdd || action == QAbstractSlider::SliderPageStepAdd)
            bar->setSliderPosition(bar->value() + step);
    });
    verticalScrollBar()->setSingleStep(kVerticalStep);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        QScrollBar* bar = verticalScrollBar();
        if (action == QAbstractSlider::SliderPageStepSub)
            bar->setSliderPosition(bar->value() - kVerticalStep);
        else if (action == QAbstractSlider::SliderPageStepAdd)
            bar->setSliderPosition(bar->value() + kVerticalStep);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int position) {
        ScrollHorizontallyTo(state_, position, document_.Core().oscillogram.SampleCount());
        RepaintTraces();
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int position) {
        state_.verticalOffset = -position;
        RepaintTraces();
    });
    connect(&document_, &CZarvaDoc::recordChanged, this, &CZarvaView::Refresh);
    connect(&document_, &CZarvaDoc::selectionChanged, this, &CZarvaView::Refresh);
    connect(&document_, &CZarvaDoc::cursorsChanged, this, &CZarvaView::CursorsChanged);
    connect(&document_, &CZarvaDoc::cursorDifferenceChanged, this, &CZarvaView::Relayout);
    RegisterCommands();
    annotations_ = std::make_unique<AnnotationController>(*this, [this] {
        if (state_.mouseMode == MouseMode::ZoomToolArmed || state_.mouseMode == MouseMode::ZoomDrag)
            state_.mouseMode = MouseMode::Normal;
    });
    annotations_->RegisterCommands(*this);
    UpdateColours();
    Relayout();
}

CZarvaView::~CZarvaView() = default;

int CZarvaView::ClientWidth() const
{
    return viewport()->width();
}

int CZarvaView::ClientHeight() const
{
    return viewport()->height();
}

int CZarvaView::RulerBandHeight() const
{
    return RulerBand(document_.Core().showCursorDifference);
}

double CZarvaView::CurrentFitScale() const
{
    return FitScale(ClientWidth(), document_.Core().oscillogram.SampleCount());
}

void CZarvaView::EnsureSettingsRead()
{
    // The default scale fits the record to the window: only a shown window has its width.
    if (settingsRead_ || !isVisible() || ClientWidth() <= 0)
        return;
    settingsRead_ = true;
    ReadViewSettings(document_.Core().settings.Find(kViewSection), CurrentFitScale(),
                     DefaultRulerUnit(document_.Core().oscillogram), state_);
}

void CZarvaView::WriteSettings()
{
    WriteViewSettings(state_, document_.Core().settings.Section(kViewSection));
    document_.SetModifiedFlag();
}

void CZarvaView::UpdateColours()
{
    const Oscillogram& record = document_.Core().oscillogram;
    colours_.clear();
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        const Channel& channel = record.channels[i];
        const Phase phase = ClassifyPhase(DecodeText(channel.phase, record.codePage), channel.Name());
        colours_.push_back(ChannelColour(channel, i, phase));
    }
}

void CZarvaView::Refresh()
{
    cache_.ForgetLayer();
    UpdateColours();
    Relayout();
    emit statusTextsChanged();
}

void CZarvaView::Relayout()
{
    const Oscillogram& record = document_.Core().oscillogram;
    const QFontMetrics mainMetrics(MainFont());
    const QFontMetrics smallMetrics(SmallFont());
    const PanelWidths widths = LabelPanelWidths(
        record, state_.rulerState,
        [&mainMetrics](const std::string& text) { return mainMetrics.horizontalAdvance(QString::fromStdString(text)); },
        [&smallMetrics](const std::string& text) { return smallMetrics.horizontalAdvance(QString::fromStdString(text)); });
    state_.leftMargin = widths.leftMargin;
    state_.nameColumnWidth = widths.nameColumnWidth;
    rows_ = LayoutRows(record.channels, state_.yAnalogSize, Metrics());
    UpdateScrollBars();
    RepaintTraces();
}

void CZarvaView::UpdateScrollBars()
{
    const std::size_t count = document_.Core().oscillogram.SampleCount();
    const ScrollRange across = LayoutHorizontally(state_, ClientWidth(), count);
    const ScrollRange down =
        LayoutVertically(state_, ClientHeight(), RulerBandHeight(), ContentHeight(rows_), -state_.verticalOffset);
    const auto apply = [](QScrollBar* bar, const ScrollRange& range) {
        const QSignalBlocker quiet(bar);
        bar->setRange(0, range.enabled ? range.maximum : 0);
        bar->setPageStep(std::max(range.page, 1));
        bar->setValue(range.position);
        bar->setEnabled(range.enabled);
    };
    apply(horizontalScrollBar(), across);
    apply(verticalScrollBar(), down);
}

void CZarvaView::RepaintTraces()
{
    cache_.ForgetLayer();
    viewport()->update();
}

void CZarvaView::RepaintOverlay()
{
    viewport()->update();
}

void CZarvaView::CursorsChanged()
{
    RepaintOverlay();
    emit statusTextsChanged();
}

QStringList CZarvaView::StatusTexts() const
{
    QStringList texts;
    for (const std::string& text : CursorStatusTexts(document_.Core(), state_.rulerState).Panes())
        texts.append(QString::fromStdString(text));
    return texts;
}

void CZarvaView::SetXScale(double xScale)
{
    EnsureSettingsRead();
    state_.xScale = UsableScale(xScale, CurrentFitScale());
    Relayout();
}

void CZarvaView::SetFirstSample(std::int64_t sample)
{
    state_.firstSample = std::max<std::int64_t>(sample, 0);
    Relayout();
}

void CZarvaView::SetRulerUnit(RulerUnit unit)
{
    state_.rulerState = unit;
    Relayout();
    emit statusTextsChanged();
}

void CZarvaView::SetEveryVertex(bool everyVertex)
{
    everyVertex_ = everyVertex;
    RepaintTraces();
}

int CZarvaView::CursorX(std::int64_t sample) const
{
    return static_cast<int>(SampleX(state_, static_cast<double>(sample)));
}

void CZarvaView::resizeEvent(QResizeEvent* event)
{
    CBaseView::resizeEvent(event);
    Relayout();
}

void CZarvaView::DrawPrintPage(QPainter& painter, const std::vector<Row>& pageRows, int width, int height)
{
    std::vector<Row> shown = pageRows;
    std::swap(rows_, shown);
    DrawFor(DrawTarget::Print, painter, width, height);
    std::swap(rows_, shown);
}

void CZarvaView::DrawView(QPainter& painter, int width, int height)
{
    if (!settingsRead_ && Target() == DrawTarget::Screen) {
        EnsureSettingsRead();
        Relayout();
    }
    const bool print = Target() == DrawTarget::Print;
    ViewFrame frame{document_.Core(), state_, rows_, colours_, Metrics(),
                    MainFont(), SmallFont(), width, height, RulerBandHeight(), print ? 0 : state_.verticalOffset,
                    !print, std::nullopt, 0};
    if (state_.mouseMode == MouseMode::ZoomDrag && !print) {
        frame.zoomDragStart = zoomStart_;
        frame.zoomDragY = zoomY_;
    }
    if (Target() != DrawTarget::Screen) {
        ViewPainter drawing(painter, frame);
        drawing.SetEveryVertex(everyVertex_);
        drawing.DrawTraces();
        drawing.DrawOverlay();
        return;
    }
    const QSize size(width, height);
    if (cache_.Layer(size) == nullptr) {
        QPixmap& layer = cache_.NewLayer(size, devicePixelRatioF());
        QPainter layerPainter(&layer);
        ViewPainter drawing(layerPainter, frame);
        drawing.SetEveryVertex(everyVertex_);
        drawing.DrawTraces();
    }
    painter.drawPixmap(0, 0, *cache_.Layer(size));
    ViewPainter(painter, frame).DrawOverlay();
}

} // namespace zarva::gui
