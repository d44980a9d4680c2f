#pragma once

#include <QStringList>

class QWidget;

namespace zarva::gui {

// Deletes the files of the chosen records once the user agrees: into the desktop's trash,
// and the files the trash does not take for good only after asking again. Files that stay
// are named in a message. Returns whether anything was deleted.
bool DeleteRecordFiles(const QStringList& recordPaths, QWidget* parent);

} // namespace zarva::gui
