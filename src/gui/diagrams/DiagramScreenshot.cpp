#include "gui/diagrams/DiagramScreenshot.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandLine.h"
#include "gui/app/CZarvaDoc.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/CircleDiagramWnd.h"
#include "gui/diagrams/DiagramPanes.h"
#include "gui/diagrams/DiffDiagramWnd.h"
#include "gui/diagrams/FourieDiagramWnd.h"
#include "gui/diagrams/VectorDiagramWnd.h"

#include "core/model/ZarvaException.h"

#include <QDockWidget>

namespace zarva::gui {
namespace {

constexpr int kUnknownOption = 4648;

struct DiagramOf {
    DiagramWnd* window;
    QDockWidget* pane;
    std::uint32_t bit;               // 0: no channel is put on it by name
    bool (*eligible)(const Channel&);
};

bool IsAnalogChannel(const Channel& channel)
{
    return channel.IsAnalog();
}

DiagramOf Diagram(const DiagramPanes& panes, const QString& name)
{
    if (name == QLatin1String("vector"))
        return {&panes.Vector(), &panes.VectorPane(), display::kOnVectorDiagram, IsVectorEligible};
    if (name == QLatin1String("circle"))
        return {&panes.Circle(), &panes.CirclePane(), display::kOnCircleDiagram, IsCircleSource};
    if (name == QLatin1String("diff"))
        return {&panes.Diff(), &panes.DiffPane(), 0, nullptr};
    return {&panes.Frequency(), &panes.FrequencyPane(), display::kOnFrequencyDiagram, IsAnalogChannel};
}

QString WrongChannel(const QString& name)
{
    return QString::fromStdString(CZarvaException(messages::kBadChannelName, name.toStdString()).what());
}

std::optional<std::size_t> Find(const Oscillogram& record, const QString& name)
{
    try {
        return record.FindChannel(name.toStdString());
    } catch (const CZarvaException&) {
        return std::nullopt;
    }
}

// Puts the named channels on a diagram; the error text of the first name that cannot be.
QString PutOnDiagram(CZarvaDoc& document, const DiagramOf& diagram, const QStringList& names)
{
    Oscillogram& record = document.Core().oscillogram;
    for (const QString& name : names) {
        const std::optional<std::size_t> index = Find(record, name);
        if (!index || diagram.bit == 0 || !diagram.eligible(record.channels[*index]))
            return WrongChannel(name);
        record.channels[*index].SetFlag(diagram.bit, true);
    }
    document.NotifyRecordChanged();
    return {};
}

// The block and the pairs of the circle or differential diagram.
QString SetUpPlaneDiagram(PlaneDiagramWnd& window, const Oscillogram& record, const CommandLine& line)
{
    if (!line.block.isEmpty() && !window.SelectBlock(line.block.toStdString()))
        return Tr(kUnknownOption, QStringLiteral("--block ") + line.block);
    for (const auto& [first, second] : line.pairs) {
        for (const QString& name : {first, second}) {
            if (!Find(record, name))
                return WrongChannel(name);
        }
        window.AddPair({first.toStdString(), second.toStdString(), true});
    }
    return {};
}

} // namespace

QString ApplyDiagramOptions(CMainFrame& frame, const CommandLine& line)
{
    DiagramPanes& panes = frame.Diagrams();
    for (const QString& pane : line.panes)
        Diagram(panes, pane).pane->show();
    CChildFrame* child = frame.ActiveChild();
    if (child == nullptr)
        return {};
    for (const auto& [diagram, names] : line.onDiagrams) {
        const QString error = PutOnDiagram(child->Document(), Diagram(panes, diagram), names);
        if (!error.isEmpty())
            return error;
    }
    PlaneDiagramWnd& plane = line.diagram == QLatin1String("diff") ? static_cast<PlaneDiagramWnd&>(panes.Diff())
                                                                     : panes.Circle();
    if (const QString error = SetUpPlaneDiagram(plane, child->Document().Core().oscillogram, line); !error.isEmpty())
        return error;
    for (const QString& name : {QStringLiteral("vector"), QStringLiteral("frequency"), QStringLiteral("circle"), QStringLiteral("diff")})
        Diagram(panes, name).window->update();
    return {};
}

QImage DiagramPicture(const CMainFrame& frame, const QString& diagram, QSize size)
{
    return Diagram(frame.Diagrams(), diagram).window->Picture(size);
}

} // namespace zarva::gui
