#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/StatusBarController.h"
#include "gui/view/CZarvaView.h"
#include "gui/view/ChannelRatioDlg.h"
#include "gui/view/ViewPrinting.h"

#include "core/document/Recompute.h"
#include "core/view/ChannelCommands.h"
#include "core/view/ViewScale.h"
#include "support/RecordBuilder.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

namespace zarva::gui::test {

using zarva::test::AnalogLine;
using zarva::test::DiscreteLine;
using zarva::test::RecordBuilder;

QImage Grab(CZarvaView& view)
{
    return view.viewport()->grab().toImage();
}

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void cursorsFollowClicksKeysAndTheStatusBar()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        const auto vertical = [&view](int cursor) { return view.Document().Core().cursors.Vertical(cursor).sample; };
        view.SetXScale(1.0);
        view.SetFirstSample(100);
        CursorSet cursors;
        cursors.PlaceVertical(0, 110, 1000);
        view.Document().SetCursors(cursors);
        const int x = view.CursorX(110);
        QCOMPARE(x, view.State().leftMargin + 250);
        const QPoint line(x, view.Rows().front().top + view.Rows().front().height / 2 + 10);
        const QColor red(255, 100, 100);
        QCOMPARE(Grab(view).pixelColor(line), red);
        QVERIFY(Grab(view).pixelColor(line + QPoint(2, 0)) != red);
        QCOMPARE(app.Frame().Status().CursorTexts().value(0), QStringLiteral("Верт. визир 1: 110 мс"));
        QVERIFY(app.Frame().Router().StateOf(cmd::kVerticalCursor1).checked);
        view.Document().SetCursors(CursorSet{});
        QVERIFY(Grab(view).pixelColor(line) != red);

