#include "gui/view/CZarvaView.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "gui/view/AnnotationController.h"

#include <QMenu>

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
    if (!InRulerBand(at) && annotations_->ShowMenu(at))
        return;
    QMenu menu(this);
    const CommandRouter router([this] { return std::vector<CommandTarget*>{this, &document_}; });
    if (InRulerBand(at)) {
        AddCommands(menu, router, {cmd::kMicroseconds, cmd::kMilliseconds, cmd::kSeconds, cmd::kAbsoluteTime,
                                   cmd::kSampleNumbers});
        AddCommands(menu, router, {cmd::kGrid});
        AddCommands(menu, router, {cmd::kCursorDifference});
    } else {
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
    }
    menu.exec(viewport()->mapToGlobal(at));
}

} // namespace zarva::gui
