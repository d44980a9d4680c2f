// The oscillogram view painting a 32-analog, 32-discrete record of 2,000,000 samples into a
// 1600 × 1000 window at the fit scale (Qt offscreen): a full paint and a cursor-drag repaint,
// each against the drawing with a vertex at every sample.

#include "support/InMemoryRecord.h"

#include "support/OffscreenBench.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/view/CZarvaView.h"

#include "core/document/Recompute.h"
#include "core/view/ViewScale.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>

namespace zarva::gui {
namespace {

constexpr std::size_t kAnalog = 32;
constexpr std::size_t kDiscrete = 32;
constexpr std::size_t kSamples = 2'000'000;
constexpr std::int32_t kRate = 4800;
constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

using bench::NoServices;

// Status channels that switch at many rates, some of them within one pixel column.
void AddDiscreteChannels(Document& document)
{
    Oscillogram& record = document.oscillogram;
    for (std::size_t c = 0; c < kDiscrete; ++c) {
        Channel channel(ChannelKind::Discrete, &document);
        channel.name = "D" + std::to_string(c + 1);
        std::vector<double> samples(kSamples);
        const std::size_t period = 37 + c * c * 211;
        for (std::size_t i = 0; i < kSamples; ++i)
            samples[i] = (i / period) % 2 == 0 ? 0.0 : 1.0;
        channel.samples.Assign(std::move(samples));
        record.channels.push_back(std::move(channel));
        ++record.discreteCount;
    }
}

struct Fixture {
    NoServices services;
    std::unique_ptr<CZarvaDoc> document;
    std::unique_ptr<CZarvaView> view;
    QImage image{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};

    Fixture()
    {
        document = std::make_unique<CZarvaDoc>(services);
        Document& core = document->Core();
        bench::FillInMemoryRecord(core, kAnalog, kSamples, kRate);
        AddDiscreteChannels(core);
        RecomputeAll(core);
        view = std::make_unique<CZarvaView>(*document, nullptr);
        view->show();
        view->resize(kWidth + view->verticalScrollBar()->sizeHint().width() + 2 * view->frameWidth(),
                     kHeight + view->horizontalScrollBar()->sizeHint().height() + 2 * view->frameWidth());
        QCoreApplication::processEvents();
        view->SetXScale(FitScale(view->viewport()->width(), kSamples));
        // The min/max levels are built once after loading, as the window's first paint does.
        Paint();
    }

    void Paint()
    {
        QPainter painter(&image);
        view->DrawView(painter, kWidth, kHeight);
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void FullPaint(benchmark::State& state, bool everyVertex)
{
    Fixture& fixture = Shared();
    fixture.view->SetEveryVertex(everyVertex);
    for (auto _ : state) {
        fixture.view->Refresh();
        fixture.Paint();
        benchmark::DoNotOptimize(fixture.image.constBits());
    }
    fixture.view->SetEveryVertex(false);
    state.counters["rows"] = static_cast<double>(fixture.view->Rows().size());
}

// Cursor 1 moves by one pixel column per repaint, as under a dragging mouse.
void CursorDrag(benchmark::State& state, bool redrawTraces)
{
    Fixture& fixture = Shared();
    fixture.view->SetEveryVertex(redrawTraces);
    fixture.Paint();
    CursorSet cursors;
    std::int64_t sample = 0;
    for (auto _ : state) {
        sample = (sample + 41) % static_cast<std::int64_t>(kSamples);
        cursors.PlaceVertical(0, sample, kSamples);
        fixture.document->SetCursors(cursors);
        if (redrawTraces)
            fixture.view->Refresh();
        fixture.Paint();
        benchmark::DoNotOptimize(fixture.image.constBits());
    }
    fixture.view->SetEveryVertex(false);
}

BENCHMARK_CAPTURE(FullPaint, ColumnEnvelope, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullPaint, EveryVertex, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CursorDrag, OverlayOnCachedTraces, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CursorDrag, EverythingEveryVertex, true)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zarva::gui

int main(int argc, char** argv)
{
    return zarva::bench::RunOffscreenBenchmarks(argc, argv);
}