        // A click takes the nearer sample; the right button places cursor 2 and opens no menu,
        // which the label panel and the menu key open.
        const int y = view.Rows().front().top + 20;
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(x + 12, y));
        QCOMPARE(vertical(0), std::int64_t{110});
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(x + 13, y));
        QCOMPARE(vertical(0), std::int64_t{111});
        QVERIFY(!MenuOpensAfter([&] { QTest::mouseClick(view.viewport(), Qt::RightButton, {}, QPoint(x, y)); }));
        QCOMPARE(vertical(1), std::int64_t{110});
        QVERIFY(MenuOpensAfter([&] { QTest::mouseClick(view.viewport(), Qt::RightButton, {}, QPoint(5, y)); }));
        QCOMPARE(vertical(1), std::int64_t{110});
        QVERIFY(MenuOpensAfter([&] {
            // What the platform sends for the keyboard's menu key.
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(view.viewport(), &menuKey);
        }));

        // Arrow keys move by one sample and stop at the ends of the record.
        cursors.PlaceVertical(0, 0, 1000);
        cursors.PlaceVertical(1, 999, 1000);
        view.Document().SetCursors(cursors);
        QTest::keyClick(&view, Qt::Key_Left);
        QCOMPARE(vertical(0), std::int64_t{0});
        QTest::keyClick(&view, Qt::Key_Right);
        QCOMPARE(vertical(0), std::int64_t{1});
        QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(vertical(1), std::int64_t{999});
        cursors.SetVerticalActive(0, false);
        view.Document().SetCursors(cursors);
        QTest::keyClick(&view, Qt::Key_Right);
        QCOMPARE(vertical(0), std::int64_t{0});
    }

    void curvesStayWithinTheirRows()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        const QImage image = Grab(view);
        const Row& ia = view.Rows().front();
        const int left = view.State().leftMargin + 1;
        const auto phaseA = PointsOf(image, QRect(QPoint(left, 0), QPoint(image.width() - 1, image.height() - 76)),
                                     QColor(192, 192, 0));
        QVERIFY(phaseA.size() > 100);
        for (const QPoint point : phaseA)
            QVERIFY2(point.y() >= ia.top + 4 && point.y() <= ia.top + ia.height - 4,
                     qPrintable(QString("x %1 y %2").arg(point.x()).arg(point.y())));
    }

    void envelopeLooksLikeEveryVertex()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app, 200'000);
        QCOMPARE(view.State().xScale, 2.0 * FitScale(view.viewport()->width(), 200'000));
        const QImage envelope = Grab(view);
        view.SetEveryVertex(true);
        const QImage every = Grab(view);
        QCOMPARE(envelope.size(), every.size());
        int differing = 0;
        for (int y = 0; y < every.height(); ++y) {
            for (int x = 0; x < every.width(); ++x)
                differing += envelope.pixel(x, y) != every.pixel(x, y) ? 1 : 0;
        }
        QVERIFY2(differing * 100 < every.width() * every.height(), qPrintable(QString::number(differing)));
    }

    void zoomCommandsKeepLimitsAndWriteSettings()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        const CommandRouter& router = app.Frame().Router();
        const double fit = FitScale(view.viewport()->width(), 1000);
        view.SetXScale(0.5);
        QVERIFY(router.Route(cmd::kZoomInHorizontally));
        QCOMPARE(view.State().xScale, 1.0);
        router.Route(cmd::kZoomInHorizontally);
        QCOMPARE(view.State().xScale, 1.0);
        for (int i = 0; i < 20; ++i)
            router.Route(cmd::kZoomOutHorizontally);
        QCOMPARE(view.State().xScale, fit);
        QVERIFY(view.Document().IsModified());
        const SettingsSection& settings = view.Document().Core().settings.Sections().at("View");
        QCOMPARE(settings.GetDouble("XScale", 0.0), fit);

        router.Route(cmd::kZoomInVertically);
        QCOMPARE(view.State().yAnalogSize, 121);
        QCOMPARE(settings.GetInt("YAnalogSize", 0), 121);
        QCOMPARE(view.Rows().front().height, 121);

        router.Route(cmd::kSeconds);
        QCOMPARE(view.State().rulerState, RulerUnit::Seconds);
        QCOMPARE(settings.GetInt("RulerState", 0), 2);
        QVERIFY(router.StateOf(cmd::kSeconds).checked);
    }

    void labelClicksSelectAndHidingRemovesRows()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        const CommandRouter& router = app.Frame().Router();
        const auto& channels = view.Document().Core().oscillogram.channels;
        const auto click = [&view](std::size_t row, Qt::KeyboardModifiers modifiers = {}) {
            const QPoint centre(10, view.Rows()[row].top + view.Rows()[row].height / 2);
            QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, centre);
        };
        click(0);
        click(1, Qt::ControlModifier);
        QVERIFY(channels[0].selected && channels[1].selected && !channels[2].selected);
        QVERIFY2(!router.StateOf(cmd::kJoinChannels).enabled, "amperes and volts");
        click(2);
        QVERIFY(!channels[0].selected && channels[2].selected);

        QCOMPARE(view.Rows().size(), std::size_t{4});
        router.Route(cmd::kHideUnchangingDiscrete);
        QCOMPARE(view.Rows().size(), std::size_t{4});
        router.Route(cmd::kHideDiscrete);
        QCOMPARE(view.Rows().size(), std::size_t{3});
        router.Route(cmd::kShowDiscrete);
        QCOMPARE(view.Rows().size(), std::size_t{4});
        QVERIFY(view.Rows().back().discrete);
        click(3);
        router.Route(cmd::kHideSelected);
        QCOMPARE(view.Rows().size(), std::size_t{3});
    }

    // The rename in place and the inversion reach the computed channels.
    void renameRefusesANameInUseAndFormulasFollow()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        Document& core = view.Document().Core();
        core.oscillogram.calcChannels.Add("Twice", "Ia * 2");
        RecomputeAll(core);
        const QPoint name(8, view.Rows().front().top + 10);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, name);
        auto* editor = view.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr && editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("Ia"));
        editor->setText(QStringLiteral("Ub"));
        QString message;
        AnswerNextMessageBox(QMessageBox::Ok, &message);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(message, QStringLiteral("Данное имя канала уже используется."));
        QCOMPARE(view.Document().Core().oscillogram.channels[0].Name(), std::string("Ia"));

        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, name);
        editor->setText(QStringLiteral("Фаза A"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(view.Document().Core().oscillogram.channels[0].aliasName, std::string("Фаза A"));
        QVERIFY(view.Document().IsModified());
        QCOMPARE(core.oscillogram.calcChannels.Formulas()[0], std::string("\"Фаза A\" * 2"));

        std::vector<Channel>& channels = core.oscillogram.channels;
        SelectForMenu(channels, 0);
        app.Frame().Router().Route(cmd::kInvert);
        QVERIFY(channels[0].samples.At(3) != 0.0);
        QCOMPARE(channels.back().samples.At(3), -2.0 * channels[0].samples.At(3));
    }

    void verticalZoomToolNarrowsTheRow()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        const CommandRouter& router = app.Frame().Router();
        router.Route(cmd::kZoomSelectionVertically);
        QVERIFY(router.StateOf(cmd::kZoomSelectionVertically).checked);
        const Row& row = view.Rows().front();
        const int x = view.State().leftMargin + 200;
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(x, row.top + 5));
        QTest::mouseMove(view.viewport(), QPoint(x, row.top + row.height / 2));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(x, row.top + row.height / 2));
        const Channel& ia = view.Document().Core().oscillogram.channels[0];
        QVERIFY(ia.zoom.zoomed);
        QVERIFY(std::abs(ChannelWindow(ia).low) < 5.0);
        QVERIFY(std::abs(ChannelWindow(ia).high - 100.0) < 1.0);
        QVERIFY(!router.StateOf(cmd::kZoomSelectionVertically).checked);

        router.Route(cmd::kRestoreSize);
        QVERIFY(!ia.zoom.zoomed);
    }

    void mergedChannelsShareOneRowWithACommonScale()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        const CommandRouter& router = app.Frame().Router();
        auto& channels = view.Document().Core().oscillogram.channels;
        channels[0].selected = true;
        channels[2].selected = true;
        channels[0].SetFlag(display::kReadMinMax, true);
        QVERIFY(router.StateOf(cmd::kJoinChannels).enabled);
        channels[2].ownSampleRate = 2000.0;
        QString refusal;
        AnswerNextMessageBox(QMessageBox::Ok, &refusal);
        router.Route(cmd::kJoinChannels);
        QCOMPARE(refusal, QStringLiteral("Выбранные каналы имеют разную частоту "));
        QVERIFY(channels[0].group.empty());
        channels[2].ownSampleRate = 0.0;
        router.Route(cmd::kJoinChannels);
        QCOMPARE(view.Rows().size(), std::size_t{3});
        const Row merged = view.Rows().front();
        QCOMPARE(merged.members, (std::vector<std::size_t>{0, 2}));
        QCOMPARE(merged.height, std::max(93, 2 * (view.TextHeight() + 33 + view.SmallTextHeight())));
        QVERIFY(!channels[0].group.empty());
        QCOMPARE(channels[0].group, channels[2].group);

        // Ic (amplitude 20) on the scale of Ia (amplitude 100) keeps to the middle fifth.
        const QImage image = Grab(view);
        const int left = view.State().leftMargin + 1;
        const auto ic = PointsOf(image, QRect(left, merged.top, image.width() - left, merged.height), QColor(255, 0, 0));
        QVERIFY(ic.size() > 50);
        for (const QPoint point : ic)
            QVERIFY2(std::abs(point.y() - (merged.top + merged.height / 2)) <= (merged.height - 10) / 10 + 2,
                     qPrintable(QString::number(point.y())));

        router.Route(cmd::kSeparateChannels);
        QCOMPARE(view.Rows().size(), std::size_t{4});
    }

    void selectionAndUneditedRatiosLeaveTheRecordAsItWas()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        CZarvaDoc& document = view.Document();
        document.SetModifiedFlag(false);
        QSignalSpy records(&document, &CZarvaDoc::recordChanged);
        QSignalSpy selections(&document, &CZarvaDoc::selectionChanged);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, view.Rows().front().top + 20));
        QVERIFY(document.Core().oscillogram.channels.front().selected);
        QCOMPARE(selections.count(), 1);
        QCOMPARE(records.count(), 0);
        // The diagrams' toggles count only the channels they can show.
        const CommandRouter& router = app.Frame().Router();
        QVERIFY(router.StateOf(cmd::kOnVectorDiagram).enabled && router.StateOf(cmd::kOnFrequencyDiagram).enabled);
        for (Channel& channel : document.Core().oscillogram.channels)
            channel.selected = !channel.IsAnalog();
        QVERIFY(!router.StateOf(cmd::kOnVectorDiagram).enabled && !router.StateOf(cmd::kOnFrequencyDiagram).enabled);
        document.Core().oscillogram.channels.front().selected = true;
        app.Frame().Router().Route(cmd::kOnVectorDiagram);
        QVERIFY(document.Core().oscillogram.channels.front().HasFlag(display::kOnVectorDiagram));
        QVERIFY(!document.Core().oscillogram.channels.back().HasFlag(display::kOnVectorDiagram));
        document.SetModifiedFlag(false);

        const auto answerRatios = [](const QString& primary) {
            RepeatUntilDone([primary] {
                auto* dialog = qobject_cast<ChannelRatioDlg*>(QApplication::activeModalWidget());
                if (dialog != nullptr && !primary.isEmpty())
                    dialog->Table().item(0, 1)->setText(primary);
                if (dialog != nullptr)
                    dialog->accept();
                return dialog != nullptr;
            });
        };
        answerRatios({});
        app.Frame().Router().Route(cmd::kCoefficients);
        QVERIFY(!document.IsModified());
        answerRatios(QStringLiteral("2"));
        app.Frame().Router().Route(cmd::kCoefficients);
        QVERIFY(document.IsModified());
        QCOMPARE(document.Core().oscillogram.channels.front().primary, 2.0);
    }

    void triggerAndRateChangesAreMarked()
    {
        AppUnderTest app;
        RecordBuilder builder;
        builder.Analog(AnalogLine{.id = "Ia", .unit = "A", .a = 0.01}).Rate(3200, 3200).Rate(50, 3500);
        for (int i = 0; i < 3500; ++i)
            builder.Sample({1000.0});
        app.Frame().resize(1200, 800);
        QVERIFY(app.App().OpenDocumentFile(Str(builder.Write(folder_, "rates"))) != nullptr);
        CZarvaView& view = app.Frame().ActiveChild()->View();
        QCoreApplication::processEvents();
        for (int i = 0; i < 20; ++i)
            app.Frame().Router().Route(cmd::kZoomOutHorizontally);
        QVERIFY(view.State().firstSample == 0 && view.State().visibleSamples >= 3500);
        // The trigger lies 99.9 ms after the start, at sample 320; the rate changes at 3200.
        const QImage image = Grab(view);
        const int rulerTop = image.height() - 30;
        for (const auto& [sample, colour] : {std::pair{320, QColor(160, 0, 0)}, std::pair{3200, QColor(110, 110, 110)}}) {
            const int x = view.CursorX(sample);
            QVERIFY2(PointsOf(image, QRect(x, 0, 1, rulerTop), colour).size() > 50, qPrintable(QString::number(sample)));
            QVERIFY(!PointsOf(image, QRect(x - 1, rulerTop, 3, 6), colour).empty());
        }
        QVERIFY(PointsOf(image, QRect(view.CursorX(1000), 0, 1, rulerTop), QColor(160, 0, 0)).empty());
    }

    void picturesAndPrintsOfTheView()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        app.Frame().Router().Route(cmd::kCopyPicture);
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data != nullptr && data->hasImage());
        QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), view.viewport()->size());
        QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
        const QString saved = Str(folder_ / "picture.pdf");
        QVERIFY(view.SavePicture(saved));
        QVERIFY(QFileInfo(saved).size() > 1000);

        for (int i = 0; i < 5; ++i)
            app.Frame().Router().Route(cmd::kZoomInVertically);
        QCOMPARE(view.State().yAnalogSize, 345);
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Str(folder_ / "printed.pdf"));
        printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        printer.setPageOrientation(QPageLayout::Landscape);
        PrintView(view, printer);
        const QByteArray pdf = QByteArray::fromStdString(zarva::test::FileBytes(folder_ / "printed.pdf"));
        // A landscape A4 page across a view about 1170 pixels wide is about 800 pixels tall: two
        // of the three analog rows, then the third with the discrete one.
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"), 2);
    }

