#include "gui/faultloc/LocatorCommands.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"
#include "gui/faultloc/LocatorFiles.h"
#include "gui/faultloc/WrongPlaceLocatorDlg.h"

#include "core/faultloc/FaultLocator.h"
#include "core/faultloc/LocatorText.h"
#include "core/storage/SettingsSection.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace zarva::gui {
namespace {

using WrongPlaceLocatorData::LineModel;

constexpr int kReportFilter = 3444;
constexpr int kSaveReportQuestion = 4732;

bool SameModel(const LineModel& first, const LineModel& second)
{
    SettingsSection a;
    SettingsSection b;
    first.Save(a);
    second.Save(b);
    return a == b;
}

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

bool UserWantsReport(QWidget* parent, const LocationResult& result)
{
    QMessageBox box(QMessageBox::Information, Tr(text::kAppName), QString::fromStdString(ResultText(result)),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setInformativeText(Tr(kSaveReportQuestion));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void SaveReport(CZarvaDoc& document, const LocationResult& result)
{
    QWidget* parent = document.Services().DialogParent();
    const QString path = AskSaveName(parent, kReportFilter, BesideRecord(document.Path(), QStringLiteral(".txt")));
    if (path.isEmpty())
        return;
    const Document& core = document.Core();
    try {
        WriteReport(path.toStdString(),
                    ReportText(result, core.lineModel, core.oscillogram, document.Path().toStdString()));
    } catch (const std::exception& error) {
        QMessageBox::warning(parent, Tr(text::kAppName), QString::fromStdString(error.what()));
    }
}

} // namespace

void RegisterFaultLocationCommands(CZarvaDoc& document, CommandTarget& window)
{
    document.OnCommand(cmd::kFaultLocationParameters, [&document] { EditLineModel(document); });
    window.OnCommand(cmd::kFaultLocationAnalysis, [&document] { AnalyseFault(document); });
}

void EditLineModel(CZarvaDoc& document)
{
    Document& core = document.Core();
    WrongPlaceLocatorDlg dialog(core.lineModel, core.oscillogram, document.Path(), document.Services().DialogParent());
    if (dialog.exec() != QDialog::Accepted || SameModel(dialog.Model(), core.lineModel))
        return;
    core.lineModel = dialog.Model();
    core.lineModel.Save(core.settings.Section(kLocatorSettingsSection));
    document.SetModifiedFlag();
}

void AnalyseFault(CZarvaDoc& document)
{
    Document& core = document.Core();
    Location location;
    try {
        const WaitCursor busy;
        location = LocateFaultInRecord(core.oscillogram, core.lineModel);
    } catch (const std::exception& error) {
        document.Services().ReportError(QString::fromStdString(error.what()));
        return;
    }
    AddResultChannels(core.oscillogram, location);
    document.NotifyRecordChanged();
    if (UserWantsReport(document.Services().DialogParent(), location.result))
        SaveReport(document, location.result);
}

} // namespace zarva::gui
