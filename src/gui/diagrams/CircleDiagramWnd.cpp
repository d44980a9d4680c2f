#include "gui/diagrams/CircleDiagramWnd.h"

#include "gui/app/CommandActions.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramColours.h"
#include "gui/diagrams/DiagramIds.h"

#include "core/charbase/ChartScale.h"
#include "core/model/Units.h"

namespace zarva::gui {
namespace {

using namespace diagram_cmd;

// " R: 0.5 Ом, 20 kW": the cell of each kind that is drawn.
QString Caption(const char* axis, const AxisScale* impedance, const AxisScale* power, const char* powerUnit)
{
    QStringList parts;
    if (impedance != nullptr)
        parts.append(QString::fromStdString(CellText(impedance->cellValue, LocaliseUnit("Ohm"))));
    if (power != nullptr)
        parts.append(QString::fromStdString(CellText(power->cellValue, LocaliseUnit(powerUnit))));
    return QStringLiteral(" %1: ").arg(QLatin1String(axis)) + parts.join(QStringLiteral(", "));
}

} // namespace

CircleDiagramWnd::CircleDiagramWnd(QWidget* parent)
    : PlaneDiagramWnd(ChartKind::Circle, {display::kOnCircleDiagram, IsCircleSource, ShowAllOnCircleDiagram}, parent)
{
    setObjectName(QStringLiteral("CircleDiagramWnd"));
    const auto mode = [this](int chosen) {
        ChangeOptions([chosen](PlaneChartOptions& o) { o.viewChannelType = o.viewChannelType == chosen ? 0 : chosen; });
    };
    OnToggle(kRealAndImaginary, [mode] { mode(1); }, [this] { return Options().viewChannelType == 1; });
    OnToggle(kMagnitudeAndAngle, [mode] { mode(2); }, [this] { return Options().viewChannelType == 2; });
}

std::vector<Trajectory> CircleDiagramWnd::Trajectories(const Oscillogram& record, SampleRange range,
                                                       std::int64_t cursor) const
{
    return CircleTrajectories(record, Pairs(), range, cursor);
}

PlaneScene CircleDiagramWnd::Scene(const PlaneLayout& layout, const std::vector<Trajectory>& trajectories,
                                   const Oscillogram& record) const
{
    PointExtent impedance;
    PointExtent power;
    bool anyImpedance = false;
    bool anyPower = false;
    for (const Trajectory& trajectory : trajectories) {
        (trajectory.power ? anyPower : anyImpedance) = true;
        for (const PointF& point : trajectory.points)
            (trajectory.power ? power : impedance).Add(point.x, point.y);
    }
    const BlockType* block = Block();
    const bool zones = block != nullptr && !block->characteristics.empty();
    const CircleScale scale = ComputeCircleScale(
        {impedance.Largest(), power.Largest(), block != nullptr ? VisibleExtent(*block) : 0.0, layout.cellPixels,
         CellsToNearestEdge(layout.plot.width(), layout.plot.height(), layout.cellPixels), 1.0, layout.lineWidth});

    PlaneScene scene;
    const AxisScale* ohm = anyImpedance || zones || !anyPower ? &scale.impedance : nullptr;
    const AxisScale* va = anyPower ? &scale.power : nullptr;
    scene.captionX = Caption("R", ohm, va, "W");
    scene.captionY = Caption("X", ohm, va, "var");
    scene.block = block;
    scene.characteristicScale = scale.drawCharacteristics ? scale.impedance.pixelsPerUnit : 0.0;
    scene.showOffCharacteristics = Options().showOffCharacteristics;
    for (const Trajectory& trajectory : trajectories) {
        scene.tracks.push_back({&trajectory, ChannelColourOf(record, trajectory.colourChannel),
                                trajectory.power ? scale.power.pixelsPerUnit : scale.impedance.pixelsPerUnit});
    }
    scene.legend = Legend(trajectories, record);
    scene.table = Options().viewChannelType != 0;
    return scene;
}

QString CircleDiagramWnd::ValueText(const Trajectory& trajectory) const
{
    return QString::fromStdString(ComplexValueText(trajectory.atCursor, trajectory.unit, Options().viewChannelType == 2));
}

void CircleDiagramWnd::FillValueEntries(QMenu& menu)
{
    AddCommandEntry(menu, kRealAndImaginary, Tr(diagram_text::kRealAndImaginary));
    AddCommandEntry(menu, kMagnitudeAndAngle, CommandShortTip(kShowValuesButton));
}

} // namespace zarva::gui
