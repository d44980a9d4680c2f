#include "gui/view/CZarvaView.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Drawing.h"
#include "gui/app/SaveAsDialog.h"
#include "gui/app/Texts.h"
#include "gui/merge/MergeCommands.h"
#include "gui/view/ChannelRatioDlg.h"
#include "gui/view/ViewPrinting.h"

#include "core/diagrams/VectorChart.h"
#include "core/document/Recompute.h"
#include "core/view/ChannelCommands.h"
#include "core/view/RowMapping.h"
#include "core/view/ViewScale.h"
#include "core/view/ViewTexts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace zarva::gui {
namespace {

std::vector<Channel>& ChannelsOf(CZarvaDoc& document)
{
    return document.Core().oscillogram.channels;
}

CommandState Checked(bool enabled, bool checked)
{
    return CommandState{enabled, true, checked};
}

} // namespace

void CZarvaView::RegisterCommands()
{
    OnCommand(cmd::kZoomInVertically, [this] { ZoomVertically(true); });
    OnCommand(cmd::kZoomOutVertically, [this] { ZoomVertically(false); });
    OnCommand(cmd::kZoomInHorizontally, [this] { ZoomHorizontally(true); });
    OnCommand(cmd::kZoomOutHorizontally, [this] { ZoomHorizontally(false); });
    OnCommand(cmd::kZoomSelectionVertically, [this] {
        if (state_.mouseMode == MouseMode::Normal)
            state_.mouseMode = MouseMode::ZoomToolArmed;
        else if (state_.mouseMode == MouseMode::ZoomToolArmed)
            state_.mouseMode = MouseMode::Normal;
    }, [this] {
        const bool armed = state_.mouseMode == MouseMode::ZoomToolArmed || state_.mouseMode == MouseMode::ZoomDrag;
        return Checked(true, armed);
    });
    OnCommand(cmd::kRestoreSize, [this] {
        if (ResetVerticalZoom(ChannelsOf(document_)))
            document_.NotifyRecordChanged();
    }, [this] { return CommandState{AnySelected()}; });
    const std::pair<int, RulerUnit> units[] = {{cmd::kMicroseconds, RulerUnit::Microseconds},
                                               {cmd::kMilliseconds, RulerUnit::Milliseconds},
                                               {cmd::kSeconds, RulerUnit::Seconds},
                                               {cmd::kAbsoluteTime, RulerUnit::AbsoluteTime},
                                               {cmd::kSampleNumbers, RulerUnit::Samples}};
    for (const auto& [command, unit] : units) {
        OnCommand(command, [this, unit = unit] {
            SetRulerUnit(unit);
            WriteSettings();
        }, [this, unit = unit] { return Checked(true, state_.rulerState == unit); });
    }
    OnCommand(cmd::kGrid, [this] {
        state_.sells = !state_.sells;
        WriteSettings();
        RepaintTraces();
    }, [this] { return Checked(true, state_.sells); });
    RegisterChannelCommands();
    RegisterDisplayFlagCommands();
    RegisterCursorCommands();
    RegisterOutputCommands();
    RegisterMergeCommands(document_, *this);
}

