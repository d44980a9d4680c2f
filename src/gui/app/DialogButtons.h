#pragma once

class QBoxLayout;
class QDialog;

namespace zarva::gui {

// OK and Cancel at the end of the dialog's layout, Cancel named by the string table and OK
// too when `okTextId` is given.
void AddOkCancel(QDialog& dialog, QBoxLayout& layout, int okTextId = 0);

} // namespace zarva::gui
