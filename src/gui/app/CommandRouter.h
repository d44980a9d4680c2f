#pragma once

#include "gui/app/CommandTarget.h"

#include <functional>
#include <vector>

namespace zarva::gui {

// Sends a command along the chain active view → document → child frame → main frame →
// application; the first object with a handler takes it. A command nobody handles is
// shown disabled.
class CommandRouter {
public:
    using Chain = std::function<std::vector<CommandTarget*>()>;

    explicit CommandRouter(Chain chain) : chain_(std::move(chain)) {}

    bool Route(int command) const;
    CommandState StateOf(int command) const;

private:
    Chain chain_;
};

} // namespace zarva::gui
