#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace zarva::gui {

// What the program was started with:
//   zarva [RECORD...] [-Dst FILE.dst] [-Find]
//   zarva --screenshot FILE.png [--size WxH] [--lang ru|en] RECORD...
//         [--pane vector,frequency] [--on vector:NAME,NAME;frequency:NAME]
//         [--diagram vector|frequency]
struct CommandLine {
    QStringList files;
    QString dst;         // "-Dst": the description for the ".sto" opened from this command line
    bool find = false;   // "-Find": open the file finder
    QString language;    // "--lang": overrides the program setting
    QString screenshot;  // "--screenshot": save a picture of the main window and end
    QSize size{1280, 800};
    QStringList panes;  // "--pane": diagram panes shown in the picture
    // "--on": channel names put on a diagram, as its channel menu does
    std::vector<std::pair<QString, QStringList>> onDiagrams;
    QString diagram;  // "--diagram": the picture is this diagram window alone, at `size`
    QString error;       // not empty when the arguments make no sense
};

// `arguments` without the program name.
CommandLine ParseCommandLine(const QStringList& arguments);

} // namespace zarva::gui
