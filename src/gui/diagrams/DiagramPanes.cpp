#include "gui/diagrams/DiagramPanes.h"

#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTarget.h"
#include "gui/diagrams/BlockPropertyGrid.h"
#include "gui/diagrams/CircleDiagramWnd.h"
#include "gui/diagrams/DiffDiagramWnd.h"
#include "gui/diagrams/FourieDiagramWnd.h"
#include "gui/diagrams/VectorDiagramWnd.h"
#include "gui/view/CZarvaView.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QSplitter>
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

    circle_ = new CircleDiagramWnd;
    circlePane_ = MakePane(frame, cmd::kCircleDiagram, WithGrid(*circle_));
    diff_ = new DiffDiagramWnd;
    diffPane_ = MakePane(frame, cmd::kDifferentialDiagram, WithGrid(*diff_));

    for (const auto& [pane, command] : {std::pair{vectorPane_, cmd::kVectorDiagram}, {frequencyPane_, cmd::kFrequencyDiagram},
                                        {circlePane_, cmd::kCircleDiagram}, {diffPane_, cmd::kDifferentialDiagram}}) {
        commands.OnCommand(command, [pane] { pane->setVisible(!pane->isVisible()); },
                           [pane] { return CommandState{true, true, pane->isVisible()}; });
    }
}

QWidget* DiagramPanes::WithGrid(PlaneDiagramWnd& window)
{
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(&window);
    splitter->addWidget(window.CreateGrid(splitter));
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    // Without cursors the trajectories cover what the active record view shows.
    auto* main = dynamic_cast<CMainFrame*>(parent());
    window.SetVisibleSamples([main]() -> SampleRange {
        const CChildFrame* child = main != nullptr ? main->ActiveChild() : nullptr;
        if (child == nullptr)
            return {};
        const ViewState& state = child->View().State();
        return {state.firstSample, state.firstSample + std::max<std::int64_t>(state.visibleSamples, 1) - 1};
    });
    return splitter;
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
    circle_->SetDocument(document);
    diff_->SetDocument(document);
}

} // namespace zarva::gui
