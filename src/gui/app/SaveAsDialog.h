#pragma once

#include "core/document/FileDispatch.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace zarva {
class Oscillogram;
}

namespace zarva::gui {

// The filter list of a file dialog, in Qt's form, from filter texts of the string table.
QStringList QtFilters(const std::vector<FileFilter>& filters);
std::vector<FileFilter> FiltersOf(const std::vector<int>& textIds);

// Where and in which data form to save a record.
struct SaveAsAnswer {
    QString path;          // ends in the extension of an offered filter
    std::string fileType;  // "ASCII", "BINARY", "BINARY32" or "FLOAT32"
};

// Asks where to save `record`, now named `currentPath`, and in which data form; none when the
// user cancels.
std::optional<SaveAsAnswer> ChooseSaveAs(QWidget* parent, const Oscillogram& record, const QString& currentPath);

} // namespace zarva::gui
