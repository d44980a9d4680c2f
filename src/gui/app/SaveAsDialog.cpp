#include "gui/app/SaveAsDialog.h"

#include "gui/app/Texts.h"

#include "core/document/FileDispatch.h"

#include <QFileDialog>

namespace zarva::gui {

std::vector<FileFilter> FiltersOf(const std::vector<int>& textIds)
{
    std::vector<FileFilter> filters;
    for (const int id : textIds) {
        for (FileFilter& filter : ParseFileFilters(Tr(id).toStdString())) {
            const bool known = std::any_of(filters.begin(), filters.end(), [&](const FileFilter& other) {
                return other.description == filter.description;
            });
            if (!known)
                filters.push_back(std::move(filter));
        }
    }
    return filters;
}

QStringList QtFilters(const std::vector<FileFilter>& filters)
{
    QStringList list;
    for (const FileFilter& filter : filters) {
        QString description = QString::fromStdString(filter.description);
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0)
            description = description.left(open).trimmed();
        QStringList patterns;
        for (const std::string& pattern : filter.patterns)
            patterns.append(QString::fromStdString(pattern));
        list.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return list;
}

QString ChooseSaveAsName(QWidget* parent, const std::string& sourcePath, const QString& currentPath)
{
    const SaveAsChoice choice = SaveAsChoiceFor(sourcePath, currentPath.toStdString());
    const std::vector<FileFilter> filters = FiltersOf(choice.filterTextIds);
    const QStringList names = QtFilters(filters);
    QString selected = names.value(0);
    const QString chosen = QFileDialog::getSaveFileName(parent, QString(), QString::fromStdString(choice.proposedName),
                                                        names.join(QStringLiteral(";;")), &selected);
    if (chosen.isEmpty())
        return {};
    std::vector<std::string> offered;
    for (const FileFilter& filter : filters)
        offered.push_back(FilterExtension(filter));
    const auto index = static_cast<std::size_t>(std::max<qsizetype>(0, names.indexOf(selected)));
    const std::string extension = index < filters.size() ? FilterExtension(filters[index]) : std::string();
    return QString::fromStdString(NameForFilter(chosen.toStdString(), extension, offered));
}

} // namespace zarva::gui
