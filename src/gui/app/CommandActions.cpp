#include "gui/app/CommandActions.h"

#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "gui/app/Icons.h"
#include "gui/app/Texts.h"

#include <QAction>

namespace zarva::gui {
namespace {

// Shift+Tab arrives as Backtab, and the standard bindings say so ("Ctrl+Shift+Backtab");
// written with Tab, as people write it, the shortcut still takes the Backtab key.
QList<QKeySequence> Bindings(QKeySequence::StandardKey key)
{
    QList<QKeySequence> bindings;
    for (const QKeySequence& sequence : QKeySequence::keyBindings(key)) {
        if (sequence.count() == 1 && sequence[0].key() == Qt::Key_Backtab)
            bindings.append(QKeySequence(QKeyCombination(sequence[0].keyboardModifiers() | Qt::ShiftModifier, Qt::Key_Tab)));
        else
            bindings.append(sequence);
    }
    return bindings;
}

QList<QKeySequence> ShortcutsOf(int command)
{
    switch (command) {
    case cmd::kFileOpen: return Bindings(QKeySequence::Open);
    case cmd::kFileSave: return Bindings(QKeySequence::Save);
    case cmd::kFileSaveAs: return Bindings(QKeySequence::SaveAs);
    case cmd::kFileClose: return {QKeySequence(Qt::CTRL | Qt::Key_W)};
    case cmd::kExit: return Bindings(QKeySequence::Quit);
    case cmd::kPrint: return Bindings(QKeySequence::Print);
    case cmd::kUndo: return Bindings(QKeySequence::Undo);
    case cmd::kRedo: return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    case cmd::kWindowNext: return Bindings(QKeySequence::NextChild);
    case cmd::kWindowPrevious: return Bindings(QKeySequence::PreviousChild);
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
