#include "DiagramTestRecord.h"

#include "gui/app/Drawing.h"
#include "support/Phasors.h"
#include "support/Samples.h"

#include <QWidget>

#include <cmath>
#include <stdexcept>

namespace zarva::gui::test {
namespace {

class NoServices : public DocumentServices {
public:
    const RecordReaders& Readers() const override { throw std::logic_error("no reading in diagram tests"); }
    ReadOptions CurrentReadOptions() const override { return {}; }
    std::filesystem::path ConvertSto(const std::filesystem::path&, std::filesystem::path&) override { return {}; }
    void ReportError(const QString&) override {}
    QWidget* DialogParent() const override { return nullptr; }
};

} // namespace

DiagramTestRecord::DiagramTestRecord()
    : services_(std::make_unique<NoServices>()), document_(std::make_unique<CZarvaDoc>(*services_))
{
    Oscillogram& record = Record();
    record.sampleRate = 1000;
    record.lineFrequency = 50.0;
    record.rateSegments.push_back({1000.0, static_cast<std::int32_t>(kSamples)});
    record.channels.reserve(16);
}

DiagramTestRecord::~DiagramTestRecord() = default;

Channel& DiagramTestRecord::Add(Channel channel, const QColor& colour, std::uint32_t onDiagrams)
{
    channel.customColourSet = true;
    channel.customColour = static_cast<std::int32_t>(ToColour(colour));
    channel.displayFlags |= onDiagrams;
    Record().channels.push_back(std::move(channel));
    return Record().channels.back();
}

Channel& DiagramTestRecord::AddPhasor(const std::string& name, const std::string& unit, double rms, double angleDeg,
                                      const QColor& colour, std::uint32_t onDiagrams)
{
    Channel channel(ChannelKind::Analog, &document_->Core());
    channel.name = name;
    channel.SetUnitText(unit);
    channel.samples.Assign(std::vector<double>(kSamples, 0.0));
    zarva::test::SupplyPhasors(channel, std::vector<Phasor>(kSamples, zarva::test::Polar(rms, angleDeg)));
    return Add(std::move(channel), colour, onDiagrams);
}

Channel& DiagramTestRecord::AddSampled(const std::string& name, const std::function<double(double)>& f,
                                       const QColor& colour, std::uint32_t onDiagrams)
{
    Channel channel(ChannelKind::Analog, &document_->Core());
    channel.name = name;
    channel.SetUnitText("A");
    std::vector<double> values;
    for (std::size_t i = 0; i < kSamples; ++i)
        values.push_back(f(static_cast<double>(i) / 1000.0));
    channel.samples.Assign(std::move(values));
    return Add(std::move(channel), colour, onDiagrams);
}

void DiagramTestRecord::PlaceCursorOne(std::int64_t sample)
{
    CursorSet cursors = document_->Core().cursors;
    cursors.PlaceVertical(0, sample, kSamples);
    document_->SetCursors(cursors);
}

bool Near(const QColor& pixel, const QColor& colour, int tolerance)
{
    return std::abs(pixel.red() - colour.red()) <= tolerance && std::abs(pixel.green() - colour.green()) <= tolerance &&
           std::abs(pixel.blue() - colour.blue()) <= tolerance;
}

} // namespace zarva::gui::test
