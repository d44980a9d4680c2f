#include "gui/app/CZarvaApp.h"

#include "gui/app/AboutBox.h"
#include "gui/app/AppSettings.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CaptionBar.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandLine.h"
#include "gui/app/ErrorReporter.h"
#include "gui/app/FileFinderDlg.h"
#include "gui/app/ProgramSettingsDlg.h"
#include "gui/app/RecentFiles.h"
#include "gui/app/SaveAsDialog.h"
#include "gui/app/StoProgressDlg.h"
#include "gui/app/Texts.h"

#include "core/document/FileDispatch.h"
#include "core/formats/StoConversion.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>
#include <QStyle>
#include <QTimer>

namespace zarva::gui {
namespace {

constexpr int kOpenFilter = 328;
constexpr int kDstFilter = 125;
constexpr int kDstTitle = 126;

ConverterFactory InstalledConverter()
{
    return LoadConverterPlugin(QCoreApplication::applicationDirPath().toStdString());
}

} // namespace

CZarvaApp::CZarvaApp(AppEnvironment environment, QObject* parent)
    : QObject(parent),
      readers_(std::move(environment.readers)),
      converters_(environment.converters ? std::move(environment.converters) : InstalledConverter),
      settings_(std::make_unique<AppSettings>(std::move(environment.settings)))
{
    recent_ = new RecentFiles(settings_->Store(), this);
    errors_ = new ErrorReporter([this]() -> QWidget* { return mainFrame_.get(); }, this);
    if (!settings_->program.style.isEmpty())
        QApplication::setStyle(settings_->program.style);
    settings_->program.ApplySeriesMemory();
    RegisterCommands();
}

CZarvaApp::~CZarvaApp() = default;

void CZarvaApp::RegisterCommands()
{
    OnCommand(cmd::kFileOpen, [this] { ChooseAndOpen(); });
    OnCommand(cmd::kPageSetup, [this] { PageSetup(); });
    OnCommand(cmd::kAbout, [this] { ShowAboutBox(mainFrame_.get()); });
    OnCommand(cmd::kProgramSettings, [this] { EditProgramSettings(); });
    OnCommand(cmd::kFileFinder, [this] { ShowFileFinder(); });
    OnCommand(cmd::kExit, [this] { mainFrame_->close(); });
}

int CZarvaApp::Start(const CommandLine& commandLine)
{
    commandLineDst_ = commandLine.dst.toStdString();
    mainFrame_ = std::make_unique<CMainFrame>(*this);
    mainFrame_->resize(commandLine.size);
    mainFrame_->show();
    int failed = 0;
    for (const QString& file : commandLine.files)
        failed += OpenDocumentFile(file) == nullptr ? 1 : 0;
    if (commandLine.find)
        QTimer::singleShot(0, this, [this] { mainFrame_->Router().Route(cmd::kFileFinder); });
    return failed;
}

CZarvaDoc* CZarvaApp::OpenDocumentFile(const QString& path)
{
    if (CChildFrame* open = mainFrame_->ChildShowing(QString::fromStdString(RecordPathFor(path.toStdString())))) {
        open->mdiArea()->setActiveSubWindow(open);
        return &open->Document();
    }
    ++opening_;
    auto document = std::make_unique<CZarvaDoc>(*this);
    const bool opened = document->OpenDocument(path);
    commandLineDst_.clear();
    --opening_;
    OpenPending();
    if (!opened)
        return nullptr;
    recent_->Add(document->Path());
    CZarvaDoc* shown = &mainFrame_->AddDocument(std::move(document))->Document();
    ShowLoadWarnings(*shown);
    emit documentOpened(shown);
    return shown;
}

void CZarvaApp::OpenRecentFile(const QString& path)
{
    if (OpenDocumentFile(path) == nullptr && !QFileInfo::exists(path))
        recent_->Remove(path);
}

void CZarvaApp::OpenHandedOver(const QString& path)
{
    pending_.append(path);
    QMainWindow& window = *mainFrame_;
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
    QTimer::singleShot(0, this, &CZarvaApp::OpenPending);
}

void CZarvaApp::OpenPending()
{
    if (opening_ > 0 || pending_.isEmpty())
        return;
    OpenDocumentFile(pending_.takeFirst());
    if (!pending_.isEmpty())
        QTimer::singleShot(0, this, &CZarvaApp::OpenPending);
}

void CZarvaApp::ShowLoadWarnings(const CZarvaDoc& document)
{
    QStringList warnings;
    for (const std::string& warning : document.Core().oscillogram.loadWarnings)
        warnings.append(QString::fromStdString(warning));
    mainFrame_->Caption().ShowMessage(
        warnings.isEmpty() ? QString() : Tr(text::kLoadWarnings, document.Title()) + warnings.join(QStringLiteral("; ")),
        &document);
}

// The dialog starts in the folder of the record opened last.
void CZarvaApp::ChooseAndOpen()
{
    const QString folder = recent_->Paths().isEmpty() ? QString() : QFileInfo(recent_->Paths().front()).absolutePath();
    const QStringList files = QFileDialog::getOpenFileNames(mainFrame_.get(), QString(), folder,
                                                            QtFilters(FiltersOf({kOpenFilter})).join(QStringLiteral(";;")));
    for (const QString& file : files)
        OpenDocumentFile(file);
}

void CZarvaApp::SetUpPrinter(QPrinter& printer) const
{
    const PrintParameters& print = settings_->print;
    printer.setPageOrientation(print.pageOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(print.leftMargin / 100.0, print.topMargin / 100.0, print.rightMargin / 100.0,
                                     print.bottomMargin / 100.0),
                           QPageLayout::Millimeter);
}

void CZarvaApp::PageSetup()
{
    PrintParameters& print = settings_->print;
    QPrinter printer;
    SetUpPrinter(printer);
    QPageSetupDialog dialog(&printer, mainFrame_.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    print.leftMargin = qRound(margins.left() * 100);
    print.topMargin = qRound(margins.top() * 100);
    print.rightMargin = qRound(margins.right() * 100);
    print.bottomMargin = qRound(margins.bottom() * 100);
    print.pageOrientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    SaveState();
}

void CZarvaApp::EditProgramSettings()
{
    ProgramSettingsDlg dialog(*settings_, mainFrame_.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings_->program.ApplySeriesMemory();
    SaveState();
}

void CZarvaApp::ShowFileFinder()
{
    if (!finder_)
        finder_ = new FileFinderDlg(*this, mainFrame_.get());
    finder_->show();
    finder_->raise();
    finder_->activateWindow();
}

void CZarvaApp::SetWidgetStyle(const QString& name)
{
    QApplication::setStyle(name);
    settings_->program.style = name;
    SaveState();
}

void CZarvaApp::SaveState()
{
    settings_->Save();
}

ReadOptions CZarvaApp::CurrentReadOptions() const
{
    ReadOptions options;
    options.utcFor2013 = settings_->program.utcFor2013;
    return options;
}

const ConverterFactory& CZarvaApp::Converters()
{
    if (!converterFactory_)
        converterFactory_ = converters_();
    return *converterFactory_;
}

StoConversionSetup CZarvaApp::BackgroundStoSetup()
{
    StoConversionSetup setup;
    try {
        setup.makeConverter = Converters();
    } catch (const std::exception&) {
        // A converter library that cannot be loaded says so when a ".sto" is opened; a
        // search lists such records without their facts.
    }
    setup.dstFolder = settings_->program.dstFolder.toStdString();
    return setup;
}

std::filesystem::path CZarvaApp::ConvertSto(const std::filesystem::path& path, std::filesystem::path& tempFolder)
{
    StoProgressDlg progress(mainFrame_.get());
    StoConversionSetup setup;
    setup.makeConverter = Converters();
    setup.commandLineDst = commandLineDst_;
    setup.dstFolder = settings_->program.dstFolder.toStdString();
    setup.progress = &progress;
    setup.chooseDst = [this] {
        const QString chosen = QFileDialog::getOpenFileName(
            mainFrame_.get(), Tr(kDstTitle), settings_->program.dstFolder,
            QtFilters(FiltersOf({kDstFilter})).join(QStringLiteral(";;")));
        return std::filesystem::path(chosen.toStdString());
    };
    return zarva::ConvertSto(path, setup, &tempFolder);
}

void CZarvaApp::ReportError(const QString& text)
{
    errors_->Post(text);
}

QWidget* CZarvaApp::DialogParent() const
{
    return mainFrame_.get();
}

} // namespace zarva::gui
