#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandLine.h"
#include "gui/view/AnnotationController.h"
#include "gui/view/CZarvaView.h"
#include "gui/view/CommentDlg.h"
#include "gui/view/ScreenshotSetup.h"

#include "support/RecordBuilder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <cmath>
#include <fstream>
#include <numbers>

namespace zarva::gui::test {

using zarva::test::AnalogLine;
using zarva::test::DiscreteLine;
using zarva::test::RecordBuilder;

namespace {

const QColor kPen(255, 100, 100);
const QColor kPicked(192, 0, 0);
const QColor kBox(255, 255, 225);

QImage Grab(CZarvaView& view)
{
    return view.viewport()->grab().toImage();
}

const Annotations& ListOf(CZarvaView& view)
{
    return view.Document().Core().annotations;
}

// Closes the popup menu that opens next, keeping its entries.
void TakeNextMenu(QStringList* entries)
{
    RepeatUntilDone([entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return false;
        *entries = MenuEntries(*menu);
        menu->close();
        return true;
    });
}

} // namespace

class AnnotationTest : public QObject {
    Q_OBJECT

private slots:
    void toolsDrawAndTheMenuEditsAnArea()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        const CommandRouter& router = app.Frame().Router();
        QVERIFY(router.StateOf(cmd::kAreaMark).enabled);
        router.Route(cmd::kAreaMark);
        QVERIFY(router.StateOf(cmd::kAreaMark).checked);

        const int left = view.State().leftMargin;
        const Row& ia = view.Rows()[0];
        const Row& ub = view.Rows()[1];
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(left + 100, ia.top + 30));
        QTest::mouseMove(view.viewport(), QPoint(left + 300, ub.top + 40));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(left + 300, ub.top + 40));
        QCOMPARE(ListOf(view).Items().size(), std::size_t{1});
        const auto& area = std::get<AreaItem>(ListOf(view).Items()[0]);
        QCOMPARE(area.channelFrom, std::string("Ia"));
        QCOMPARE(area.channelTo, std::string("Ub"));
        QCOMPARE(area.positionTo - area.positionFrom, std::int64_t{8});
        QVERIFY(view.Document().IsModified());
        QCOMPARE(view.Document().Core().cursors.Vertical(0).active, false);  // the tool keeps the cursors

        // The new area is picked; its box shows the duration.
        const QRect leftEdge(left + 99, ia.top + 40, 3, 60);
        QImage image = Grab(view);
        QVERIFY(!PointsOf(image, leftEdge, kPicked).empty());
        QVERIFY(PointsOf(image, QRect(left + 100, ia.top, 300, ub.top + ub.height), kBox).size() > 100);

        router.Route(cmd::kAreaMark);  // disarmed: a press beside it unpicks it
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(left + 600, ia.top + 50));
        QVERIFY(!ListOf(view).PickedItem());

        // The menu names the area; hiding the comment keeps the rectangle.
        QStringList entries;
        TakeNextMenu(&entries);
        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, QPoint(left + 100, ia.top + 50));
        QCOMPARE(entries, (QStringList{"Изменить комментарий", "Зафиксировать область", "Удалить область",
                                       "Скрыть комментарий"}));
        QCOMPARE(ListOf(view).PickedItem(), std::optional<std::size_t>(0));
        router.Route(cmd::kHideComment);
        router.Route(cmd::kLockMark);
        QVERIFY(!Common(ListOf(view).Items()[0]).visible);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(left + 700, ia.top + 50));
        QVERIFY(!ListOf(view).PickedItem());
        image = Grab(view);
        QVERIFY(!PointsOf(image, leftEdge, kPen).empty());
        QVERIFY(PointsOf(image, QRect(left, 0, image.width() - left, image.height()), kBox).empty());

        // Locked: a press on its border picks it, dragging moves nothing.
        const Annotation before = ListOf(view).Items()[0];
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(left + 95, ia.top + 50));
        QTest::mouseMove(view.viewport(), QPoint(left + 250, ia.top + 60));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(left + 250, ia.top + 60));
        QCOMPARE(ListOf(view).Items()[0], before);
        QCOMPARE(ListOf(view).PickedItem(), std::optional<std::size_t>(0));
        router.Route(cmd::kDeleteMark);
        QVERIFY(ListOf(view).Items().empty());
    }

    void levelValueIsEditedInPlace()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        app.Frame().Router().Route(cmd::kLevelMark);
        const Row& ia = view.Rows()[0];
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(view.State().leftMargin + 50, ia.top + 20));
        QCOMPARE(ListOf(view).Items().size(), std::size_t{1});
        QVERIFY(std::holds_alternative<LevelItem>(ListOf(view).Items()[0]));
        QVERIFY(app.Frame().Router().StateOf(cmd::kEditLevel).enabled);
        app.Frame().Router().Route(cmd::kEditLevel);
        auto* editor = view.findChild<AnnotationController*>()->LevelEditor();
        QVERIFY(editor != nullptr && editor->isVisible());
        QVERIFY(editor->text().contains(QLatin1Char('.')));
        editor->setText(QStringLiteral("-42,5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->isVisible());
        QCOMPARE(std::get<LevelItem>(ListOf(view).Items()[0]).positionY, -42.5);
    }

    void annotatedRecordReopensWithTheSamePicture()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        ScreenshotView options;
        options.annotate = QStringLiteral("moment:40:Fault\\ninception;level:Ia:50:20:120:I>;area:Ub:Trip:60:90:swing");
        QVERIFY(ApplyScreenshotView(view, options).isEmpty());
        options.annotate = QStringLiteral("level:Ix:50:20:120:x");
        QVERIFY(ApplyScreenshotView(view, options).contains(QStringLiteral("level:Ix")));
        const std::vector<Annotation> items = ListOf(view).Items();
        QCOMPARE(items.size(), std::size_t{3});
        const QImage before = Grab(view);
        QVERIFY(PointsOf(before, QRect(view.State().leftMargin, 0, 800, 400), kBox).size() > 300);
        const QString path = view.Document().Path();
        QVERIFY(view.Document().SaveDocument(path));
        QVERIFY(app.Frame().ActiveChild()->close());

        CZarvaView& reopened = Reopen(app, path);
        QCOMPARE(ListOf(reopened).Items(), items);
        const QImage after = Grab(reopened);
        QCOMPARE(after.size(), before.size());
        QVERIFY(after == before);
    }

    void headerDialogRoundTripsAnOemHeader()
    {
        AppUnderTest app;
        CZarvaView& view = Open(app);
        const QString path = view.Document().Path();
        QVERIFY(app.Frame().ActiveChild()->close());
        // "Пуск\r\nЗащита" in OEM 866.
        const std::string oem = "\x8f\xe3\xe1\xaa\r\n\x87\xa0\xe9\xa8\xe2\xa0";
        const std::filesystem::path header = std::filesystem::path(path.toStdString()).replace_extension(".hdr");
        std::ofstream(header, std::ios::binary) << oem;
        CZarvaView& opened = Reopen(app, path);
        QCOMPARE(opened.Document().Core().oscillogram.headerCodePage, CodePage::Oem866);

        std::string shown;
        std::string misread;
        std::string back;
        RepeatUntilDone([&] {
            auto* dialog = qobject_cast<CommentDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return false;
            shown = dialog->Text();
            QComboBox& pages = dialog->CodePages();
            pages.setCurrentIndex(pages.findData(static_cast<int>(CodePage::Windows1251)));
            misread = dialog->Text();
            pages.setCurrentIndex(pages.findData(static_cast<int>(CodePage::Oem866)));
            back = dialog->Text();  // the 1251 reading holds no-break spaces the editor gives back as spaces
            dialog->Editor().appendPlainText(QStringLiteral("Отключение"));
            dialog->accept();
            return true;
        });
        app.Frame().Router().Route(cmd::kComments);
        QCOMPARE(shown, std::string("Пуск\nЗащита"));
        QVERIFY(misread != shown && misread.find("Пуск") == std::string::npos);
        QCOMPARE(back, shown);
        QVERIFY(opened.Document().IsModified());
        QVERIFY(opened.Document().SaveDocument(path));
        QCOMPARE(zarva::test::FileBytes(header), oem + "\r\n\x8e\xe2\xaa\xab\xee\xe7\xa5\xad\xa8\xa5");
        QVERIFY(app.Frame().ActiveChild()->close());
        CZarvaView& again = Reopen(app, path);
        QCOMPARE(again.Document().Core().oscillogram.headerCodePage, CodePage::Oem866);
    }

