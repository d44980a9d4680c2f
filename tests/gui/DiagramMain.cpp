#include "GuiTestSupport.h"

QObject* MakeDiagramPanesTest();
QObject* MakeFrequencyDiagramTest();
QObject* MakeVectorDiagramTest();

int main(int argc, char** argv)
{
    return zarva::gui::test::RunQtTests(argc, argv,
                                        {MakeDiagramPanesTest, MakeFrequencyDiagramTest, MakeVectorDiagramTest});
}
