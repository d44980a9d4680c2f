#include "gui/diagrams/PlaneDiagramWnd.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandActions.h"
#include "gui/app/DataFolder.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/BlockPropertyGrid.h"
#include "gui/diagrams/ChannelPairDlg.h"
#include "gui/diagrams/DiagramColours.h"
#include "gui/diagrams/DiagramIds.h"

#include "core/charbase/CharacteristicChoices.h"

#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QStandardPaths>

namespace zarva::gui {
namespace {

using namespace diagram_cmd;

std::filesystem::path PathOf(const QString& folder)
{
    return std::filesystem::path(folder.toStdString());
}

} // namespace

PlaneDiagramWnd::PlaneDiagramWnd(ChartKind kind, ChannelChoice choice, QWidget* parent)
    : DiagramWnd(choice, parent), kind_(kind), choice_(choice), folders_(DefaultBaseFolders())
{
    RegisterCommands();
}

std::vector<std::filesystem::path> PlaneDiagramWnd::DefaultBaseFolders()
{
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/charbases");
    return {PathOf(QCoreApplication::applicationDirPath()), PathOf(DataPath(QStringLiteral("charbases"))), PathOf(user)};
}

void PlaneDiagramWnd::SetBaseFolders(std::vector<std::filesystem::path> folders)
{
    folders_ = std::move(folders);
    basesRead_ = false;
    if (Document() != nullptr)
        ReloadBases();
}

void PlaneDiagramWnd::SetVisibleSamples(std::function<SampleRange()> visible)
{
    visible_ = std::move(visible);
}

BlockPropertyGrid* PlaneDiagramWnd::CreateGrid(QWidget* parent)
{
    grid_ = new BlockPropertyGrid(parent);
    connect(grid_, &BlockPropertyGrid::blockSelected, this, &PlaneDiagramWnd::OnBlockSelected);
    connect(grid_, &BlockPropertyGrid::choicesEdited, this, [this] { ChoicesChanged(true); });
    ShowInGrid();
    return grid_;
}

void PlaneDiagramWnd::ShowInGrid()
{
    if (grid_ != nullptr)
        grid_->SetBlocks(&blocks_, selected_);
}

void PlaneDiagramWnd::RegisterCommands()
{
    const auto withRecord = [this] { return WithRecord(); };
    OnCommand(kShowAll, [this] { ShowEverything(true); }, withRecord);
    OnCommand(kHideAll, [this] { ShowEverything(false); }, withRecord);
    OnCommand(kNewPair, [this] { CreatePair(); }, withRecord);
    OnCommand(kReloadBases, [this] { ReloadBases(); }, withRecord);
    OnToggle(kSightsOnly, [this] { ChangeOptions([](PlaneChartOptions& o) { o.sightsOnly = !o.sightsOnly; }); },
             [this] { return options_.sightsOnly; });
    OnToggle(kShowOffCharacteristics,
             [this] { ChangeOptions([](PlaneChartOptions& o) { o.showOffCharacteristics = !o.showOffCharacteristics; }); },
             [this] { return options_.showOffCharacteristics; });
}

void PlaneDiagramWnd::RegisterPairCommands()
{
    for (std::size_t j = registeredPairs_; j < pairs_.size(); ++j) {
        OnCommand(kPairEntry + static_cast<int>(j), [this, j] { TogglePair(j); }, [this, j] {
            return CommandState{j < pairs_.size(), true, j < pairs_.size() && pairs_[j].shown};
        });
    }
    registeredPairs_ = std::max(registeredPairs_, pairs_.size());
}

void PlaneDiagramWnd::ReadSettings(CZarvaDoc& document)
{
    const SettingsStore& settings = document.Core().settings;
    options_ = ReadPlaneOptions(settings, kind_);
    pairs_ = ReadPairs(settings, kind_);
    if (kind_ == ChartKind::Circle)
        DropStrayCircleFlags(document.Core().oscillogram);
    if (!basesRead_) {
        ReloadBases();
        return;
    }
    selected_ = FindBlock(blocks_, SelectedBlockName(settings, kind_));
    if (selected_ != 0)
        LoadChoices(settings, kind_, blocks_[selected_]);
    ShowInGrid();
    ChoicesChanged(false);
}

void PlaneDiagramWnd::ReloadBases()
{
    CZarvaDoc* document = Document();
    const std::string wanted = document != nullptr ? SelectedBlockName(document->Core().settings, kind_)
                                                   : (Block() != nullptr ? Block()->name : std::string());
    LoadedBases loaded = LoadBases(BaseFiles(folders_), kind_);
    basesRead_ = true;
    blocks_ = std::move(loaded.blocks);
    selected_ = FindBlock(blocks_, wanted);
    if (document != nullptr && selected_ != 0)
        LoadChoices(document->Core().settings, kind_, blocks_[selected_]);
    errors_.clear();
    ReportErrors(loaded.errors);
    ShowInGrid();
    ChoicesChanged(false);
}

bool PlaneDiagramWnd::SelectBlock(const std::string& name)
{
    const std::size_t index = FindBlock(blocks_, name);
    if (index == 0 && name != (blocks_.empty() ? std::string() : blocks_.front().name))
        return false;
    OnBlockSelected(index);
    ShowInGrid();
    return true;
}

void PlaneDiagramWnd::OnBlockSelected(std::size_t index)
{
    if (index >= blocks_.size() || index == selected_)
        return;
    selected_ = index;
    errors_.clear();
    ChoicesChanged(true);
}

void PlaneDiagramWnd::ChoicesChanged(bool store)
{
    if (selected_ < blocks_.size())
        ReportErrors(Recalculate(blocks_[selected_]));
    CZarvaDoc* document = Document();
    if (store && document != nullptr && selected_ < blocks_.size()) {
        SaveChoices(document->Core().settings, kind_, blocks_[selected_]);
        document->SetModifiedFlag(true);
    }
    Refresh();
}

void PlaneDiagramWnd::ReportErrors(const std::vector<std::string>& errors)
{
    for (const std::string& error : errors) {
        const QString text = QString::fromStdString(error);
        errors_.append(text);
        if (Document() != nullptr)
            Document()->Services().ReportError(text);
    }
}

void PlaneDiagramWnd::ChangeOptions(const std::function<void(PlaneChartOptions&)>& change)
{
    if (Document() == nullptr)
        return;
    change(options_);
    WritePlaneOptions(Document()->Core().settings, kind_, options_);
    RecordChanged();
}

void PlaneDiagramWnd::StorePairs()
{
    if (Document() == nullptr)
        return;
    WritePairs(Document()->Core().settings, kind_, pairs_);
    RecordChanged();
}

void PlaneDiagramWnd::AddPair(const ChannelPair& pair)
{
    pairs_.push_back(pair);
    StorePairs();
}

void PlaneDiagramWnd::TogglePair(std::size_t index)
{
    if (index >= pairs_.size())
        return;
    pairs_[index].shown = !pairs_[index].shown;
    StorePairs();
}

void PlaneDiagramWnd::ShowEverything(bool show)
{
    if (Document() == nullptr)
        return;
    choice_.showAll(Document()->Core().oscillogram, show);
    for (ChannelPair& pair : pairs_)
        pair.shown = show;
    StorePairs();
}

void PlaneDiagramWnd::CreatePair()
{
    if (Document() == nullptr)
        return;
    QStringList names;
    for (const Channel& channel : Document()->Core().oscillogram.channels) {
        if (channel.IsAnalog())
            names.append(QString::fromStdString(channel.Name()));
    }
    ChannelPairDlg dialog(kind_, names, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ChannelPair pair = dialog.Pair();
    if (!pair.first.empty() && !pair.second.empty())
        AddPair(pair);
}

void PlaneDiagramWnd::FillOwnMenu(QMenu& menu)
{
    QMenu& channels = *menu.addMenu(Tr(diagram_text::kChannels));
    FillChannelsMenu(channels);
    RegisterPairCommands();
    for (std::size_t j = 0; j < pairs_.size(); ++j) {
        AddCommandEntry(channels, kPairEntry + static_cast<int>(j),
                        QString::fromStdString(pairs_[j].first + " " + pairs_[j].second));
    }
    AddCommandEntry(menu, kNewPair, Tr(diagram_text::kNewPair));
    menu.addSeparator();
    AddCommandEntry(menu, kShowOffCharacteristics, CommandShortTip(kShowOffCharacteristics));
    AddCommandEntry(menu, kSightsOnly, Tr(diagram_text::kSightsOnly));
    FillValueEntries(menu);
    menu.addSeparator();
    AddCommandEntry(menu, kReloadBases, CommandShortTip(kReloadBases));
}

std::vector<PlaneLegendEntry> PlaneDiagramWnd::Legend(const std::vector<Trajectory>& trajectories,
                                                      const Oscillogram& record) const
{
    std::vector<PlaneLegendEntry> legend;
    for (const Trajectory& trajectory : trajectories) {
        legend.push_back({ChannelColourOf(record, trajectory.colourChannel), QString::fromStdString(trajectory.name),
                          options_.viewChannelType != 0 ? ValueText(trajectory) : QString()});
    }
    return legend;
}

std::vector<Trajectory> PlaneDiagramWnd::CurrentTrajectories(const Oscillogram& record) const
{
    const CZarvaDoc* document = Document();
    if (document == nullptr)
        return {};
    const std::size_t samples = record.SampleCount();
    const SampleRange visible = visible_ ? visible_() : SampleRange{0, static_cast<std::int64_t>(samples) - 1};
    const SampleRange range = TrajectoryRange(visible.first, visible.last, document->Core().cursors, options_.sightsOnly, samples);
    return Trajectories(record, range, CursorOneSample());
}

PlaneLayout PlaneDiagramWnd::Layout(const PlaneDiagramPainter& painter, const QRect& rect, std::size_t trajectories) const
{
    const int tableRows = options_.viewChannelType != 0 ? static_cast<int>(trajectories) : 0;
    return painter.Layout(rect, tableRows, kind_ == ChartKind::Differential);
}

PlaneLayout PlaneDiagramWnd::LayoutAt(QSize size) const
{
    if (Document() == nullptr)
        return {};
    QImage device(size, QImage::Format_RGB32);
    QPainter painter(&device);
    return Layout(PlaneDiagramPainter(painter, Font(), true), device.rect(),
                  CurrentTrajectories(Document()->Core().oscillogram).size());
}

void PlaneDiagramWnd::DrawDiagram(QPainter& painter, const QRect& rect, bool screen, const QFont& font,
                                  const Oscillogram& record)
{
    const std::vector<Trajectory> trajectories = CurrentTrajectories(record);
    PlaneDiagramPainter draw(painter, font, screen);
    const PlaneLayout layout = Layout(draw, rect, trajectories.size());
    draw.Draw(rect, layout, Scene(layout, trajectories, record));
}

} // namespace zarva::gui
