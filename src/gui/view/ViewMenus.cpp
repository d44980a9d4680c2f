#include "gui/view/CZarvaView.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "gui/view/AnnotationController.h"

#include <QContextMenuEvent>
#include <QMenu>

#include <algorithm>

namespace zarva::gui {
namespace {

// A menu entry for a command of the view or its document, captioned by the command's short
// tip and showing its state as the ribbon does.
void AddCommand(QMenu& menu, const CommandRouter& router, int command)
{
    QAction* action = menu.addAction(CommandShortTip(command));
    const CommandState state = router.StateOf(command);
    action->setEnabled(state.enabled);
    action->setCheckable(state.checkable);
    action->setChecked(state.checkable && state.checked);
    QObject::connect(action, &QAction::triggered, &menu, [&router, command] { router.Route(command); });
}

void AddCommands(QMenu& menu, const CommandRouter& router, std::initializer_list<int> commands)
{
    if (!menu.isEmpty())
        menu.addSeparator();
    for (const int command : commands)
        AddCommand(menu, router, command);
}

} // namespace

void CZarvaView::ShowContextMenu(const QPoint& at)
{
    if (InRulerBand(at))
        ShowRulerMenu(at);
    else if (InLabelPanel(at))
        ShowChannelMenu(at);
    else
        annotations_->ShowMenu(at);
}

void CZarvaView::ShowRulerMenu(const QPoint& at)
{
    QMenu menu(this);
    const CommandRouter router([this] { return std::vector<CommandTarget*>{this, &document_}; });
    AddCommands(menu, router, {cmd::kMicroseconds, cmd::kMilliseconds, cmd::kSeconds, cmd::kAbsoluteTime,
                               cmd::kSampleNumbers});
    AddCommands(menu, router, {cmd::kGrid});
    AddCommands(menu, router, {cmd::kCursorDifference});
    menu.exec(viewport()->mapToGlobal(at));
}

void CZarvaView::ShowChannelMenu(const QPoint& at)
{
    QMenu menu(this);
    const CommandRouter router([this] { return std::vector<CommandTarget*>{this, &document_}; });
    AddCommands(menu, router, {cmd::kOnFrequencyDiagram, cmd::kOnVectorDiagram, cmd::kOnCircleDiagram,
                               cmd::kAdcCounts, cmd::kHideSelected});
    AddCommands(menu, router, {cmd::kCurveInstant, cmd::kCurveRms, cmd::kCurveFirstHarmonic});
    AddCommands(menu, router, {cmd::kInvert, cmd::kRemoveDc, cmd::kRestoreSize});
    AddCommands(menu, router, {cmd::kCopyForMerge, cmd::kPasteForMerge});
    AddCommands(menu, router, {cmd::kJoinChannels, cmd::kSeparateChannels});
    AddCommands(menu, router, {cmd::kChannelColour});
    AddCommands(menu, router, {cmd::kAddFormula, cmd::kLoadFormulas, cmd::kSaveFormulas, cmd::kDeleteComputed,
                               cmd::kDeleteAllComputed});
    AddCommands(menu, router, {cmd::kCopyPicture, cmd::kSavePicture});
    menu.exec(viewport()->mapToGlobal(at));
}

void CZarvaView::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse's menus open on the button's release; this is the keyboard's menu key.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    const auto& channels = document_.Core().oscillogram.channels;
    const auto selected = std::find_if(rows_.begin(), rows_.end(), [&channels](const Row& row) {
        return std::any_of(row.members.begin(), row.members.end(), [&channels](std::size_t i) { return channels[i].selected; });
    });
    const int top = selected != rows_.end() ? RowScreenTop(*selected) : 0;
    ShowChannelMenu(QPoint(state_.leftMargin / 2, std::clamp(top + TextHeight(), 0, ClientHeight() - RulerBandHeight())));
    event->accept();
}

} // namespace zarva::gui
