// The oscillogram view on the generated 1.2 GB record (96 analog + 32 status channels ×
// 6,000,000 samples at 10 kHz, read as the application reads it) in a 1600 × 1000 window (Qt
// offscreen): a paint at the fit scale, paints scrolled a screen at a time across the whole
// record, paints zoomed in and out step by step, and a cursor-drag repaint.

#include "support/SyntheticRecord.h"

#include "support/OffscreenBench.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/view/CZarvaView.h"

#include "core/formats/ComtradeReader.h"
#include "core/view/ViewScale.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>

namespace zarva::gui {
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
const bench::SyntheticRecord kRecord{"BINARY", 96, 32, 6'000'000, 10000.0};

using bench::NoServices;

struct Fixture {
    NoServices services;
    std::unique_ptr<CZarvaDoc> document;
    std::unique_ptr<CZarvaView> view;
    QImage image{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};
    std::int64_t samples = 0;

    Fixture()
    {
        document = std::make_unique<CZarvaDoc>(services);
        ReadComtrade(document->Core(), bench::GeneratedRecord(kRecord, "96a32d_6M"));
        samples = static_cast<std::int64_t>(document->Core().oscillogram.SampleCount());
        view = std::make_unique<CZarvaView>(*document, nullptr);
        view->show();
        view->resize(kWidth + view->verticalScrollBar()->sizeHint().width() + 2 * view->frameWidth(),
                     kHeight + view->horizontalScrollBar()->sizeHint().height() + 2 * view->frameWidth());
        QCoreApplication::processEvents();
        Fit();
        Paint();
    }

    void Fit() { view->SetXScale(FitScale(view->viewport()->width(), static_cast<std::size_t>(samples))); }

    void Paint()
    {
        QPainter painter(&image);
        view->DrawView(painter, kWidth, kHeight);
        benchmark::DoNotOptimize(image.constBits());
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void FullPaintAtFit(benchmark::State& state)
{
    Fixture& fixture = Shared();
    fixture.Fit();
    for (auto _ : state) {
        fixture.view->Refresh();
        fixture.Paint();
    }
}

// A screen of 1/50 of the record at a time, from one end to the other and round again.
void ScrollAcross(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const std::int64_t screen = fixture.samples / 50;
    fixture.view->SetXScale(FitScale(fixture.view->viewport()->width(), static_cast<std::size_t>(screen)));
    std::int64_t first = 0;
    for (auto _ : state) {
        first = (first + screen) % fixture.samples;
        fixture.view->SetFirstSample(first);
        fixture.Paint();
    }
    fixture.Fit();
}

// From the whole record down to a hundred samples a screen, four times closer each step, in
// the middle of the record.
void ZoomInAndOut(benchmark::State& state)
{
    Fixture& fixture = Shared();
    std::int64_t shown = fixture.samples;
    for (auto _ : state) {
        shown = shown / 4 < 100 ? fixture.samples : shown / 4;
        fixture.view->SetXScale(FitScale(fixture.view->viewport()->width(), static_cast<std::size_t>(shown)));
        fixture.view->SetFirstSample((fixture.samples - shown) / 2);
        fixture.Paint();
    }
    fixture.Fit();
}

// Cursor 1 moves by one pixel column per repaint, as under a dragging mouse.
void CursorDrag(benchmark::State& state)
{
    Fixture& fixture = Shared();
    fixture.Fit();
    fixture.Paint();
    const std::int64_t column = fixture.samples / kWidth;
    CursorSet cursors;
    std::int64_t sample = 0;
    for (auto _ : state) {
        sample = (sample + column) % fixture.samples;
        cursors.PlaceVertical(0, sample, fixture.samples);
        fixture.document->SetCursors(cursors);
        fixture.Paint();
    }
}

BENCHMARK(FullPaintAtFit)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollAcross)->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomInAndOut)->Unit(benchmark::kMillisecond);
BENCHMARK(CursorDrag)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zarva::gui

int main(int argc, char** argv)
{
    return zarva::bench::RunOffscreenBenchmarks(argc, argv);
}
