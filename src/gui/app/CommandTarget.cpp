#include "gui/app/CommandTarget.h"

namespace zarva::gui {

void CommandTarget::OnCommand(int command, Handler handler, StateQuery state)
{
    commands_[command] = Entry{std::move(handler), std::move(state)};
}

bool CommandTarget::HandlesCommand(int command) const
{
    return commands_.find(command) != commands_.end();
}

bool CommandTarget::ExecuteCommand(int command)
{
    const auto found = commands_.find(command);
    if (found == commands_.end())
        return false;
    // A copy: the handler may replace its own entry or destroy this object.
    const Handler handler = found->second.handler;
    handler();
    return true;
}

std::optional<CommandState> CommandTarget::CommandStateOf(int command) const
{
    const auto found = commands_.find(command);
    if (found == commands_.end())
        return std::nullopt;
    return found->second.state ? found->second.state() : CommandState{};
}

} // namespace zarva::gui
