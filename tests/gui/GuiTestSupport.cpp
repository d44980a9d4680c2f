#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandLine.h"

#include "support/FakeConverter.h"
#include "support/Osc2Writer.h"
#include "support/RecordBuilder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <clocale>
#include <cmath>
#include <memory>

namespace zarva::gui::test {

AppUnderTest::AppUnderTest(AppEnvironment environment)
{
    environment.settings = std::make_unique<QSettings>(
        QString::fromStdString((settingsFolder_ / "Zarva.conf").string()), QSettings::IniFormat);
    app_ = std::make_unique<CZarvaApp>(std::move(environment));
    app_->Start(CommandLine{});
}

AppUnderTest::~AppUnderTest()
{
    for (CChildFrame* child : Frame().Children())
        child->Document().SetModifiedFlag(false);
    app_.reset();
}

CMainFrame& AppUnderTest::Frame()
{
    return app_->MainFrame();
}

std::size_t AppUnderTest::WindowCount()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return Frame().Children().size();
}

QString TakeErrorBox(CMainFrame& frame, int timeoutMs)
{
    QMessageBox* box = nullptr;
    if (!QTest::qWaitFor([&] { return (box = frame.findChild<QMessageBox*>()) != nullptr; }, timeoutMs))
        return {};
    const QString text = box->text();
    box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return text;
}

void RepeatUntilDone(std::function<bool()> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
        if (act())
            timer->deleteLater();
    });
    timer->start();
}

void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text)
{
    RepeatUntilDone([button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && text != nullptr)
            *text = box->text();
        if (box != nullptr)
            box->button(button)->click();
        return box != nullptr;
    });
}

void AnswerMessageBoxes(std::vector<QMessageBox::StandardButton> buttons, QStringList* texts)
{
    auto answered = std::make_shared<std::size_t>(0);
    auto last = std::make_shared<QPointer<QMessageBox>>();
    RepeatUntilDone([buttons = std::move(buttons), texts, answered, last] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == *last || box->button(buttons[*answered]) == nullptr)
            return false;
        *last = box;
        if (texts != nullptr)
            texts->append(box->text());
        box->button(buttons[(*answered)++])->click();
        return *answered == buttons.size();
    });
}

// The name is typed into the dialog's name field: a dialog still filling its folder view
// would otherwise put its proposed name back. It is accepted once it shows the name typed.
void AnswerNextSaveDialog(const QString& path, const QString& extension, QStringList* filters)
{
    RepeatUntilDone([path, extension, filters] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = dialog != nullptr ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (name == nullptr)
            return false;
        if (filters != nullptr)
            *filters = dialog->nameFilters();
        for (const QString& filter : dialog->nameFilters()) {
            if (filter.contains(QLatin1Char('*') + extension))
                dialog->selectNameFilter(filter);
        }
        name->setText(path);
        if (dialog->selectedFiles().value(0) != path)
            return false;
        static_cast<QDialog*>(dialog)->accept();
        return true;
    });
}

std::filesystem::path WriteComtradeRecord(const zarva::test::TempFolder& folder, const std::string& name)
{
    zarva::test::RecordBuilder builder;
    builder.Station("Подстанция")
        .Analog({.id = "UA", .unit = "kV", .a = 0.01})
        .Analog({.id = "IA", .unit = "A", .a = 0.01})
        .Discrete({.id = "TRIP"})
        .Rate(2400, 96);
    for (int i = 0; i < 96; ++i) {
        const double phase = 2 * M_PI * i / 48.0;
        builder.Sample({std::round(9000 * std::sin(phase)), std::round(800 * std::sin(phase - 0.4))}, {i > 50 ? 1 : 0});
    }
    return builder.Write(folder, name);
}

std::filesystem::path WriteOscRecord(const zarva::test::TempFolder& folder, const std::string& name)
{
    zarva::test::Osc2Record record;
    zarva::test::Osc2Analog channel{"Ua", "A", "kV", 0.01f, 0.0f, 110.0f, 0.1f, {}};
    for (int i = 0; i < 96; ++i)
        channel.codes.push_back(static_cast<std::int16_t>(std::lround(9000 * std::sin(2 * M_PI * i / 48.0))));
    record.analog = {channel};
    return folder.Write(name + ".osc", zarva::test::WriteOsc2(record));
}

std::function<ConverterFactory()> FakeConverters(std::vector<std::string>* calls)
{
    return [calls] {
        return ConverterFactory([calls](std::size_t size, ConversionProgress* progress) {
            return std::make_unique<zarva::test::FakeConverter>(size, progress, calls);
        });
    };
}

QString Str(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

QStringList MenuEntries(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text() + (action->isChecked() ? "*" : ""));
    return texts;
}

std::vector<QPoint> PointsOf(const QImage& image, const QRect& area, const QColor& colour)
{
    std::vector<QPoint> points;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixelColor(x, y) == colour)
                points.emplace_back(x, y);
        }
    }
    return points;
}

namespace {

std::vector<QObject* (*)()>& Makers()
{
    static std::vector<QObject* (*)()> makers;
    return makers;
}

} // namespace

bool RegisterQtTest(QObject* (*make)())
{
    Makers().push_back(make);
    return true;
}

int RunQtTests(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    int failures = 0;
    for (auto make : Makers()) {
        const std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace zarva::gui::test
