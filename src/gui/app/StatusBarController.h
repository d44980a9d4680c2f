#pragma once

#include <QObject>

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

    // The pane of an indicator; null for an unknown name.
    QLabel* Indicator(const QString& name) const;
    void SetIndicator(const QString& name, bool on);

private:
    QStatusBar& bar_;
};

} // namespace zarva::gui
