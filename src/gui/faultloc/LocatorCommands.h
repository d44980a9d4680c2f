#pragma once

namespace zarva::gui {

class CommandTarget;
class CZarvaDoc;

// The fault-location commands of a record window: "Параметры" (the document's) edits the
// line model, "Анализ" (the window's) locates the fault.
void RegisterFaultLocationCommands(CZarvaDoc& document, CommandTarget& window);

// Opens "Параметры ОМП" on the document's line model. OK puts the edited model into the
// document and its settings, marking the document modified when the model changed.
void EditLineModel(CZarvaDoc& document);

// Locates the fault with the document's line model, adds the result channels to the record,
// shows the result and offers to save the report. A failure reaches the user as an error
// message and leaves the record as it was.
void AnalyseFault(CZarvaDoc& document);

} // namespace zarva::gui