void CZarvaView::RegisterChannelCommands()
{
    const auto selection = [this] { return CommandState{AnySelected()}; };
    const auto visibility = [this](auto change) {
        return [this, change] {
            change(ChannelsOf(document_));
            ChannelsChanged({}, ChannelChange::Curve);
        };
    };
    OnCommand(cmd::kShowDiscrete, visibility([](std::vector<Channel>& channels) { ShowDiscrete(channels); }));
    OnCommand(cmd::kHideDiscrete, visibility([](std::vector<Channel>& channels) { HideDiscrete(channels, false); }));
    OnCommand(cmd::kHideUnchangingDiscrete,
              visibility([](std::vector<Channel>& channels) { HideDiscrete(channels, true); }));
    OnCommand(cmd::kHideSelected, visibility([](std::vector<Channel>& channels) { HideSelected(channels); }), selection);
    OnCommand(cmd::kJoinChannels, [this] { MergeSelected(); },
              [this] { return CommandState{CanMerge(ChannelsOf(document_))}; });
    OnCommand(cmd::kSeparateChannels, [this] { SplitSelected(); }, [this] {
        const auto& channels = ChannelsOf(document_);
        return CommandState{std::any_of(channels.begin(), channels.end(),
                                        [](const Channel& channel) { return channel.selected && !channel.group.empty(); })};
    });
    OnCommand(cmd::kChannelColour, [this] { ChooseColour(); }, selection);
    const auto primaryShown = [this] {
        const auto& channels = ChannelsOf(document_);
        const auto first = std::find_if(channels.begin(), channels.end(), [](const Channel& c) { return c.IsAnalog(); });
        return first != channels.end() && first->showPrimary;
    };
    OnCommand(cmd::kPrimaryValues, [this] { SetPrimaryValues(true); },
              [primaryShown] { return Checked(true, primaryShown()); });
    OnCommand(cmd::kSecondaryValues, [this] { SetPrimaryValues(false); },
              [primaryShown] { return Checked(true, !primaryShown()); });
    OnCommand(cmd::kCoefficients, [this] { EditRatios(); });
}

// Commands that switch a display flag, or the curve drawn, of every selected channel.
void CZarvaView::RegisterDisplayFlagCommands()
{
    // Inversion, DC removal and ADC counts change the values a channel gives; the others
    // only what is shown beside it.
    // A diagram's toggle counts only the channels that diagram can show.
    struct Toggle {
        int command;
        std::uint32_t flag;
        bool changesValues;
        bool (*canCarry)(const Channel&) = nullptr;
    };
    const Toggle toggles[] = {
        {cmd::kReadMinMax, display::kReadMinMax, false},         {cmd::kReadRms, display::kReadRms, false},
        {cmd::kReadFirstHarmonic, display::kReadFirstHarmonic, false}, {cmd::kInvert, display::kInverted, true},
        {cmd::kRemoveDc, display::kDcRemoved, true},              {cmd::kAdcCounts, display::kAdcCounts, true},
        {cmd::kOnFrequencyDiagram, display::kOnFrequencyDiagram, false,
         [](const Channel& channel) { return channel.IsAnalog(); }},
        {cmd::kOnVectorDiagram, display::kOnVectorDiagram, false, IsVectorEligible},
        {cmd::kOnCircleDiagram, display::kOnCircleDiagram, false},
    };
    const auto counted = [this](const Toggle& toggle) {
        std::vector<const Channel*> shown;
        for (const Channel& channel : ChannelsOf(document_)) {
            if (channel.selected && (toggle.canCarry == nullptr || toggle.canCarry(channel)))
                shown.push_back(&channel);
        }
        return shown;
    };
    for (const Toggle& toggle : toggles) {
        OnCommand(toggle.command, [this, toggle] {
            const std::vector<std::size_t> changed = ToggleOnSelected(ChannelsOf(document_), toggle.flag, toggle.canCarry);
            if (toggle.changesValues)
                ChannelsChanged(changed, ChannelChange::Values);
            else
                ChannelsChanged({}, ChannelChange::Curve);
        }, [toggle, counted] {
            const std::vector<const Channel*> shown = counted(toggle);
            return Checked(!shown.empty(), !shown.empty() && std::all_of(shown.begin(), shown.end(), [&toggle](const Channel* c) {
                                               return c->HasFlag(toggle.flag);
                                           }));
        });
    }
    const auto allSelectedHave = [this](std::uint32_t flags) {
        const auto& channels = ChannelsOf(document_);
        return AnySelected() && std::all_of(channels.begin(), channels.end(), [flags](const Channel& channel) {
                   return !channel.selected || (channel.displayFlags & flags) == flags;
               });
    };
    const std::pair<int, std::uint32_t> modes[] = {{cmd::kCurveInstant, display::kCurveInstant},
                                                   {cmd::kCurveRms, display::kCurveRms},
                                                   {cmd::kCurveFirstHarmonic, display::kCurveFirstHarmonic}};
    for (const auto& [command, mode] : modes) {
        OnCommand(command, [this, mode = mode] { ChannelsChanged(SetCurveMode(ChannelsOf(document_), mode), ChannelChange::Curve); },
                  [this, mode = mode, allSelectedHave] { return Checked(AnySelected(), allSelectedHave(mode)); });
    }
}

