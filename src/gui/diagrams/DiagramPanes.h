#pragma once

#include <QObject>

class QDockWidget;
class QMainWindow;

namespace zarva::gui {

class CommandTarget;
class CZarvaDoc;
class FourieDiagramWnd;
class VectorDiagramWnd;

// The diagram panes of the main window: each a docking pane around its diagram (the vector
// diagram with its tool bar), shown and hidden by its ribbon command and following the active
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

signals:
    void visibilityChanged();

private:
    QDockWidget* MakePane(QMainWindow& frame, int command, QWidget* content);

    VectorDiagramWnd* vector_;
    FourieDiagramWnd* frequency_;
    QDockWidget* vectorPane_;
    QDockWidget* frequencyPane_;
};

} // namespace zarva::gui
