#pragma once

#include "gui/app/CZarvaDoc.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdlib>

namespace zarva::bench {

// Nothing of the application: the view benchmarks never open, save or report.
class NoServices : public gui::DocumentServices {
public:
    const RecordReaders& Readers() const override { return readers_; }
    ReadOptions CurrentReadOptions() const override { return {}; }
    std::filesystem::path ConvertSto(const std::filesystem::path&, std::filesystem::path&) override { return {}; }
    void ReportError(const QString&) override {}
    QWidget* DialogParent() const override { return nullptr; }

private:
    RecordReaders readers_;
};

// The main of a benchmark of windows: Qt offscreen unless told otherwise.
inline int RunOffscreenBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zarva::bench
