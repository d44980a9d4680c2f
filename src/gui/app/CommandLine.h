#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace zarva::gui {

// The state of the oscillogram view a screenshot shows.
struct ScreenshotView {
    std::vector<std::pair<int, std::int64_t>> cursors;  // vertical cursor index (0..2) and sample
    QStringList select;                                 // channel names
    std::optional<double> xScale;
    std::optional<std::int64_t> firstSample;
    std::optional<int> ruler;                           // 0..4
    std::optional<std::uint32_t> readouts;              // read-out flags of the selected channels
    QString annotate;                                   // annotations added, as ParseAnnotateOption reads them
};

// What the program was started with:
//   zarva [RECORD...] [-Dst FILE.dst] [-Find]
//   zarva --screenshot FILE.png [--size WxH] [--lang ru|en] [--cursor v1=N[,v2=M,v3=K]]
//         [--select NAME[,NAME]] [--xscale X] [--first-sample N] [--ruler 0..4]
//         [--readouts minmax,rms,a1] [--annotate "moment:N:TEXT;level:CH:VALUE:N1:N2:TEXT;..."]
//         [--pane vector,frequency,circle,diff]
//         [--on vector:NAME,NAME;frequency:NAME;circle:NAME]
//         [--diagram vector|frequency|circle|diff] [--block NAME] [--pair R,X|BRAKE,DIFF] RECORD...
struct CommandLine {
    QStringList files;
    QString dst;         // "-Dst": the description for the ".sto" opened from this command line
    bool find = false;   // "-Find": open the file finder
    QString language;    // "--lang": overrides the program setting
    QString screenshot;  // "--screenshot": save a picture of the main window and end
    QSize size{1280, 800};
    ScreenshotView view;
    QStringList panes;  // "--pane": diagram panes shown in the picture
    // "--on": channel names put on a diagram, as its channel menu does
    std::vector<std::pair<QString, QStringList>> onDiagrams;
    QString diagram;  // "--diagram": the picture is this diagram window alone, at `size`
    QString block;    // "--block": the characteristic block the circle or differential diagram shows
    // "--pair": channel pairs added to the differential diagram with "--diagram diff", else the circle one
    std::vector<std::pair<QString, QString>> pairs;
    QString error;       // not empty when the arguments make no sense
};

// `arguments` without the program name.
CommandLine ParseCommandLine(const QStringList& arguments);

} // namespace zarva::gui
