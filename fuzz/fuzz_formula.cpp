// Feeds arbitrary text to the formula engine as a computed channel of a small record and as
// an expression over variables, and to the readers of the stored forms of the set. Errors
// must come as CZarvaException; anything else (a crash, a hang, another exception) is a fault.
#include "core/document/Document.h"
#include "core/formula/FrmFile.h"
#include "core/model/ZarvaException.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void AddChannel(zarva::Document& document, const char* name, double phaseDeg)
{
    zarva::Channel channel(zarva::ChannelKind::Analog, &document);
    channel.name = name;
    for (int i = 0; i < 48; ++i)
        channel.samples.Append(std::sin((i * 18.0 + phaseDeg) * 3.141592653589793 / 180.0));
    channel.Recompute();
    document.oscillogram.channels.push_back(std::move(channel));
}

void ComputeChannel(const std::string& formula)
{
    zarva::Document document;
    zarva::Oscillogram& record = document.oscillogram;
    record.sampleRate = 1000;
    record.rateSegments.push_back({1000.0, 48});
    record.sampleTimes.resize(48);
    AddChannel(document, "Ia", 0.0);
    AddChannel(document, "Ib", -120.0);
    AddChannel(document, "U a", 120.0);
    try {
        record.calcChannels.Add("First", "Ia * 2");
        record.calcChannels.Add("Result", formula);
        record.calcChannels.Compute();
    } catch (const zarva::CZarvaException&) {
    }
}

void EvaluateExpression(const std::string& expression)
{
    zarva::Calculator engine;
    engine.SetChannelMode(false);
    try {
        engine.SetVariable("x", "2");
        engine.SetVariable("y", expression);
    } catch (const zarva::CZarvaException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ComputeChannel(text);
    EvaluateExpression(text);
    zarva::ParseFrmText(text);
    zarva::ParseSettingsEntry(text);
    return 0;
}
