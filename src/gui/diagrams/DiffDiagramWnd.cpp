#include "gui/diagrams/DiffDiagramWnd.h"

#include "gui/app/CommandActions.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramColours.h"
#include "gui/diagrams/DiagramIds.h"

#include "core/charbase/ChartScale.h"
#include "core/model/Units.h"

#include <algorithm>

namespace zarva::gui {
namespace {

using namespace diagram_cmd;

// The currents come from pairs only; no channel carries a flag for this diagram.
bool NeverListed(const Channel&)
{
    return false;
}

void NoChannels(Oscillogram&, bool) {}

} // namespace

DiffDiagramWnd::DiffDiagramWnd(QWidget* parent)
    : PlaneDiagramWnd(ChartKind::Differential, {0, NeverListed, NoChannels}, parent)
{
    setObjectName(QStringLiteral("DiffDiagramWnd"));
    OnToggle(kPlaneShowValues,
             [this] { ChangeOptions([](PlaneChartOptions& o) { o.viewChannelType = o.viewChannelType != 0 ? 0 : 1; }); },
             [this] { return Options().viewChannelType != 0; });
}

std::vector<Trajectory> DiffDiagramWnd::Trajectories(const Oscillogram& record, SampleRange range,
                                                     std::int64_t cursor) const
{
    return DiffTrajectories(record, Pairs(), range, cursor);
}

PlaneScene DiffDiagramWnd::Scene(const PlaneLayout& layout, const std::vector<Trajectory>& trajectories,
                                 const Oscillogram& record) const
{
    PointExtent currents;
    for (const Trajectory& trajectory : trajectories) {
        for (const PointF& point : trajectory.points)
            currents.Add(point.x, point.y);
    }
    const BlockType* block = Block();
    const double extent = std::max(block != nullptr ? VisibleExtent(*block) : 0.0, currents.Largest());
    const int plotPixels = std::min(layout.plot.right() - layout.origin.x(), layout.origin.y() - layout.plot.top());
    const AxisScale scale = DifferentialScale(extent, plotPixels, layout.cellPixels, 1.0);
    const std::string unit = trajectories.empty() ? LocaliseUnit("A") : trajectories.front().unit;

    PlaneScene scene;
    const auto caption = [&](int axis) {
        return QStringLiteral(" %1: ").arg(Tr(axis)) + QString::fromStdString(CellText(scale.cellValue, unit));
    };
    scene.captionX = caption(diagram_text::kBrakingAxis);
    scene.captionY = caption(diagram_text::kDifferentialAxis);
    scene.block = block;
    scene.characteristicScale = scale.pixelsPerUnit;
    scene.showOffCharacteristics = Options().showOffCharacteristics;
    for (const Trajectory& trajectory : trajectories)
        scene.tracks.push_back({&trajectory, ChannelColourOf(record, trajectory.colourChannel), scale.pixelsPerUnit});
    scene.legend = Legend(trajectories, record);
    scene.table = Options().viewChannelType != 0;
    return scene;
}

QString DiffDiagramWnd::ValueText(const Trajectory& trajectory) const
{
    return QStringLiteral("%1 %2, %3 %4")
        .arg(Tr(diagram_text::kBrakingAxis), QString::fromStdString(ScalarValueText(trajectory.atCursor.x, trajectory.unit)),
             Tr(diagram_text::kDifferentialAxis), QString::fromStdString(ScalarValueText(trajectory.atCursor.y, trajectory.unit)));
}

void DiffDiagramWnd::FillValueEntries(QMenu& menu)
{
    AddCommandEntry(menu, kPlaneShowValues, CommandShortTip(kShowValues));
}

} // namespace zarva::gui