private:
    // Ia (A, amplitude 100), Ub (kV, amplitude 50) and Trip, 200 samples at 1000 per second,
    // 25 pixels per sample.
    CZarvaView& Open(AppUnderTest& app)
    {
        RecordBuilder builder;
        builder.Analog(AnalogLine{.id = "Ia", .unit = "A", .a = 0.01})
            .Analog(AnalogLine{.id = "Ub", .unit = "kV", .a = 0.01})
            .Discrete(DiscreteLine{.id = "Trip"})
            .Rate(1000, 200);
        for (int i = 0; i < 200; ++i) {
            const double phase = 2.0 * std::numbers::pi * 50.0 * i / 1000.0;
            builder.Sample({std::round(10000.0 * std::sin(phase)), std::round(5000.0 * std::cos(phase))}, {i >= 100});
        }
        const auto cfg = builder.Write(folder_, "annotated" + std::to_string(++records_));
        return Reopen(app, Str(cfg));
    }

    CZarvaView& Reopen(AppUnderTest& app, const QString& path)
    {
        app.Frame().resize(1200, 800);
        CZarvaDoc* document = app.App().OpenDocumentFile(path);
        Q_ASSERT(document != nullptr);
        CZarvaView& view = app.Frame().ActiveChild()->View();
        QCoreApplication::processEvents();
        view.SetXScale(1.0);
        Grab(view);
        return view;
    }

    zarva::test::TempFolder folder_;
    int records_ = 0;
};

} // namespace zarva::gui::test

#include "AnnotationTest.moc"
ZARVA_GUI_TEST(AnnotationTest)
