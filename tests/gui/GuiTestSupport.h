#pragma once

#include "gui/app/CZarvaApp.h"

#include "support/TempFolder.h"

#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zarva::gui::test {

// An application with its settings in a temporary file, started with no record.
class AppUnderTest {
public:
    explicit AppUnderTest(AppEnvironment environment = {});
    ~AppUnderTest();

    CZarvaApp& App() { return *app_; }
    CMainFrame& Frame();
    std::size_t WindowCount();

private:
    zarva::test::TempFolder settingsFolder_;
    std::unique_ptr<CZarvaApp> app_;
};

// The text of the error box the main window shows next; the box is closed. Empty when none
// appears within the timeout.
QString TakeErrorBox(CMainFrame& frame, int timeoutMs = 3000);

// Calls `act` every 10 ms, from the event loop, until it returns true: answers windows that
// the code under test opens and waits on.
void RepeatUntilDone(std::function<bool()> act);

// Answers the next modal message box with `button` and stores its text.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr);

// Answers the message boxes that come next, one button each in order, and stores their texts.
void AnswerMessageBoxes(std::vector<QMessageBox::StandardButton> buttons, QStringList* texts = nullptr);

// Answers the next file dialog with `path`, the filter for `extension` (".cfg") chosen; stores
// the filters it offered.
void AnswerNextSaveDialog(const QString& path, const QString& extension, QStringList* filters = nullptr);

// Small records in each format.
std::filesystem::path WriteComtradeRecord(const zarva::test::TempFolder& folder, const std::string& name = "fault");
std::filesystem::path WriteOscRecord(const zarva::test::TempFolder& folder, const std::string& name = "fault");

// A converter that makes a known record of every ".sto" whose description lies beside it;
// `calls` receives what the converter was asked.
std::function<ConverterFactory()> FakeConverters(std::vector<std::string>* calls);

QString Str(const std::filesystem::path& path);

// The texts of a menu's entries, "-" for a separator and a "*" after a checked one.
QStringList MenuEntries(const QMenu& menu);

// The points of `area` in `image` that show exactly `colour`.
std::vector<QPoint> PointsOf(const QImage& image, const QRect& area, const QColor& colour);

// Test objects register their maker; the program's main runs them all under one application
// and returns the exit code.
bool RegisterQtTest(QObject* (*make)());
int RunQtTests(int argc, char** argv);

} // namespace zarva::gui::test

#define ZARVA_GUI_TEST(Class)                                                                                       \
    [[maybe_unused]] static const bool registered##Class =                                                          \
        ::zarva::gui::test::RegisterQtTest([]() -> QObject* { return new ::zarva::gui::test::Class; });
