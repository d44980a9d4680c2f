#pragma once

#include "gui/app/CommandTarget.h"

#include <QWidget>

class QLabel;
class QTreeWidget;

namespace zarva::gui {

class CZarvaDoc;

// The window that shows one record and takes the view's commands. Until the drawn
// oscillogram arrives it shows the record's facts and a plain list of its channels.
class CZarvaView : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    CZarvaView(CZarvaDoc& document, QWidget* parent);

    CZarvaDoc& Document() const { return document_; }
    void Refresh();

private:
    CZarvaDoc& document_;
    QLabel* summary_;
    QTreeWidget* channels_;
};

} // namespace zarva::gui
