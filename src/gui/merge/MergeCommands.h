#pragma once

#include <functional>

namespace zarva::gui {

class CommandTarget;
class MergeBar;
class CZarvaDoc;

// The record window's commands for channels between records, handled by its view: copy the
// selected channels to the clipboard, paste channels copied in any record window (of this
// program or another that writes the format), and undo and redo pastes and merges.
void RegisterMergeCommands(CZarvaDoc& document, CommandTarget& view);

// The record window's "Синхронизация" and "Объединить", run with the choices of the merge bar
// `bar` gives (none when the window has no main window around it).
void RegisterMergeBarCommands(CZarvaDoc& document, CommandTarget& window, std::function<MergeBar*()> bar);

} // namespace zarva::gui
