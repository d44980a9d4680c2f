#pragma once

#include <QStringList>

namespace zarva::gui {

class CZarvaDoc;

// The document's commands over its computed channels: add one by the formula dialog, load
// and save the set as a ".frm" file, delete the selected ones or all of them.
void RegisterComputedChannelCommands(CZarvaDoc& document);

// The same actions for other windows that list the computed channels. Each reports its
// failures to the user and leaves the set as it was.
void AddFormula(CZarvaDoc& document);
// The formula dialog on the pair of that name; OK replaces it.
void EditFormula(CZarvaDoc& document, const QString& name);
void LoadFormulas(CZarvaDoc& document);
void SaveFormulas(CZarvaDoc& document);
// After asking.
void DeleteComputed(CZarvaDoc& document, const QStringList& names);
void DeleteAllComputed(CZarvaDoc& document);

} // namespace zarva::gui
