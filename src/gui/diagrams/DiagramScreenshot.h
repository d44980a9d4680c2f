#pragma once

#include <QImage>
#include <QString>

namespace zarva::gui {

class CMainFrame;
struct CommandLine;

// The diagram options of `zarva --screenshot`: shows the named panes and puts the named
// channels on the diagrams of the active record. Returns an error text, empty when all went.
QString ApplyDiagramOptions(CMainFrame& frame, const CommandLine& line);

// The named diagram window alone ("vector", "frequency", "circle" or "diff"), drawn at `size`.
QImage DiagramPicture(const CMainFrame& frame, const QString& diagram, QSize size);

} // namespace zarva::gui
