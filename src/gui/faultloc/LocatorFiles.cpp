#include "gui/faultloc/LocatorFiles.h"

#include "gui/app/SaveAsDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zarva::gui {

QString AskSaveName(QWidget* parent, int filterId, const QString& proposed)
{
    const std::vector<FileFilter> filters = FiltersOf({filterId});
    const QStringList names = QtFilters(filters);
    QString selected = names.value(0);
    const QString chosen =
        QFileDialog::getSaveFileName(parent, QString(), proposed, names.join(QStringLiteral(";;")), &selected);
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty() || filters.empty())
        return chosen;
    return chosen + QString::fromStdString(FilterExtension(filters.front()));
}

QString AskOpenName(QWidget* parent, int filterId, const QString& folder)
{
    const QString filters = QtFilters(FiltersOf({filterId})).join(QStringLiteral(";;"));
    return QFileDialog::getOpenFileName(parent, QString(), folder, filters);
}

QString BesideRecord(const QString& recordPath, const QString& extension)
{
    if (recordPath.isEmpty())
        return {};
    const QFileInfo record(recordPath);
    return record.dir().filePath(record.completeBaseName() + extension);
}

} // namespace zarva::gui
