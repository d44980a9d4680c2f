#pragma once

#include <QObject>

#include <map>

class QAction;

namespace zarva::gui {

class CommandRouter;

// One QAction per command, shared by the ribbon, the application menu and the keyboard:
// its texts come from the string table, triggering it routes the command, and its state
// is asked of the router just before it is shown.
class CommandActions : public QObject {
    Q_OBJECT
public:
    CommandActions(const CommandRouter& router, QObject* parent);

    // The command's action, made on first request. Without a label of its own (labelId 0)
    // a command is named by the short tip of its entry.
    QAction* Action(int command, int labelId = 0);
    const std::map<int, QAction*>& Actions() const { return actions_; }

    void RefreshStates();

signals:
    void commandRouted(int command);

private:
    const CommandRouter& router_;
    std::map<int, QAction*> actions_;
};

// The status-bar description and the short tip of a command's entry.
QString CommandDescription(int command);
QString CommandShortTip(int command);

} // namespace zarva::gui
