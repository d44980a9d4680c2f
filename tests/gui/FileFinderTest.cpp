#include "GuiTestSupport.h"

#include "gui/app/AppSettings.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/FileFinderDlg.h"
#include "gui/app/FoundRecordsModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTreeView>

namespace zarva::gui::test {

class FileFinderTest : public QObject {
    Q_OBJECT

    static QStringList Column(const FoundRecordsModel& model, int column)
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts.append(model.index(row, column).data().toString());
        return texts;
    }

    static QStringList Items(const QComboBox& list)
    {
        QStringList texts;
        for (int i = 0; i < list.count(); ++i)
            texts.append(list.itemText(i));
        return texts;
    }

    static void SelectRow(QTreeView& view, const QString& name)
    {
        const auto& model = static_cast<const FoundRecordsModel&>(*view.model());
        const int row = static_cast<int>(Column(model, FoundRecordsModel::kName).indexOf(name));
        QVERIFY(row >= 0);
        view.selectionModel()->select(model.index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

private slots:
    void searchesFiltersOpensAndDeletesRecords()
    {
        const zarva::test::TempFolder folder;
        std::filesystem::create_directory(folder / "bay");
        WriteComtradeRecord(folder, "a");
        WriteOscRecord(folder, "b");
        WriteComtradeRecord(folder, "bay/c");
        folder.Write("a.set", "<settings/>");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((folder / "share").string()));

        AppUnderTest app;
        QVERIFY(app.Frame().Router().Route(cmd::kFileFinder));
        auto* dialog = app.Frame().findChild<FileFinderDlg*>();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        FoundRecordsModel& records = dialog->Records();
        auto* results = dialog->findChild<QTreeView*>(QStringLiteral("Results"));
        dialog->Search(Str(folder.Path()));
        QTRY_VERIFY(!dialog->Searching());
        QCOMPARE(Column(records, FoundRecordsModel::kName), (QStringList{"b.osc", "a.cfg"}));

        dialog->findChild<QCheckBox*>(QStringLiteral("IncludeSubfolders"))->setChecked(true);
        QTRY_VERIFY(!dialog->Searching());
        QCOMPARE(records.rowCount(), 3);
        QCOMPARE(records.index(0, FoundRecordsModel::kDate).data().toString(), QStringLiteral("05/03/2024"));
        results->header()->sectionClicked(FoundRecordsModel::kName);
        QCOMPARE(Column(records, FoundRecordsModel::kName), (QStringList{"a.cfg", "b.osc", "bay/c.cfg"}));
        results->header()->sectionClicked(FoundRecordsModel::kName);
        QCOMPARE(Column(records, FoundRecordsModel::kName), (QStringList{"bay/c.cfg", "b.osc", "a.cfg"}));

        dialog->findChild<QDateEdit*>(QStringLiteral("From"))->setDate(QDate(2021, 1, 1));
        auto* fromOn = dialog->findChild<QCheckBox*>(QStringLiteral("FromOn"));
        fromOn->setChecked(true);
        QCOMPARE(Column(records, FoundRecordsModel::kName), QStringList{"b.osc"});
        fromOn->setChecked(false);
        auto* station = dialog->findChild<QComboBox*>(QStringLiteral("Station"));
        QCOMPARE(Items(*station), (QStringList{"Все", "OSC Осциллограф. Версия 2.5", "Подстанция"}));
        station->setCurrentIndex(2);
        QCOMPARE(Column(records, FoundRecordsModel::kName), (QStringList{"bay/c.cfg", "a.cfg"}));

        SelectRow(*results, QStringLiteral("bay/c.cfg"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OpenFiles")), Qt::LeftButton);
        QCOMPARE(app.WindowCount(), std::size_t{1});
        QCOMPARE(app.Frame().ActiveChild()->Document().Path(), Str(folder / "bay" / "c.cfg"));

        SelectRow(*results, QStringLiteral("a.cfg"));
        QString question;
        AnswerNextMessageBox(QMessageBox::Yes, &question);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("DeleteFiles")), Qt::LeftButton);
        QVERIFY(question.contains(QLatin1String("(1)")) && question.contains(QLatin1String("(3)")));
        for (const char* name : {"a.cfg", "a.dat", "a.set"})
            QVERIFY2(!std::filesystem::exists(folder / name), name);
        QVERIFY2(std::filesystem::exists(folder / "share" / "Trash" / "files" / "a.cfg"), "trashed, not removed");
        QVERIFY(std::filesystem::exists(folder / "b.osc"));
        QCOMPARE(Column(records, FoundRecordsModel::kName), QStringList{"bay/c.cfg"});

        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QSettings& settings = *app.App().Settings().Store();
        QCOMPARE(settings.value("FileFinder/Path").toString(), Str(folder.Path()));
        QCOMPARE(settings.value("FileFinder/StationName").toString(), QStringLiteral("Подстанция"));
        QCOMPARE(settings.value("FileFinder/IncludeSubdirs").toInt(), 1);
        QCOMPARE(settings.value("FileFinder/SortMode").toInt(), 1);
        qunsetenv("XDG_DATA_HOME");
    }
};

ZARVA_GUI_TEST(FileFinderTest)

} // namespace zarva::gui::test

#include "FileFinderTest.moc"
