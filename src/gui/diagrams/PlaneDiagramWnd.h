#pragma once

#include "gui/diagrams/DiagramWnd.h"
#include "gui/diagrams/PlaneDiagramPainter.h"

#include "core/charbase/BaseLoader.h"
#include "core/diagrams/PlaneChart.h"

#include <QStringList>

#include <filesystem>
#include <functional>
#include <vector>

namespace zarva::gui {

class BlockPropertyGrid;

// What the circle and differential diagrams share: the characteristic bases and the grid that
// chooses and edits a block, the channel pairs, the options of their section, the context
// menu, and drawing through PlaneDiagramPainter. The two differ in their sources, scales,
// captions and value texts.
class PlaneDiagramWnd : public DiagramWnd {
    Q_OBJECT
public:
    PlaneDiagramWnd(ChartKind kind, ChannelChoice choice, QWidget* parent);

    // The grid shown under the pane; the window keeps it in step with the bases.
    BlockPropertyGrid* CreateGrid(QWidget* parent);

    // Beside the executable, the program's data folder, then the user's own.
    static std::vector<std::filesystem::path> DefaultBaseFolders();
    // Where the bases are read from; read again at once when a record is shown.
    void SetBaseFolders(std::vector<std::filesystem::path> folders);
    // The first and last sample the record view shows, for the range without cursors.
    void SetVisibleSamples(std::function<SampleRange()> visible);

    void ReloadBases();
    const std::vector<BlockType>& Blocks() const { return blocks_; }
    std::size_t SelectedBlock() const { return selected_; }
    // False when no block type has that name.
    bool SelectBlock(const std::string& name);
    // The messages of the last loading and evaluation, each naming its file or characteristic.
    const QStringList& Errors() const { return errors_; }

    const PlaneChartOptions& Options() const { return options_; }
    const std::vector<ChannelPair>& Pairs() const { return pairs_; }
    // A new shown pair, stored with the record.
    void AddPair(const ChannelPair& pair);

    void DrawDiagram(QPainter& painter, const QRect& rect, bool screen, const QFont& font,
                     const Oscillogram& record) override;
    // Where the screen picture at `size` puts the plot and the plane's origin.
    PlaneLayout LayoutAt(QSize size) const;

protected:
    ChartKind Kind() const { return kind_; }
    const BlockType* Block() const { return selected_ < blocks_.size() ? &blocks_[selected_] : nullptr; }

    virtual std::vector<Trajectory> Trajectories(const Oscillogram& record, SampleRange range,
                                                 std::int64_t cursor) const = 0;
    // Scales, captions and tracks of the trajectories in the plot laid out.
    virtual PlaneScene Scene(const PlaneLayout& layout, const std::vector<Trajectory>& trajectories,
                             const Oscillogram& record) const = 0;
    // The table's value of a trajectory at cursor 1.
    virtual QString ValueText(const Trajectory& trajectory) const = 0;
    // The entries that choose between the legend and the values table.
    virtual void FillValueEntries(QMenu& menu) = 0;

    void ReadSettings(CZarvaDoc& document) override;
    void FillOwnMenu(QMenu& menu) override;

    // The legend, or the table, of the trajectories.
    std::vector<PlaneLegendEntry> Legend(const std::vector<Trajectory>& trajectories, const Oscillogram& record) const;
    // Stores a changed option, marks the record modified and redraws.
    void ChangeOptions(const std::function<void(PlaneChartOptions&)>& change);

private:
    void RegisterCommands();
    void RegisterPairCommands();
    void ShowEverything(bool show);
    void TogglePair(std::size_t index);
    void StorePairs();
    void CreatePair();
    void OnBlockSelected(std::size_t index);
    // After a selection or an edit: evaluate, report, store the choices, redraw.
    void ChoicesChanged(bool store);
    void ReportErrors(const std::vector<std::string>& errors);
    void ShowInGrid();
    std::vector<Trajectory> CurrentTrajectories(const Oscillogram& record) const;
    PlaneLayout Layout(const PlaneDiagramPainter& painter, const QRect& rect, std::size_t trajectories) const;

    ChartKind kind_;
    ChannelChoice choice_;
    std::vector<std::filesystem::path> folders_;
    bool basesRead_ = false;
    std::vector<BlockType> blocks_;
    std::size_t selected_ = 0;
    QStringList errors_;
    PlaneChartOptions options_;
    std::vector<ChannelPair> pairs_;
    std::size_t registeredPairs_ = 0;
    std::function<SampleRange()> visible_;
    BlockPropertyGrid* grid_ = nullptr;
};

} // namespace zarva::gui
