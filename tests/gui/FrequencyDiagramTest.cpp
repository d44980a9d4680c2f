#include "DiagramTestRecord.h"
#include "GuiTestSupport.h"

#include "gui/diagrams/DiagramIds.h"
#include "gui/diagrams/FourieDiagramPainter.h"
#include "gui/diagrams/FourieDiagramSettingsDlg.h"
#include "gui/diagrams/FourieDiagramWnd.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <numbers>

namespace zarva::gui::test {

using namespace diagram_cmd;

const QColor kTeal(0, 120, 130);

// DC 2 + 10 sin ωt + 3 sin 3ωt + 1 sin 5ωt at 50 Hz.
double Composite(double t)
{
    const double w = 2 * std::numbers::pi * 50.0 * t;
    return 2.0 + 10.0 * std::sin(w) + 3.0 * std::sin(3 * w + 0.7) + std::sin(5 * w - 1.2);
}

// How high the bar of `line` stands: the non-white run up from the bars' bottom edge.
int BarHeight(const QImage& image, const ChartLayout& layout, int line)
{
    const int x = static_cast<int>(layout.bars.left() + layout.slot * (line + 0.5));
    int y = layout.bars.bottom();
    while (y >= layout.cell.top() && image.pixelColor(x, y) != QColor(Qt::white))
        --y;
    return layout.bars.bottom() - y;
}

class FrequencyDiagramTest : public QObject {
    Q_OBJECT

private slots:
    void barsStandAsHighAsTheirLines()
    {
        DiagramTestRecord test;
        test.AddSampled("Ia", Composite, kTeal);
        test.PlaceCursorOne(150);
        FourieDiagramWnd window;
        window.SetDocument(&test.Document());
        for (const QSize size : {QSize(300, 300), QSize(1200, 700)}) {
            const QImage image = window.Picture(size);
            const std::vector<ChartLayout> layouts = window.LayoutAt(size);
            QCOMPARE(layouts.size(), std::size_t{1});
            const ChartLayout& chart = layouts.front();
            const double full = chart.bars.height();
            const double fundamental = 10 / std::sqrt(2.0);
            const double expected[] = {2.0 / fundamental, 1.0, 0.0, 3 / std::sqrt(2.0) / fundamental, 0.0,
                                       1 / std::sqrt(2.0) / fundamental};
            for (int line = 0; line < 6; ++line)
                QVERIFY2(std::abs(BarHeight(image, chart, line) - expected[line] * full) <= 1.5,
                         qPrintable(QStringLiteral("line %1: %2 of %3").arg(line).arg(BarHeight(image, chart, line)).arg(full)));
            // The bar is filled with the channel colour at its foot.
            const int x = static_cast<int>(chart.bars.left() + chart.slot * 1.5);
            QVERIFY(Near(image.pixelColor(x, chart.bars.bottom() - 2), kTeal));
        }
    }

    void emptyWithoutChannelOrCursorAndSettingsAreKeptPerRecord()
    {
        DiagramTestRecord test;
        test.AddSampled("Ia", Composite, kTeal, 0);
        test.Document().Core().settings.Section("Frequency Chart").SetInt("NumHarmonics", 40);
        FourieDiagramWnd window;
        window.SetDocument(&test.Document());
        QCOMPARE(window.Settings().numHarmonics, 10);
        QVERIFY(window.LayoutAt(QSize(300, 300)).empty());
        QVERIFY(window.ExecuteCommand(kChannelEntry));
        // Cursor 1 before a whole period: no spectrum, every bar flat.
        test.PlaceCursorOne(5);
        const QImage image = window.Picture(QSize(300, 300));
        const ChartLayout chart = window.LayoutAt(QSize(300, 300)).front();
        QCOMPARE(BarHeight(image, chart, 1), 0);

        window.ApplySettings(FrequencyChartSettings{2, 20, 1, 0});
        QCOMPARE(test.Document().Core().settings.Section("Frequency Chart").GetInt("NumPeriods", 0), 2);
        QVERIFY(test.Document().IsModified());
        QCOMPARE(window.LayoutAt(QSize(600, 300)).size(), std::size_t{1});
    }

    void dialogRefusesNumbersOutOfRange()
    {
        DiagramTestRecord test;
        test.AddSampled("Ia", Composite, kTeal);  // 10 whole periods, 10 lines a period
        FourieDiagramSettingsDlg dialog(FrequencyChartSettings{}, test.Record());
        auto* periods = dialog.findChild<QLineEdit*>(QStringLiteral("NumPeriods"));
        auto* harmonics = dialog.findChild<QLineEdit*>(QStringLiteral("NumHarmonics"));
        QVERIFY(periods != nullptr && harmonics != nullptr);
        dialog.show();
        const auto refused = [&](const QString& p, const QString& h, const QString& needle) {
            periods->setText(p);
            harmonics->setText(h);
            QString message;
            AnswerNextMessageBox(QMessageBox::Ok, &message);
            dialog.accept();
            return dialog.isVisible() && message.contains(needle);
        };
        QVERIFY(refused("11", "10", "10"));
        QVERIFY(refused("0", "10", "1"));
        QVERIFY(refused("два", "10", ""));
        QVERIFY(refused("2", "21", "20"));
        periods->setText("2");
        harmonics->setText("20");
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Settings().numPeriods, 2);
        QCOMPARE(dialog.Settings().numHarmonics, 20);
    }

    void normalisationFollowsThePercentChoice()
    {
        DiagramTestRecord test;
        test.AddSampled("Ia", Composite, kTeal);
        FourieDiagramSettingsDlg dialog(FrequencyChartSettings{1, 10, 1, 1}, test.Record());
        auto* normalisation = dialog.findChild<QGroupBox*>(QStringLiteral("Normalisation"));
        QVERIFY(!normalisation->isEnabled());
        const QList<QRadioButton*> radios = dialog.findChildren<QRadioButton*>();
        QCOMPARE(radios.size(), 4);
        radios[0]->setChecked(true);
        QVERIFY(normalisation->isEnabled());
        radios[1]->setChecked(true);
        QVERIFY(!normalisation->isEnabled());
        dialog.accept();
        QCOMPARE(dialog.Settings().showPersents, 1);
        QCOMPARE(dialog.Settings().useRms, 1);
    }
};

} // namespace zarva::gui::test

#include "FrequencyDiagramTest.moc"
ZARVA_GUI_TEST(FrequencyDiagramTest)
