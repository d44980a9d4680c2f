#pragma once

#include <QDockWidget>

class QTreeWidget;

namespace zarva::gui {

class CZarvaDoc;

// The oscillogram parameter bar (command 142): the facts of the active record in a docking
// pane beside the documents.
class RecordParametersPane : public QDockWidget {
    Q_OBJECT
public:
    explicit RecordParametersPane(QWidget* parent);

    // Null shows an empty pane.
    void ShowRecord(const CZarvaDoc* document);
    QString Value(int labelId) const;

private:
    QTreeWidget* facts_;
};

} // namespace zarva::gui
