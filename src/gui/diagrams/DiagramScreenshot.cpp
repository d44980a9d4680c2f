#include "gui/diagrams/DiagramScreenshot.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandLine.h"
#include "gui/app/CZarvaDoc.h"
#include "gui/diagrams/DiagramPanes.h"
#include "gui/diagrams/FourieDiagramWnd.h"
#include "gui/diagrams/VectorDiagramWnd.h"

#include "core/model/ZarvaException.h"

#include <QDockWidget>

namespace zarva::gui {
namespace {

bool IsVector(const QString& diagram)
{
    return diagram == QLatin1String("vector");
}

// Puts the named channels on a diagram; the error text of the first name that cannot be.
QString PutOnDiagram(CZarvaDoc& document, bool vector, const QStringList& names)
{
    Oscillogram& record = document.Core().oscillogram;
    for (const QString& name : names) {
        const QString wrong = QString::fromStdString(CZarvaException(messages::kBadChannelName, name.toStdString()).what());
        std::size_t index = 0;
        try {
            index = record.FindChannel(name.toStdString());
        } catch (const CZarvaException&) {
            return wrong;
        }
        Channel& channel = record.channels[index];
        if (vector ? !IsVectorEligible(channel) : !channel.IsAnalog())
            return wrong;
        channel.SetFlag(vector ? display::kOnVectorDiagram : display::kOnFrequencyDiagram, true);
    }
    document.NotifyRecordChanged();
    return {};
}

} // namespace

QString ApplyDiagramOptions(CMainFrame& frame, const CommandLine& line)
{
    DiagramPanes& panes = frame.Diagrams();
    for (const QString& pane : line.panes)
        (IsVector(pane) ? panes.VectorPane() : panes.FrequencyPane()).show();
    if (line.onDiagrams.empty())
        return {};
    CChildFrame* child = frame.ActiveChild();
    if (child == nullptr)
        return {};
    for (const auto& [diagram, names] : line.onDiagrams) {
        const QString error = PutOnDiagram(child->Document(), IsVector(diagram), names);
        if (!error.isEmpty())
            return error;
    }
    panes.Vector().update();
    panes.Frequency().update();
    return {};
}

QImage DiagramPicture(const CMainFrame& frame, const QString& diagram, QSize size)
{
    DiagramPanes& panes = frame.Diagrams();
    DiagramWnd& window = IsVector(diagram) ? static_cast<DiagramWnd&>(panes.Vector()) : panes.Frequency();
    return window.Picture(size);
}

} // namespace zarva::gui
