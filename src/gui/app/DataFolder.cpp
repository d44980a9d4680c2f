#include "gui/app/DataFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace zarva::gui {

QString DataFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zarva"));
}

QString DataPath(const QString& relative)
{
    return QDir(DataFolder()).filePath(relative);
}

} // namespace zarva::gui
