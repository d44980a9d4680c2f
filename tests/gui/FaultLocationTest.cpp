#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"
#include "gui/faultloc/ModelTree.h"
#include "gui/faultloc/PropertyList.h"
#include "gui/faultloc/WrongPlaceLocatorDlg.h"

#include "core/document/Document.h"
#include "core/faultloc/FaultLocator.h"
#include "core/formats/ComtradeReader.h"
#include "core/storage/SettingsSection.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QValidator>

#include <fstream>

namespace zarva::gui::test {
namespace {

using namespace WrongPlaceLocatorData;

const QString kDemo = QStringLiteral(ZARVA_SAMPLES_DIR "/demo-110kv-ag-fault.cfg");

SettingsSection Saved(const LineModel& model)
{
    SettingsSection section;
    model.Save(section);
    return section;
}

// Opens the value editor of a property row.
QWidget* OpenEditor(PropertyList& list, const QString& name)
{
    QTreeWidgetItem* row = list.ItemOf(name);
    list.editItem(row, 1);
    return list.indexWidget(list.model()->index(list.indexOfTopLevelItem(row), 1));
}

QStringList Titles(const QTreeWidgetItem& item)
{
    QStringList titles;
    for (int i = 0; i < item.childCount(); ++i)
        titles.append(item.child(i)->text(0));
    return titles;
}

// Answers the next "Параметры ОМП" shown modally with `act`.
void AnswerNextLocatorDialog(std::function<void(WrongPlaceLocatorDlg&)> act)
{
    RepeatUntilDone([act = std::move(act)] {
        auto* dialog = qobject_cast<WrongPlaceLocatorDlg*>(QApplication::activeModalWidget());
        if (dialog != nullptr)
            act(*dialog);
        return dialog != nullptr;
    });
}

} // namespace

class FaultLocationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ReadComtradeFiles(demo_, kDemo.toStdString()); }

    void analysisOfTheDemoRecordShowsTheFaultAddsChannelsAndSavesTheReport()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(kDemo);
        QVERIFY(document != nullptr);
        QString shown;
        AnswerNextMessageBox(QMessageBox::Yes, &shown);
        const std::filesystem::path report = folder_ / "report";
        AnswerNextSaveDialog(Str(report), QStringLiteral(".txt"));
        QVERIFY(app.Frame().Router().Route(cmd::kFaultLocationAnalysis));

        QVERIFY2(shown.startsWith(QStringLiteral("    1-х фазное КЗ: фазы A на участке № 1, опоры ")),
                 qPrintable(shown));
        const QRegularExpression distanceLine(QStringLiteral("Расстояние = ([0-9.]+) km"));
        const QRegularExpressionMatch distance = distanceLine.match(shown);
        QVERIFY(distance.hasMatch());
        QVERIFY(std::abs(distance.captured(1).toDouble() - 24.0) < 0.3);

        const Oscillogram& record = document->Core().oscillogram;
        const Channel& distances = record.channels[record.FindChannel(kDistanceChannel)];
        const Channel& phaseA = record.channels[record.FindChannel(kPhaseChannels[0])];
        // The fault starts at sample 240 (48 per period) and the breaker clears it 3.5 periods later.
        const std::vector<double> states = phaseA.samples.View().ToVector();
        const auto first = std::find(states.begin(), states.end(), 1.0) - states.begin();
        const auto faulted = std::count(states.begin(), states.end(), 1.0);
        QVERIFY(first >= 240 && first < 288 && faulted > 3 * 48 && faulted < 6 * 48);
        QVERIFY(std::abs(distances.samples[300] - 24.0) < 0.5);  // 1.25 periods into the fault
        QVERIFY(!document->IsModified());
        const std::size_t channels = record.channels.size();
        AnswerNextMessageBox(QMessageBox::No);
        QVERIFY(app.Frame().Router().Route(cmd::kFaultLocationAnalysis));
        QCOMPARE(record.channels.size(), channels);  // the result channels are replaced

        std::ifstream file(std::filesystem::path(report) += ".txt", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), {});
        QVERIFY(bytes.starts_with("\xFF\xFE"));
        const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data() + 2),
                                                static_cast<qsizetype>(bytes.size() / 2 - 1));
        QVERIFY(text.contains(QStringLiteral("Подстанция: ПС Северная")));
        QVERIFY(text.contains(shown.section(QLatin1Char('\n'), 1).trimmed()));
    }

    void analysisWithoutALineModelSaysSoAndLeavesTheRecord()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_)));
        QVERIFY(document != nullptr);
        const std::size_t channels = document->Core().oscillogram.channels.size();
        QVERIFY(app.Frame().Router().Route(cmd::kFaultLocationAnalysis));
        QCOMPARE(TakeErrorBox(app.Frame()), Tr(349));
        QCOMPARE(document->Core().oscillogram.channels.size(), channels);
    }

    void parametersCommandKeepsTheEditedModelInTheRecordSettings()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(kDemo);
        QVERIFY(document != nullptr);
        const CommandRouter& router = app.Frame().Router();
        AnswerNextLocatorDialog([](WrongPlaceLocatorDlg& dialog) { dialog.accept(); });
        QVERIFY(router.Route(cmd::kFaultLocationParameters));
        QVERIFY(!document->IsModified());

        AnswerNextLocatorDialog([](WrongPlaceLocatorDlg& dialog) {
            dialog.AlgorithmAction(kTwoEnded)->trigger();
            dialog.reject();
        });
        QVERIFY(router.Route(cmd::kFaultLocationParameters));
        QCOMPARE(document->Core().lineModel.type, int(kGroundedNeutral));

        AnswerNextLocatorDialog([](WrongPlaceLocatorDlg& dialog) {
            dialog.AlgorithmAction(kIsolatedNeutral)->trigger();
            dialog.accept();
        });
        QVERIFY(router.Route(cmd::kFaultLocationParameters));
        QCOMPARE(document->Core().lineModel.type, int(kIsolatedNeutral));
        QVERIFY(document->IsModified());
        QCOMPARE(document->Core().settings.Find(kLocatorSettingsSection)->GetInt("type", 0), int(kIsolatedNeutral));
    }

    void toolBarShapesTheModelAndTheTreeFollows()
    {
        WrongPlaceLocatorDlg dialog(demo_.lineModel, demo_.oscillogram, kDemo);
        ModelTree& tree = dialog.Tree();
        const LineModel& model = dialog.Model();
        const auto enabled = [&dialog](int command) { return dialog.Action(command)->isEnabled(); };
        QVERIFY(enabled(cmd::kLocatorAddSection) && !enabled(cmd::kLocatorRemove) && !enabled(cmd::kLocatorAddTap));
        QVERIFY(dialog.AlgorithmAction(kGroundedNeutral)->isChecked());

        const Section& first = model.StationAt(0).SectionAt(0);
        tree.setCurrentItem(tree.ItemOf(first));
        dialog.Action(cmd::kLocatorAddTap)->trigger();
        tree.setCurrentItem(tree.ItemOf(first));
        dialog.Action(cmd::kLocatorAddParallelLine)->trigger();
        QCOMPARE(Titles(*tree.ItemOf(first)), (QStringList{Tr(3351), Tr(3344)}));
        QVERIFY(!enabled(cmd::kLocatorMoveUp) && !enabled(cmd::kLocatorMoveDown));  // no neighbour of its kind
        dialog.Action(cmd::kLocatorAddSection)->trigger();  // after the section of the parallel line
        const Section& second = model.StationAt(0).SectionAt(1);
        QCOMPARE(tree.currentItem(), tree.ItemOf(second));
        QVERIFY(enabled(cmd::kLocatorMoveUp) && !enabled(cmd::kLocatorMoveDown));
        dialog.Action(cmd::kLocatorMoveUp)->trigger();
        QCOMPARE(&model.StationAt(0).SectionAt(0), &second);
        QCOMPARE(tree.topLevelItem(0)->child(0), tree.ItemOf(second));

        tree.setCurrentItem(tree.ItemOf(first));
        dialog.Action(cmd::kLocatorRemove)->trigger();
        QCOMPARE(model.StationAt(0).SectionCount(), std::size_t{1});
        QCOMPARE(tree.currentItem(), tree.topLevelItem(0));
        QVERIFY(!enabled(cmd::kLocatorRemove));
        QCOMPARE(tree.topLevelItem(0)->childCount(), 1);
        QCOMPARE(tree.topLevelItem(1)->text(0), Tr(3383));
    }

    void propertiesAreEditedAsTheirKindSays()
    {
        WrongPlaceLocatorDlg dialog(demo_.lineModel, demo_.oscillogram, kDemo);
        dialog.show();
        PropertyList& list = dialog.Properties();
        QCOMPARE(list.ItemOf(Tr(3284))->text(1), QStringLiteral("ПС Северная"));

        auto* current = qobject_cast<QComboBox*>(OpenEditor(list, QStringLiteral("Ia")));
        QVERIFY(current != nullptr);
        QStringList offered;
        for (int i = 0; i < current->count(); ++i)
            offered.append(current->itemText(i));
        QCOMPARE(offered, (QStringList{QString(), "Ia", "Ib", "Ic", "3I0"}));
        current->setCurrentText(QStringLiteral("3I0"));
        list.FinishEditing();
        QCOMPARE(dialog.Model().StationAt(0).Value("Ia"), std::string("3I0"));
        QCOMPARE(list.ItemOf(QStringLiteral("Ia"))->text(1), QStringLiteral("3I0"));

        dialog.Tree().setCurrentItem(dialog.Tree().ItemOf(dialog.Model().StationAt(0).SectionAt(0)));
        auto* length = qobject_cast<QLineEdit*>(OpenEditor(list, Tr(3186)));
        QVERIFY(length != nullptr && length->validator() != nullptr);
        int position = 0;
        for (QString refused : {QStringLiteral("abc"), QStringLiteral("1.2.3")})
            QCOMPARE(length->validator()->validate(refused, position), QValidator::Invalid);
        length->setText(QStringLiteral("2,5"));
        list.FinishEditing();
        QCOMPARE(dialog.Model().StationAt(0).SectionAt(0).Number("lenght"), 2.5);
    }

    void okRefusesAModelThatCannotBeComputedAndStaysOpen()
    {
        WrongPlaceLocatorDlg dialog(demo_.lineModel, demo_.oscillogram, kDemo);
        dialog.show();
        dialog.Tree().setCurrentItem(dialog.Tree().ItemOf(dialog.Model().StationAt(0).SectionAt(0)));
        qobject_cast<QLineEdit*>(OpenEditor(dialog.Properties(), Tr(3186)))->setText(QStringLiteral("0"));
        QString message;
        AnswerNextMessageBox(QMessageBox::Ok, &message);
        dialog.accept();  // ends the edit first
        QCOMPARE(message, Tr(3187));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        dialog.Properties().ItemOf(Tr(3186))->setText(1, QStringLiteral("60"));
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void modelRoundTripsThroughAnOmpFileAndABadFileChangesNothing()
    {
        LineModel edited = demo_.lineModel;
        edited.type = kTwoEnded;
        Section& section = edited.StationAt(0).SectionAt(0);
        section.AddSectionAfter().SetValue("comment", "второй");
        section.AddConnection().SetValue("x0", "40");
        section.AddParallelLine().SetValue("I0", "3I0");
        edited.StationAt(1).AddSectionAfter(nullptr);
        WrongPlaceLocatorDlg saving(edited, demo_.oscillogram, kDemo);
        AnswerNextSaveDialog(Str(folder_ / "line"), QStringLiteral(".omp"));
        saving.Action(cmd::kLocatorSaveFile)->trigger();
        QVERIFY(std::filesystem::exists(folder_ / "line.omp"));

        WrongPlaceLocatorDlg loading(LineModel{}, demo_.oscillogram, kDemo);
        AnswerNextSaveDialog(Str(folder_ / "line.omp"), QStringLiteral(".omp"));
        loading.Action(cmd::kLocatorLoadFile)->trigger();
        QVERIFY(Saved(loading.Model()) == Saved(edited));
        QVERIFY(loading.AlgorithmAction(kTwoEnded)->isChecked());
        QCOMPARE(Titles(*loading.Tree().topLevelItem(0)->child(0)), (QStringList{Tr(3351), Tr(3344)}));

        const std::filesystem::path broken = folder_.Write("broken.omp", "not a settings file");
        AnswerNextSaveDialog(Str(broken), QStringLiteral(".omp"));
        QString message;
        AnswerNextMessageBox(QMessageBox::Ok, &message);
        loading.Action(cmd::kLocatorLoadFile)->trigger();
        QVERIFY(message.startsWith(Tr(330)));
        QVERIFY(Saved(loading.Model()) == Saved(edited));
    }

private:
    zarva::test::TempFolder folder_;
    Document demo_;
};

} // namespace zarva::gui::test

#include "FaultLocationTest.moc"
ZARVA_GUI_TEST(FaultLocationTest)
