#include "gui/app/SettingsLoading.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/SaveAsDialog.h"
#include "gui/app/Texts.h"

#include "core/document/SettingsTransfer.h"
#include "core/storage/SettingsStore.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace zarva::gui {
namespace {

constexpr int kSettingsFilter = 3294;
constexpr int kNotAllApplied = 4763;
constexpr int kNotInRecord = 4764;
constexpr int kNotInFile = 4765;

QString Joined(const std::vector<std::string>& names)
{
    QStringList list;
    for (const std::string& name : names)
        list.append(QString::fromStdString(name));
    return list.join(QStringLiteral(", "));
}

QString ReportText(const SettingsTransferReport& report)
{
    QStringList lines;
    if (!report.notInRecord.empty())
        lines.append(Tr(kNotInRecord, Joined(report.notInRecord)));
    if (!report.notInFile.empty())
        lines.append(Tr(kNotInFile, Joined(report.notInFile)));
    for (const std::string& failure : report.formulaFailures)
        lines.append(QString::fromStdString(failure));
    return lines.isEmpty() ? QString() : Tr(kNotAllApplied) + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
}

} // namespace

void LoadOtherSettings(CZarvaDoc& document)
{
    QWidget* parent = document.Services().DialogParent();
    const QString path = QFileDialog::getOpenFileName(parent, QString(), QFileInfo(document.Path()).absolutePath(),
                                                      QtFilters(FiltersOf({kSettingsFilter})).join(QStringLiteral(";;")));
    if (path.isEmpty())
        return;
    SettingsStore source;
    try {
        source.Load(path.toStdString());
    } catch (const std::exception& error) {
        QMessageBox::warning(parent, Tr(text::kAppName), QString::fromStdString(error.what()));
        return;
    }
    const SettingsTransferReport report = ApplyRecordSettings(document.Core(), source);
    document.SetModifiedFlag();
    document.NotifySettingsReplaced();
    if (const QString text = ReportText(report); !text.isEmpty())
        QMessageBox::information(parent, Tr(text::kAppName), text);
}

} // namespace zarva::gui
