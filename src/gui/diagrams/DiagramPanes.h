#pragma once

#include <QObject>

class QDockWidget;
class QMainWindow;

namespace zarva::gui {

class CircleDiagramWnd;
class CommandTarget;
class CZarvaDoc;
class DiffDiagramWnd;
class FourieDiagramWnd;
class PlaneDiagramWnd;
class VectorDiagramWnd;

// The diagram panes of the main window: each a docking pane around its diagram (the vector
// diagram with its tool bar, the circle and differential ones above their block grid), shown and hidden by its ribbon command and following the active
// document window.
class DiagramPanes : public QObject {
    Q_OBJECT
public:
    // Docks the panes, hidden, on the right of `frame`, and registers their commands with it.
    DiagramPanes(QMainWindow& frame, CommandTarget& commands);

    // The record of the active document window; null when none is active.
    void ShowDocument(CZarvaDoc* document);

    VectorDiagramWnd& Vector() const { return *vector_; }
    FourieDiagramWnd& Frequency() const { return *frequency_; }
    QDockWidget& VectorPane() const { return *vectorPane_; }
    QDockWidget& FrequencyPane() const { return *frequencyPane_; }
    CircleDiagramWnd& Circle() const { return *circle_; }
    DiffDiagramWnd& Diff() const { return *diff_; }
    QDockWidget& CirclePane() const { return *circlePane_; }
    QDockWidget& DiffPane() const { return *diffPane_; }

signals:
    void visibilityChanged();

private:
    QDockWidget* MakePane(QMainWindow& frame, int command, QWidget* content);
    // The window above its grid, the two parted by a splitter.
    QWidget* WithGrid(PlaneDiagramWnd& window);

    VectorDiagramWnd* vector_;
    FourieDiagramWnd* frequency_;
    QDockWidget* vectorPane_;
    QDockWidget* frequencyPane_;
    CircleDiagramWnd* circle_;
    DiffDiagramWnd* diff_;
    QDockWidget* circlePane_;
    QDockWidget* diffPane_;
};

} // namespace zarva::gui
