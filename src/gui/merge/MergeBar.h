#pragma once

#include "core/merge/Synchronisation.h"

#include <QDockWidget>
#include <QPointer>

class QComboBox;
class QLabel;

namespace zarva::gui {

class CommandActions;
class CZarvaDoc;

// The merge bar of the main window: the active record's own analog channels ("Канал 1"),
// its pasted ones ("Канал 2"), the synchronisation methods, the buttons "Синхронизация"
// and "Объединить", and the caption line where their outcomes are written. Shown while the
// active record holds pasted channels.
class MergeBar : public QDockWidget {
    Q_OBJECT
public:
    MergeBar(CommandActions& actions, QWidget* parent);

    // Follows the active record; null when there is none.
    void ShowDocument(CZarvaDoc* document);
    // Fills the channel lists again after the record changed, keeping the choices that remain.
    void Refill();

    std::string Reference() const;
    std::string Pasted() const;
    SyncMethod Method() const;
    void SetStatus(const QString& text);
    QString Status() const;

private:
    QPointer<CZarvaDoc> document_;
    QComboBox* reference_;
    QComboBox* pasted_;
    QComboBox* method_;
    QLabel* status_;
};

} // namespace zarva::gui
