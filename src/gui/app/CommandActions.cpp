#include "gui/app/CommandActions.h"

#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "gui/app/Icons.h"
#include "gui/app/Texts.h"

#include <QAction>

namespace zarva::gui {
namespace {

QList<QKeySequence> ShortcutsOf(int command)
{
    switch (command) {
    case cmd::kFileOpen: return QKeySequence::keyBindings(QKeySequence::Open);
    case cmd::kFileSave: return QKeySequence::keyBindings(QKeySequence::Save);
    case cmd::kFileSaveAs: return QKeySequence::keyBindings(QKeySequence::SaveAs);
    case cmd::kFileClose: return {QKeySequence(Qt::CTRL | Qt::Key_W)};
    case cmd::kPrint: return QKeySequence::keyBindings(QKeySequence::Print);
    case cmd::kUndo: return QKeySequence::keyBindings(QKeySequence::Undo);
    case cmd::kRedo: return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    case cmd::kWindowNext: return QKeySequence::keyBindings(QKeySequence::NextChild);
    case cmd::kWindowPrevious: return QKeySequence::keyBindings(QKeySequence::PreviousChild);
    default: return {};
    }
}

} // namespace

QString CommandDescription(int command)
{
    const QString entry = Tr(command);
    return entry.section(QLatin1Char('\n'), 0, 0);
}

QString CommandShortTip(int command)
{
    const QString entry = Tr(command);
    const qsizetype newline = entry.indexOf(QLatin1Char('\n'));
    return newline < 0 ? entry : entry.mid(newline + 1);
}

CommandActions::CommandActions(const CommandRouter& router, QObject* parent)
    : QObject(parent), router_(router)
{
}

QAction* CommandActions::Action(int command, int labelId)
{
    if (const auto found = actions_.find(command); found != actions_.end())
        return found->second;
    auto* action = new QAction(this);
    action->setText(labelId != 0 ? Tr(labelId) : CommandShortTip(command));
    action->setToolTip(CommandShortTip(command));
    action->setStatusTip(CommandDescription(command));
    action->setIcon(CommandIcon(command));
    action->setShortcuts(ShortcutsOf(command));
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, command] {
        router_.Route(command);
        emit commandRouted(command);
    });
    actions_.emplace(command, action);
    return action;
}

void CommandActions::RefreshStates()
{
    for (const auto& [command, action] : actions_) {
        const CommandState state = router_.StateOf(command);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checkable);
        action->setChecked(state.checkable && state.checked);
    }
}

} // namespace zarva::gui
