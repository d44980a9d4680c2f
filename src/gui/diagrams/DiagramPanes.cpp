#include "gui/diagrams/DiagramPanes.h"

#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandTarget.h"
#include "gui/diagrams/FourieDiagramWnd.h"
#include "gui/diagrams/VectorDiagramWnd.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QToolBar>
#include <QVBoxLayout>

namespace zarva::gui {

DiagramPanes::DiagramPanes(QMainWindow& frame, CommandTarget& commands) : QObject(&frame)
{
    auto* vectorContent = new QWidget;
    auto* layout = new QVBoxLayout(vectorContent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    vector_ = new VectorDiagramWnd(vectorContent);
    layout->addWidget(vector_->CreateToolBar(vectorContent));
    layout->addWidget(vector_, 1);
    vectorPane_ = MakePane(frame, cmd::kVectorDiagram, vectorContent);

    frequency_ = new FourieDiagramWnd;
    frequencyPane_ = MakePane(frame, cmd::kFrequencyDiagram, frequency_);

    for (QDockWidget* pane : {vectorPane_, frequencyPane_}) {
        const int command = pane == vectorPane_ ? cmd::kVectorDiagram : cmd::kFrequencyDiagram;
        commands.OnCommand(command, [pane] { pane->setVisible(!pane->isVisible()); },
                           [pane] { return CommandState{true, true, pane->isVisible()}; });
    }
}

QDockWidget* DiagramPanes::MakePane(QMainWindow& frame, int command, QWidget* content)
{
    auto* pane = new QDockWidget(CommandShortTip(command), &frame);
    pane->setObjectName(QStringLiteral("DiagramPane%1").arg(command));
    pane->setWidget(content);
    frame.addDockWidget(Qt::RightDockWidgetArea, pane);
    pane->hide();
    connect(pane, &QDockWidget::visibilityChanged, this, &DiagramPanes::visibilityChanged);
    return pane;
}

void DiagramPanes::ShowDocument(CZarvaDoc* document)
{
    vector_->SetDocument(document);
    frequency_->SetDocument(document);
}

} // namespace zarva::gui
