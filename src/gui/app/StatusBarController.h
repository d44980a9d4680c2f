#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QLabel;
class QStatusBar;

namespace zarva::gui {

// The status bar: command descriptions while the pointer is over a command, "Готово"
// otherwise, and the indicator panes "EXT", "CAP", "NUM", "SCRL", "OVR", "REC" (drawn dim
// while their state is off or cannot be known).
class StatusBarController : public QObject {
    Q_OBJECT
public:
    explicit StatusBarController(QStatusBar& bar);

    // The cursor panes: V1, V2, their difference, H1, H2, theirs; none without texts.
    void SetCursorTexts(const QStringList& texts);
    QStringList CursorTexts() const;

    // The pane of an indicator; null for an unknown name.
    QLabel* Indicator(const QString& name) const;
    void SetIndicator(const QString& name, bool on);

private:
    QStatusBar& bar_;
    QList<QLabel*> cursorPanes_;
};

} // namespace zarva::gui
