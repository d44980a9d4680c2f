#include "gui/app/CZarvaDoc.h"

#include "gui/analysis/CQAnPropSheet.h"
#include "gui/app/CommandIds.h"
#include "gui/app/RecordLoading.h"
#include "gui/app/RecordParametersDlg.h"
#include "gui/app/SaveAsDialog.h"
#include "gui/app/SettingsLoading.h"
#include "gui/app/Texts.h"
#include "gui/formula/ComputedChannelCommands.h"
#include "gui/view/CommentDlg.h"

#include "core/document/FileDispatch.h"
#include "core/document/RecordSaver.h"
#include "core/document/TemporaryFolder.h"
#include "core/model/ZarvaException.h"

#include <QFileInfo>
#include <QMessageBox>

#include <cerrno>
#include <fstream>

namespace zarva::gui {
namespace {

constexpr int kStoCloseWarning = 190;

std::filesystem::path ToPath(const QString& path)
{
    return std::filesystem::path(path.toStdString());
}

} // namespace

CZarvaDoc::CZarvaDoc(DocumentServices& services, QObject* parent) : QObject(parent), services_(services)
{
    connect(&surveyor_, &CurveSurveyor::progressed, this, &CZarvaDoc::curveSurveyProgress);
    connect(&surveyor_, &CurveSurveyor::finished, this, &CZarvaDoc::TakeSurveys);
    OnCommand(cmd::kFileClose, [this] { emit closeRequested(); });
    OnCommand(cmd::kFileSave, [this] { Save(); });
    OnCommand(cmd::kFileSaveAs, [this] { SaveAs(); });
    OnCommand(cmd::kComments, [this] { EditRecordHeader(*this); });
    OnCommand(cmd::kLoadSettings, [this] { LoadOtherSettings(*this); });
    RegisterComputedChannelCommands(*this);
    RegisterQuickAnalysisCommand(*this);
    RegisterRecordParametersCommand(*this);
    OnCommand(cmd::kCursorDifference, [this] { SetShowCursorDifference(!document_.showCursorDifference); },
              [this] { return CommandState{true, true, document_.showCursorDifference}; });
}

QString CZarvaDoc::Title() const
{
    return QFileInfo(path_).fileName();
}

void CZarvaDoc::SetModifiedFlag(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit modifiedChanged(modified_);
}

void CZarvaDoc::SetCursors(const CursorSet& cursors)
{
    if (document_.cursors == cursors)
        return;
    document_.cursors = cursors;
    emit cursorsChanged();
}

void CZarvaDoc::NotifyRecordChanged()
{
    emit recordChanged();
}

void CZarvaDoc::NotifySelectionChanged()
{
    emit selectionChanged();
}

void CZarvaDoc::NotifySettingsReplaced()
{
    emit settingsReplaced();
    emit recordChanged();
}

void CZarvaDoc::SetShowCursorDifference(bool show)
{
    if (document_.showCursorDifference == show)
        return;
    document_.showCursorDifference = show;
    emit cursorDifferenceChanged();
}

bool CZarvaDoc::OpenDocument(const QString& requested)
{
    const QString path = QString::fromStdString(RecordPathFor(requested.toStdString()));
    {
        std::ifstream readable(ToPath(path), std::ios::binary);
        if (!readable || QFileInfo(path).isDir()) {
            services_.ReportError(QString::fromStdString(FileException(errno != 0 ? errno : ENOENT, ToPath(path)).what()));
            return false;
        }
    }
    std::filesystem::path loadPath = ToPath(path);
    try {
        if (KindOf(path.toStdString()) == FileKind::Sto) {
            loadPath = services_.ConvertSto(loadPath, document_.tempFolder);
            if (loadPath.empty())
                return false;
        }
        if (!Load(loadPath))
            return false;
    } catch (const std::exception& error) {
        DeleteTemporaryFolder(document_.tempFolder);
        document_.tempFolder.clear();
        services_.ReportError(QString::fromStdString(error.what()));
        return false;
    }
    Oscillogram& record = document_.oscillogram;
    if (KindOf(path.toStdString()) == FileKind::Sto)
        record.sourcePath = path.toStdString();
    if (!record.channels.empty())
        record.channels.front().selected = true;
    path_ = path;
    SetModifiedFlag(false);
    emit titleChanged();
    surveyor_.Start(document_);
    return true;
}

void CZarvaDoc::TakeSurveys()
{
    for (Channel& channel : document_.oscillogram.channels)
        channel.TakeSurvey();
    emit recordChanged();
    emit curvesSurveyed();
}

bool CZarvaDoc::Load(std::filesystem::path loadPath)
{
    LoadRequest request;
    request.showProgress = LoadShowsProgress(loadPath.string());
    request.loadPath = std::move(loadPath);
    request.options = services_.CurrentReadOptions();
    // A large record is shown as soon as its samples are in; its curves follow.
    request.options.surveyCurves = !request.showProgress;
    request.readers = &services_.Readers();
    request.dialogParent = services_.DialogParent();
    request.reportError = [this](const QString& text) { services_.ReportError(text); };
    const bool loaded = LoadOnThread(document_, request);
    return loaded && !document_.progress.CancelRequested();
}

bool CZarvaDoc::CanSaveAt(const QString& path) const
{
    return !path.isEmpty() && KindOf(path.toStdString()) != FileKind::Sto && CanSave(path.toStdString());
}

bool CZarvaDoc::SaveDocument(const QString& path, const SaveOptions& options)
{
    try {
        SaveRecord(document_, ToPath(path), options);
    } catch (const std::exception& error) {
        QMessageBox::warning(services_.DialogParent(), Tr(text::kAppName), QString::fromStdString(error.what()));
        return false;
    }
    // An archive is a packed copy that cannot be opened again: the record stays what it was,
    // changed until it is saved as itself.
    if (KindOf(path.toStdString()) == FileKind::Zip)
        return true;
    if (path != path_) {
        path_ = path;
        emit titleChanged();
    }
    SetModifiedFlag(false);
    return true;
}

void CZarvaDoc::Save()
{
    if (CanSaveAt(path_))
        SaveDocument(path_);
    else
        SaveAs();
}

void CZarvaDoc::SaveAs()
{
    if (const auto chosen = ChooseSaveAs(services_.DialogParent(), document_.oscillogram, path_))
        SaveDocument(chosen->path, SaveOptions{chosen->fileType});
}

bool CZarvaDoc::CanClose(QWidget* parent)
{
    if (WarnsOnClose(document_.oscillogram.sourcePath, modified_)) {
        const auto answer = QMessageBox::information(parent, Tr(text::kAppName), Tr(kStoCloseWarning),
                                                     QMessageBox::Ok | QMessageBox::Cancel);
        if (answer != QMessageBox::Ok)
            return false;
    }
    return SaveModified(parent);
}

bool CZarvaDoc::SaveModified(QWidget* parent)
{
    if (!modified_ || SkipsSavePrompt(path_.toStdString()))
        return true;
    const auto answer = QMessageBox::question(parent, Tr(text::kAppName), Tr(text::kSaveChangesTo, Title()),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        Save();
        return !modified_;
    }
    return answer == QMessageBox::No;
}

} // namespace zarva::gui
