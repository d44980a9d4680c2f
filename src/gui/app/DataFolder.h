#pragma once

#include <QString>

namespace zarva::gui {

// The program's data (string tables, characteristic bases, sample records) lie in
// share/zarva beside the folder of its executable: bin/zarva with share/zarva when installed,
// build/src/gui/zarva with build/src/share/zarva in the build tree.
QString DataFolder();
// A file or folder of the data, by its path inside it ("strings/en.txt", "charbases").
QString DataPath(const QString& relative);

} // namespace zarva::gui
