#pragma once

#include "gui/app/CZarvaDoc.h"

#include <QColor>

#include <functional>
#include <memory>
#include <string>

namespace zarva::gui::test {

// A document built in memory for the diagram windows: 1000 samples per second at 50 Hz,
// 200 samples, channels given by their phasor or by a function of time.
class DiagramTestRecord {
public:
    DiagramTestRecord();
    ~DiagramTestRecord();

    CZarvaDoc& Document() { return *document_; }
    Oscillogram& Record() { return document_->Core().oscillogram; }

    // A channel whose phasor series is `rms` at `angleDeg` at every sample, in `colour`.
    Channel& AddPhasor(const std::string& name, const std::string& unit, double rms, double angleDeg,
                       const QColor& colour, std::uint32_t onDiagrams = display::kOnVectorDiagram);
    // A channel sampled from f(t), t in seconds, in `colour`.
    Channel& AddSampled(const std::string& name, const std::function<double(double)>& f, const QColor& colour,
                        std::uint32_t onDiagrams = display::kOnFrequencyDiagram);
    void PlaceCursorOne(std::int64_t sample);

    static constexpr std::size_t kSamples = 200;

private:
    Channel& Add(Channel channel, const QColor& colour, std::uint32_t onDiagrams);

    std::unique_ptr<DocumentServices> services_;
    std::unique_ptr<CZarvaDoc> document_;
};

// True when the pixel is within `tolerance` of `colour` in every component.
bool Near(const QColor& pixel, const QColor& colour, int tolerance = 40);

} // namespace zarva::gui::test