private:
    // Whether `act` opens a popup menu (which is closed at once).
    static bool MenuOpensAfter(const std::function<void()>& act)
    {
        auto shown = std::make_shared<bool>(false);
        QTimer::singleShot(50, [shown] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                *shown = true;
                menu->close();
            }
        });
        act();
        QTest::qWait(100);
        return *shown;
    }

    // Opens a record of 1000 samples at 1000 per second: Ia (A, amplitude 100), Ub (kV,
    // amplitude 50), Ic (A, amplitude 20) and Trip switching on at sample 500.
    CZarvaView& Open(AppUnderTest& app, std::size_t samples = 1000)
    {
        RecordBuilder builder;
        builder.Analog(AnalogLine{.id = "Ia", .unit = "A", .a = 0.01})
            .Analog(AnalogLine{.id = "Ub", .unit = "kV", .a = 0.01})
            .Analog(AnalogLine{.id = "Ic", .unit = "A", .a = 0.001})
            .Discrete(DiscreteLine{.id = "Trip"})
            .Rate(1000, static_cast<std::int64_t>(samples));
        for (std::size_t i = 0; i < samples; ++i) {
            const double phase = 2.0 * std::numbers::pi * 50.0 * static_cast<double>(i) / 1000.0;
            builder.Sample({std::round(10000.0 * std::sin(phase)), std::round(5000.0 * std::cos(phase)),
                            std::round(20000.0 * std::sin(phase + 2.0))},
                           {i >= samples / 2 ? 1 : 0});
        }
        const auto cfg = builder.Write(folder_, "view" + std::to_string(++records_));
        app.Frame().resize(1200, 800);
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(cfg));
        Q_ASSERT(document != nullptr);
        CZarvaView& view = app.Frame().ActiveChild()->View();
        QCoreApplication::processEvents();
        Grab(view);
        return view;
    }

    zarva::test::TempFolder folder_;
    int records_ = 0;
};

} // namespace zarva::gui::test

#include "ViewTest.moc"
ZARVA_GUI_TEST(ViewTest)
