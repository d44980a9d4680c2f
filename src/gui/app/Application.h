#pragma once

namespace zarva::gui {

// The desktop program from start to end: the command line, the interface language, the
// hand-over to a running instance, the main window, and the screenshot mode.
int RunApplication(int argc, char** argv);

} // namespace zarva::gui
