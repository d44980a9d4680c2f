#include "gui/app/CurveSurveyor.h"

#include "core/document/Document.h"
#include "core/dsp/DerivedSeries.h"
#include "core/model/ParallelFor.h"

namespace zarva::gui {
namespace {

constexpr int kPollMs = 200;

} // namespace

CurveSurveyor::CurveSurveyor(QObject* parent) : QObject(parent)
{
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] { emit progressed(Percent()); });
}

CurveSurveyor::~CurveSurveyor()
{
    progress_.RequestCancel();
    if (worker_.joinable())
        worker_.join();
}

void CurveSurveyor::Start(const Document& document)
{
    Stop();
    curves_.clear();
    std::uint64_t samples = 0;
    for (const Channel& channel : document.oscillogram.channels) {
        if (channel.Derived() && !channel.Derived()->Surveyed()) {
            curves_.push_back(channel.Derived());
            samples += channel.samples.Size();
        }
    }
    if (curves_.empty())
        return;
    progress_.Reset();
    progress_.SetTotal(samples);
    progress_.SetStep(1.0);
    const std::uint64_t run = ++run_;
    worker_ = std::thread([this, samples, run] {
        ParallelFor(curves_.size(), ThreadsFor(samples), [this](std::size_t i) { curves_[i]->Survey(progress_); });
        QMetaObject::invokeMethod(this, [this, run] {
            if (run == run_)
                Join();
        }, Qt::QueuedConnection);
    });
    poll_.start();
}

void CurveSurveyor::Stop()
{
    if (!worker_.joinable())
        return;
    progress_.RequestCancel();
    Join();
}

void CurveSurveyor::Join()
{
    if (!worker_.joinable())
        return;
    worker_.join();
    poll_.stop();
    curves_.clear();
    emit finished();
}

} // namespace zarva::gui
