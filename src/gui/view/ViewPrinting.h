#pragma once

class QPrinter;

namespace zarva::gui {

class CZarvaView;

// Prints the view across the page width under a header line naming the record; rows that
// do not fit a page start the next one, and every page ends with the time ruler.
void PrintView(CZarvaView& view, QPrinter& printer);
// The print dialog, then the pages; the stored margins and orientation apply.
void PrintWithDialog(CZarvaView& view);
void ShowPrintPreview(CZarvaView& view);

} // namespace zarva::gui