void CZarvaView::RegisterCursorCommands()
{
    const int verticals[] = {cmd::kVerticalCursor1, cmd::kVerticalCursor2, cmd::kVerticalCursor3};
    for (int i = 0; i < CursorSet::kVerticalCount; ++i) {
        OnCommand(verticals[i], [this, i] { ToggleVerticalCursor(i); },
                  [this, i] { return Checked(true, document_.Core().cursors.Vertical(i).active); });
    }
    const int horizontals[] = {cmd::kHorizontalCursor1, cmd::kHorizontalCursor2};
    for (int i = 0; i < CursorSet::kHorizontalCount; ++i) {
        OnCommand(horizontals[i], [this, i] { ToggleHorizontalCursor(i); },
                  [this, i] { return Checked(true, document_.Core().cursors.Horizontal(i).active); });
    }
}

void CZarvaView::RegisterOutputCommands()
{
    OnCommand(cmd::kCopyPicture, [this] { CopyAsPicture(); });
    OnCommand(cmd::kSavePicture, [this] { SavePictureAs(); });
    OnCommand(cmd::kPrint, [this] { PrintWithDialog(*this); });
    OnCommand(cmd::kPrintPreview, [this] { ShowPrintPreview(*this); });
}

bool CZarvaView::AnySelected() const
{
    const auto& channels = document_.Core().oscillogram.channels;
    return std::any_of(channels.begin(), channels.end(), [](const Channel& channel) { return channel.selected; });
}

void CZarvaView::ChannelsChanged(const std::vector<std::size_t>& changed, ChannelChange change)
{
    Recompute([&changed, change](zarva::Document& core) { RecomputeChanged(core, changed, change); });
}

void CZarvaView::Recompute(const std::function<void(zarva::Document&)>& recompute)
{
    zarva::Document& core = document_.Core();
    // A cancelled load or an earlier change may have left the flag that stops recomputing.
    core.progress.Reset();
    try {
        recompute(core);
    } catch (const std::exception& error) {
        QMessageBox::warning(this, Tr(text::kAppName), QString::fromStdString(error.what()));
    }
    document_.SetModifiedFlag();
    document_.NotifyRecordChanged();
}

void CZarvaView::ZoomHorizontally(bool zoomIn)
{
    EnsureSettingsRead();
    const std::optional<std::int64_t> anchor = document_.Core().cursors.Anchor();
    if (zoomIn)
        ZoomInHorizontally(state_, anchor);
    else
        ZoomOutHorizontally(state_, anchor, CurrentFitScale(), document_.Core().oscillogram.SampleCount(), ClientWidth());
    WriteSettings();
    Relayout();
}

void CZarvaView::ZoomVertically(bool zoomIn)
{
    EnsureSettingsRead();
    zarva::ZoomVertically(state_, zoomIn, HorizontalAnchorY().value_or(0));
    WriteSettings();
    Relayout();
}

std::optional<TraceMapping> CZarvaView::HorizontalCursorMapping(int index) const
{
    const HorizontalCursor& cursor = document_.Core().cursors.Horizontal(index);
    const auto row = cursor.active ? RowOf(rows_, static_cast<std::size_t>(cursor.channel)) : std::nullopt;
    if (!row)
        return std::nullopt;
    const Row& shown = rows_[*row];
    return RowTraceMapping(document_.Core().oscillogram.channels, shown, state_, RowScreenTop(shown), ClientWidth());
}

