#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/diagrams/DiagramPanes.h"
#include "gui/diagrams/FourieDiagramWnd.h"
#include "gui/diagrams/VectorDiagramWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QTest>

namespace zarva::gui::test {

class DiagramPanesTest : public QObject {
    Q_OBJECT

private slots:
    void commandsShowAndHideThePanes()
    {
        AppUnderTest app;
        DiagramPanes& panes = app.Frame().Diagrams();
        const CommandRouter& router = app.Frame().Router();
        for (const int command : {cmd::kVectorDiagram, cmd::kFrequencyDiagram}) {
            QDockWidget& pane = command == cmd::kVectorDiagram ? panes.VectorPane() : panes.FrequencyPane();
            QVERIFY(!pane.isVisible());
            QVERIFY(router.Route(command));
            QVERIFY(pane.isVisible());
            QVERIFY(router.StateOf(command).checked);
            QVERIFY(router.Route(command));
            QVERIFY(!pane.isVisible());
        }
    }

    void diagramsFollowTheActiveDocumentAndCopyThemselves()
    {
        AppUnderTest app;
        DiagramPanes& panes = app.Frame().Diagrams();
        QVERIFY(panes.Vector().Document() == nullptr);
        CZarvaDoc* first = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "a")));
        CZarvaDoc* second = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "b")));
        QVERIFY(first != nullptr && second != nullptr);
        QCOMPARE(panes.Vector().Document(), second);
        QCOMPARE(panes.Frequency().Document(), second);
        panes.Vector().resize(320, 240);
        panes.Vector().CopyToClipboard();
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied != nullptr);
        QVERIFY(copied->data(QStringLiteral("image/svg+xml")).contains("<svg"));
        QCOMPARE(qvariant_cast<QImage>(copied->imageData()).size(), QSize(320, 240));

        app.Frame().ActiveChild()->close();
        QTRY_COMPARE(panes.Vector().Document(), first);
        app.Frame().ActiveChild()->close();
        QTRY_VERIFY(panes.Frequency().Document() == nullptr);
    }

    void screenshotPicturesADiagramWithChosenChannels()
    {
        const QString record = Str(WriteComtradeRecord(folder_, "shot"));
        const QString picture = Str(folder_.Path() / "vector.png");
        QProcess zarva;
        zarva.start(QStringLiteral(ZARVA_EXECUTABLE), {"--screenshot", picture, "--size", "300x300", "--diagram", "vector",
                                                     "--on", "vector:UA,IA;frequency:UA", record});
        QVERIFY(zarva.waitForFinished(60000));
        QCOMPARE(zarva.exitCode(), 0);
        QCOMPARE(QImage(picture).size(), QSize(300, 300));

        zarva.start(QStringLiteral(ZARVA_EXECUTABLE), {"--screenshot", picture, "--on", "vector:TRIP", record});
        QVERIFY(zarva.waitForFinished(60000));
        QCOMPARE(zarva.exitCode(), 1);
        QVERIFY(zarva.readAllStandardError().contains("TRIP"));
    }

private:
    zarva::test::TempFolder folder_;
};

} // namespace zarva::gui::test

#include "DiagramPanesTest.moc"
ZARVA_GUI_TEST(DiagramPanesTest)
