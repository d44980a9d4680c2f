#pragma once

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandTarget.h"

#include "core/formats/ComtradeConverter.h"
#include "core/formats/StoConversion.h"

#include <QObject>
#include <QPointer>
#include <QSettings>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace zarva::gui {

class AppSettings;
class CMainFrame;
class ErrorReporter;
class FileFinderDlg;
class RecentFiles;
struct CommandLine;

// What the application is built from; tests put fakes in.
struct AppEnvironment {
    RecordReaders readers = StandardReaders();
    // The ".sto" converter; the default loads the library installed beside the program.
    std::function<ConverterFactory()> converters;
    std::unique_ptr<QSettings> settings;  // null: settings live in memory only
};

// The application object: starts the program, opens records into document windows, and
// handles the commands that need no document (open, page setup, program settings, about).
class CZarvaApp : public QObject, public CommandTarget, public DocumentServices {
    Q_OBJECT
public:
    explicit CZarvaApp(AppEnvironment environment, QObject* parent = nullptr);
    ~CZarvaApp() override;

    // Creates and shows the main window, then opens the records of the command line.
    // Returns how many of them failed to open.
    int Start(const CommandLine& commandLine);

    CMainFrame& MainFrame() const { return *mainFrame_; }
    AppSettings& Settings() const { return *settings_; }
    RecentFiles& Recent() const { return *recent_; }
    ErrorReporter& Errors() const { return *errors_; }

    // The document window of the record, opened now or found open; null when it failed.
    CZarvaDoc* OpenDocumentFile(const QString& path);
    void OpenRecentFile(const QString& path);
    // A file handed over by a later start: opened once the current open is done, with the
    // main window brought to the front.
    void OpenHandedOver(const QString& path);
    void SetWidgetStyle(const QString& name);
    void SaveState();
    // Reading ".sto" records without asking anyone, for searches off the interface thread.
    StoConversionSetup BackgroundStoSetup();

    // DocumentServices
    const RecordReaders& Readers() const override { return readers_; }
    ReadOptions CurrentReadOptions() const override;
    std::filesystem::path ConvertSto(const std::filesystem::path& path, std::filesystem::path& tempFolder) override;
    void ReportError(const QString& text) override;
    QWidget* DialogParent() const override;
    void SetUpPrinter(QPrinter& printer) const override;

signals:
    void documentOpened(CZarvaDoc* document);

private:
    void RegisterCommands();
    void ChooseAndOpen();
    void PageSetup();
    void EditProgramSettings();
    void ShowFileFinder();
    const ConverterFactory& Converters();
    void OpenPending();
    void ShowLoadWarnings(const CZarvaDoc& document);

    RecordReaders readers_;
    std::function<ConverterFactory()> converters_;
    std::optional<ConverterFactory> converterFactory_;
    std::unique_ptr<AppSettings> settings_;
    RecentFiles* recent_;
    ErrorReporter* errors_;
    std::unique_ptr<CMainFrame> mainFrame_;
    QPointer<FileFinderDlg> finder_;
    std::string commandLineDst_;
    QStringList pending_;
    int opening_ = 0;
};

} // namespace zarva::gui
