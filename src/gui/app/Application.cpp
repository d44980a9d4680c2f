#include "gui/app/Application.h"

#include "gui/app/AppSettings.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CZarvaApp.h"
#include "gui/app/CommandLine.h"
#include "gui/app/DataFolder.h"
#include "gui/app/Drawing.h"
#include "gui/app/ErrorReporter.h"
#include "gui/app/Icons.h"
#include "gui/app/QtTranslations.h"
#include "gui/app/SingleInstance.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramScreenshot.h"
#include "gui/view/ScreenshotSetup.h"

#include "core/model/StringTable.h"

#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QSettings>

#include <clocale>
#include <cstdio>

namespace zarva::gui {
namespace {

constexpr int kCannotOpen = 4646;
constexpr int kCannotSavePicture = 4647;

void PrintError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// The string table is chosen before any window exists and before another thread runs.
void ChooseLanguage(const QString& language)
{
    if (language != QLatin1String("en"))
        return;
    if (!UseEnglishTable(DataPath(QStringLiteral("strings/en.txt")).toStdString()))
        PrintError(QStringLiteral("The English string table is missing; the interface stays Russian."));
}

QFont InterfaceFont()
{
    QFont font = QApplication::font();
    UseTahoma(font);
    font.setPointSize(9);
    return font;
}

int TakeScreenshot(const CommandLine& line)
{
    CZarvaApp app(AppEnvironment{});
    QStringList errors;
    app.Errors().SetPresenter([&errors](QWidget*, const QString& text) { errors.append(text); });
    const int failed = app.Start(line);
    if (failed == 0 && errors.isEmpty()) {
        if (const QString error = ApplyDiagramOptions(app.MainFrame(), line); !error.isEmpty())
            errors.append(error);
    }
    for (CChildFrame* child : app.MainFrame().Children()) {
        while (child->Document().SurveyingCurves())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (failed > 0 || !errors.isEmpty()) {
        PrintError(errors.isEmpty() ? Tr(kCannotOpen, line.files.join(QLatin1Char(' '))) : errors.join(QLatin1Char('\n')));
        return 1;
    }
    if (CChildFrame* child = app.MainFrame().ActiveChild()) {
        const QString problem = ApplyScreenshotView(child->View(), line.view);
        if (!problem.isEmpty()) {
            PrintError(problem);
            return 1;
        }
        QCoreApplication::processEvents();
    }
    const QImage picture = line.diagram.isEmpty() ? app.MainFrame().grab().toImage()
                                                  : DiagramPicture(app.MainFrame(), line.diagram, line.size);
    if (!picture.save(line.screenshot)) {
        PrintError(Tr(kCannotSavePicture, line.screenshot));
        return 1;
    }
    return 0;
}

int RunInteractive(const CommandLine& line, std::unique_ptr<QSettings> settings)
{
    SingleInstance instance(SingleInstance::DefaultName());
    if (!line.files.isEmpty() && instance.HandOver(QFileInfo(line.files.front()).absoluteFilePath())) {
        for (qsizetype i = 1; i < line.files.size(); ++i)
            instance.HandOver(QFileInfo(line.files[i]).absoluteFilePath());
        return 0;
    }
    instance.Listen();
    AppEnvironment environment;
    environment.settings = std::move(settings);
    CZarvaApp app(std::move(environment));
    QObject::connect(&instance, &SingleInstance::fileReceived, &app, &CZarvaApp::OpenHandedOver);
    app.Start(line);
    return QApplication::exec();
}

} // namespace

int RunApplication(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Zarva"));
    QApplication::setWindowIcon(ApplicationIcon());
    QApplication::setFont(InterfaceFont());

    const CommandLine line = ParseCommandLine(QApplication::arguments().mid(1));
    if (!line.error.isEmpty()) {
        PrintError(line.error);
        return 2;
    }
    if (!line.screenshot.isEmpty()) {
        ChooseLanguage(line.language);
        InstallQtTranslations();
        return TakeScreenshot(line);
    }
    // The store is opened before the language is chosen: its name never changes with it.
    std::unique_ptr<QSettings> settings = OpenUserSettings();
    ChooseLanguage(line.language.isEmpty()
                       ? settings->value(QStringLiteral("Settings Parameters/Language")).toString()
                       : line.language);
    InstallQtTranslations();
    return RunInteractive(line, std::move(settings));
}

} // namespace zarva::gui
