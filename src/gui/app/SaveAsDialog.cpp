#include "gui/app/SaveAsDialog.h"

#include "gui/app/Texts.h"

#include "core/formats/ComtradeConfiguration.h"
#include "core/model/Oscillogram.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

#include <cstdlib>

namespace zarva::gui {
namespace {

constexpr int kDataFormat = 4750;
constexpr DataFormat kForms[] = {DataFormat::Ascii, DataFormat::Binary, DataFormat::Binary32, DataFormat::Float32};

bool Revision2013(const Oscillogram& record)
{
    return std::atoi(record.revisionYear.c_str()) >= 2013;
}

// The data form goes under the name and type fields of the dialog: Qt's own dialog keeps
// them in one grid.
QComboBox* AddFormChoice(QFileDialog& dialog, const Oscillogram& record)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr)
        return nullptr;
    auto* forms = new QComboBox(&dialog);
    forms->setObjectName(QStringLiteral("dataFormat"));
    const DataFormat own = DataFormatOf(record.fileType).value_or(DataFormat::Binary);
    for (const DataFormat form : kForms) {
        forms->addItem(QString::fromLatin1(FileTypeText(form)).toUpper());
        if (form == own)
            forms->setCurrentIndex(forms->count() - 1);
    }
    auto* label = new QLabel(Tr(kDataFormat), &dialog);
    label->setBuddy(forms);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(forms, row, 1);
    return forms;
}

} // namespace

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

std::optional<SaveAsAnswer> ChooseSaveAs(QWidget* parent, const Oscillogram& record, const QString& currentPath)
{
    const SaveAsChoice choice = SaveAsChoiceFor(record.sourcePath, currentPath.toStdString(), Revision2013(record));
    const std::vector<FileFilter> filters = FiltersOf(choice.filterTextIds);
    const QStringList names = QtFilters(filters);
    std::vector<std::string> offered;
    for (const FileFilter& filter : filters)
        offered.push_back(FilterExtension(filter));

    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(names);
    dialog.selectNameFilter(names.value(static_cast<qsizetype>(choice.selected)));
    dialog.selectFile(QString::fromStdString(choice.proposedName));
    QComboBox* forms = AddFormChoice(dialog, record);
    const auto followFilter = [&](const QString& filter) {
        const auto index = static_cast<std::size_t>(std::max<qsizetype>(0, names.indexOf(filter)));
        if (forms != nullptr)
            forms->setEnabled(index >= offered.size() || offered[index] != ".osc");
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    followFilter(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;

    const auto index = static_cast<std::size_t>(std::max<qsizetype>(0, names.indexOf(dialog.selectedNameFilter())));
    const std::string extension = index < offered.size() ? offered[index] : std::string();
    SaveAsAnswer answer;
    answer.path = QString::fromStdString(NameForFilter(dialog.selectedFiles().front().toStdString(), extension, offered));
    if (forms != nullptr)
        answer.fileType = forms->currentText().toStdString();
    return answer;
}

} // namespace zarva::gui
