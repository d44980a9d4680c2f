#include "GuiTestSupport.h"

QObject* MakeCommandLineTest();
QObject* MakeCommandRoutingTest();
QObject* MakeDocumentLifecycleTest();
QObject* MakeProgramSettingsTest();
QObject* MakeRibbonTest();
QObject* MakeSaveTest();
QObject* MakeViewTest();

int main(int argc, char** argv)
{
    return zarva::gui::test::RunQtTests(argc, argv,
                                        {MakeCommandLineTest, MakeCommandRoutingTest, MakeDocumentLifecycleTest,
                                         MakeProgramSettingsTest, MakeRibbonTest, MakeSaveTest, MakeViewTest});
}
