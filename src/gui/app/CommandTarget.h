#pragma once

#include <functional>
#include <optional>
#include <unordered_map>

namespace zarva::gui {

// What a command looks like just before it is shown.
struct CommandState {
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
};

// An object that handles numbered commands: a table from command number to the handler
// and the handler's state query. Each link of the routing chain is one.
class CommandTarget {
public:
    using Handler = std::function<void()>;
    using StateQuery = std::function<CommandState()>;

    virtual ~CommandTarget() = default;

    // Without a state query the command is always enabled and never checked.
    void OnCommand(int command, Handler handler, StateQuery state = {});
    bool HandlesCommand(int command) const;
    // False when this object has no handler for the command.
    bool ExecuteCommand(int command);
    std::optional<CommandState> CommandStateOf(int command) const;

private:
    struct Entry {
        Handler handler;
        StateQuery state;
    };
    std::unordered_map<int, Entry> commands_;
};

} // namespace zarva::gui
