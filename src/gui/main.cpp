#include "gui/app/Application.h"

int main(int argc, char** argv)
{
    return zarva::gui::RunApplication(argc, argv);
}
