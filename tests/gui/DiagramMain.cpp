#include <QApplication>
#include <QTest>

#include <clocale>
#include <memory>

QObject* MakeDiagramPanesTest();
QObject* MakeFrequencyDiagramTest();
QObject* MakeVectorDiagramTest();

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    int failures = 0;
    for (auto make : {MakeDiagramPanesTest, MakeFrequencyDiagramTest, MakeVectorDiagramTest}) {
        const std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
