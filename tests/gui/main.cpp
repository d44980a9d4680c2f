#include "GuiTestSupport.h"

int main(int argc, char** argv)
{
    return zarva::gui::test::RunQtTests(argc, argv);
}
