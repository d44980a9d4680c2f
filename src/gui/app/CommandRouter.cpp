#include "gui/app/CommandRouter.h"

namespace zarva::gui {

bool CommandRouter::Route(int command) const
{
    for (CommandTarget* target : chain_()) {
        if (target != nullptr && target->HandlesCommand(command))
            return target->ExecuteCommand(command);
    }
    return false;
}

CommandState CommandRouter::StateOf(int command) const
{
    for (const CommandTarget* target : chain_()) {
        if (target == nullptr)
            continue;
        if (const auto state = target->CommandStateOf(command))
            return *state;
    }
    return CommandState{false, false, false};
}

} // namespace zarva::gui
