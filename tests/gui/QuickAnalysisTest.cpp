#include "DiagramTestRecord.h"
#include "GuiTestSupport.h"

#include "gui/analysis/CQAnFormulaEditorPg.h"
#include "gui/analysis/CQAnPropSheet.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/RecordParametersDlg.h"
#include "gui/diagrams/DiffDiagramWnd.h"

#include "core/storage/SettingsSection.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

namespace zarva::gui::test {
namespace {

QString DemoRecord()
{
    return QStringLiteral(ZARVA_SAMPLES_DIR "/demo-110kv-ag-fault.cfg");
}

const Channel* Named(const CZarvaDoc& document, const std::string& name)
{
    for (const Channel& channel : document.Core().oscillogram.channels) {
        if (channel.name == name)
            return &channel;
    }
    return nullptr;
}

void ClickCalculate(QDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class QuickAnalysisTest : public QObject {
    Q_OBJECT

private slots:
    // The demo record's channels are found by their names: one click gives the components, and
    // a visit to the phase-impedance page adds the loops with the line model's compensation.
    void demoRecordNeedsNoChoosing()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(DemoRecord());
        QVERIFY(document != nullptr);
        QVERIFY(app.Frame().Router().Route(cmd::kQuickAnalysis));
        CQAnPropSheet* sheet = ShowQuickAnalysis(*document);
        QCOMPARE(sheet->Pages().count(), 6);
        sheet->Pages().setCurrentIndex(2);
        QPointer<CQAnPropSheet> open = sheet;
        ClickCalculate(*sheet);
        QTRY_VERIFY(open.isNull());
        for (const char* name : {"I1", "I2", "3I0_2", "U1", "U2", "3U0", "ZfA", "ZfB", "ZfC"})
            QVERIFY2(Named(*document, name) != nullptr, name);
        QVERIFY(document->IsModified());
        QCOMPARE(document->Core().settings.Section("SymmetricItemsPage").GetString("IA"), std::string("Ia"));
        // 50 ms into the earth fault 24 km out the loop's reactance is that of 24 km of the line
        // (0.4 ohm/km), in the record's secondary ohms (CT 600/5, VT 110000/100).
        const Phasor z = Named(*document, "ZfA")->suppliedPhasors->at(360);
        const double expected = 24.0 * 0.4 * 120.0 / 1100.0;
        QVERIFY2(std::abs(z.imag() - expected) < 0.05 * expected, qPrintable(QString::number(z.imag())));
    }

    void sheetFollowsCursorAndEditsFormulas()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(DemoRecord());
        QVERIFY(document != nullptr);
        CQAnPropSheet* sheet = ShowQuickAnalysis(*document);
        CursorSet cursors = document->Core().cursors;
        cursors.PlaceVertical(0, 100, document->Core().oscillogram.SampleCount());
        document->SetCursors(cursors);
        const QList<QLabel*> labels = sheet->findChildren<QLabel*>();
        const auto shows = [&labels](const QString& part) {
            return std::ranges::any_of(labels, [&part](const QLabel* l) { return l->text().contains(part); });
        };
        QVERIFY(shows(QStringLiteral("41.667 ms")));
        QVERIFY(shows(QStringLiteral("∠")));

        const int before = static_cast<CQAnFormulaEditorPg&>(sheet->Page(5)).List().topLevelItemCount();
        QPointer<CQAnPropSheet> open = sheet;
        ClickCalculate(*sheet);  // the symmetrical components
        QTRY_VERIFY(open.isNull());
        sheet = ShowQuickAnalysis(*document);
        auto& reopened = static_cast<CQAnFormulaEditorPg&>(sheet->Page(5));
        QCOMPARE(reopened.List().topLevelItemCount(), before + 6);
        AnswerNextMessageBox(QMessageBox::Yes);
        for (QPushButton* button : reopened.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Удалить все"))
                button->click();
        }
        QCOMPARE(reopened.List().topLevelItemCount(), 0);
        QVERIFY(document->Core().oscillogram.calcChannels.Empty());
        sheet->close();
    }

    // The currents of both windings are found by name; the open differential diagram draws
    // the pairs made without being told.
    void differentialPairsReachTheOpenDiagram()
    {
        DiagramTestRecord test;
        for (const char* name : {"IA1", "IB1", "IC1", "IA2", "IB2", "IC2"})
            test.AddPhasor(name, "A", 1.0, 0.0, Qt::red, 0);
        for (const char* name : {"UA", "UB", "UC"})
            test.AddPhasor(name, "V", 100.0, 0.0, Qt::blue, 0);
        DiffDiagramWnd window;
        window.SetBaseFolders({});
        window.SetDocument(&test.Document());
        CQAnPropSheet* sheet = ShowQuickAnalysis(test.Document());
        sheet->Pages().setCurrentIndex(4);
        QPointer<CQAnPropSheet> open = sheet;
        ClickCalculate(*sheet);
        QTRY_VERIFY(open.isNull());
        QCOMPARE(window.Pairs(), (std::vector<ChannelPair>{
                                     {"IbiasA", "IdiffA", true}, {"IbiasB", "IdiffB", true}, {"IbiasC", "IdiffC", true}}));
    }

    void recordParametersCorrectTheRateAndTheCodePage()
    {
        AppUnderTest app;
        CZarvaDoc* document = app.App().OpenDocumentFile(DemoRecord());
        QVERIFY(document != nullptr);
        RecordParametersDlg dialog(*document, &app.Frame());
        QCOMPARE(dialog.Rates().count(), 27);
        QCOMPARE(dialog.FrequencyReference().count(), 1);
        QCOMPARE(dialog.Fact(5651), QStringLiteral("2400"));
        dialog.Rates().setCurrentIndex(dialog.Rates().findData(4800));
        dialog.CodePages().setCurrentIndex(dialog.CodePages().findData(static_cast<int>(CodePage::Oem866)));
        dialog.accept();
        const Oscillogram& record = document->Core().oscillogram;
        QCOMPARE(record.sampleRate, 4800);
        QCOMPARE(record.sampleTimes.at(48), std::int64_t{10000});
        QCOMPARE(record.codePage, CodePage::Oem866);
        QVERIFY(QString::fromStdString(record.stationText) != QStringLiteral("ПС Северная"));
        QVERIFY(document->IsModified());
        // Every computed channel still finds its channels.
        for (std::size_t k = 0; k < record.calcChannels.Names().size(); ++k)
            QVERIFY(record.calcChannels.Failure(k) == nullptr);
    }
};

ZARVA_GUI_TEST(QuickAnalysisTest)

} // namespace zarva::gui::test

#include "QuickAnalysisTest.moc"