int CZarvaView::MemberTop(const Row& row, std::size_t member) const
{
    const int block = row.Merged() ? MemberBlockHeight(document_.Core().oscillogram.channels[row.Channel()], Metrics()) : 0;
    return RowScreenTop(row) + static_cast<int>(member) * block;
}

std::optional<int> CZarvaView::HorizontalAnchorY() const
{
    for (int i = 0; i < CursorSet::kHorizontalCount; ++i) {
        if (const auto mapping = HorizontalCursorMapping(i))
            return mapping->Y(document_.Core().cursors.Horizontal(i).value);
    }
    return std::nullopt;
}

void CZarvaView::ToggleVerticalCursor(int index)
{
    CursorSet cursors = document_.Core().cursors;
    if (cursors.NeverPlaced(index)) {
        const int plotWidth = ClientWidth() - state_.leftMargin;
        const double x = state_.leftMargin + plotWidth / 4.0 * (index + 1);
        cursors.PlaceVertical(index, SampleAtX(state_, x), document_.Core().oscillogram.SampleCount());
    } else {
        cursors.SetVerticalActive(index, !cursors.Vertical(index).active);
    }
    document_.SetCursors(cursors);
}

void CZarvaView::ToggleHorizontalCursor(int index)
{
    CursorSet cursors = document_.Core().cursors;
    if (!cursors.HorizontalNeverPlaced(index)) {
        cursors.SetHorizontalActive(index, !cursors.Horizontal(index).active);
        document_.SetCursors(cursors);
        return;
    }
    PlaceHorizontal(index, QPoint(state_.leftMargin, index == 0 ? 10 : 20));
}

void CZarvaView::SetPrimaryValues(bool primary)
{
    ChannelsChanged(ShowPrimaryValues(ChannelsOf(document_), primary), ChannelChange::Values);
}

void CZarvaView::EditRatios()
{
    ChannelRatioDlg dialog(document_.Core().oscillogram, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<std::size_t> changed = dialog.Apply(document_.Core().oscillogram);
    if (!changed.empty())
        ChannelsChanged(changed, ChannelChange::Values);
}

void CZarvaView::ChooseColour()
{
    auto& channels = ChannelsOf(document_);
    const auto first = std::find_if(channels.begin(), channels.end(), [](const Channel& c) { return c.selected; });
    if (first == channels.end())
        return;
    const Colour current = colours_[static_cast<std::size_t>(first - channels.begin())];
    const QColor chosen = QColorDialog::getColor(ToQColor(current), this);
    if (!chosen.isValid())
        return;
    for (Channel& channel : channels) {
        if (channel.selected) {
            channel.customColourSet = true;
            channel.customColour = static_cast<std::int32_t>(ToColour(chosen));
        }
    }
    ChannelsChanged({}, ChannelChange::Curve);
}

void CZarvaView::MergeSelected()
{
    auto& channels = ChannelsOf(document_);
    if (!CanMerge(channels))
        return;
    if (!SameSamplingRate(channels)) {
        QMessageBox::critical(this, Tr(text::kAppName), Tr(viewtext::kRatesDiffer));
        return;
    }
    zarva::MergeSelected(channels, NewGroupId());
    ChannelsChanged({}, ChannelChange::Curve);
}

void CZarvaView::SplitSelected()
{
    zarva::SplitSelected(ChannelsOf(document_));
    document_.NotifyRecordChanged();
}

void CZarvaView::SavePictureAs()
{
    const QStringList filters = QtFilters(FiltersOf({viewtext::kPictureFilters}));
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(this, Tr(viewtext::kSavePictureTitle), QString(),
                                                filters.join(QStringLiteral(";;")), &chosenFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty()) {
        const qsizetype index = std::max<qsizetype>(filters.indexOf(chosenFilter), 0);
        path += QStringList{QStringLiteral(".png"), QStringLiteral(".svg"), QStringLiteral(".pdf")}.value(index);
    }
    if (!SavePicture(path))
        QMessageBox::warning(this, Tr(text::kAppName), Tr(viewtext::kCannotSavePicture, path));
}

} // namespace zarva::gui
