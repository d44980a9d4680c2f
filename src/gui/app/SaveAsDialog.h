#pragma once

#include "core/document/FileDispatch.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QWidget;

namespace zarva::gui {

// The filter list of a file dialog, in Qt's form, from filter texts of the string table.
QStringList QtFilters(const std::vector<FileFilter>& filters);
std::vector<FileFilter> FiltersOf(const std::vector<int>& textIds);

// Asks where to save a record read from `sourcePath` and now named `currentPath`; empty
// when the user cancels. The name ends in the extension of the chosen filter.
QString ChooseSaveAsName(QWidget* parent, const std::string& sourcePath, const QString& currentPath);

} // namespace zarva::gui
