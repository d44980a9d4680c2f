#pragma once

namespace zarva::gui {

class CZarvaDoc;

// The document's commands over its computed channels: add one by the formula dialog, load
// and save the set as a ".frm" file, delete the selected ones or all of them.
void RegisterComputedChannelCommands(CZarvaDoc& document);

} // namespace zarva::gui
