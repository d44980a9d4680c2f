#include "SimulatedRecord.h"

#include "core/document/Document.h"
#include "core/faultloc/OmpFile.h"
#include "core/formats/ComtradeWriter.h"
#include "core/model/TextFormat.h"

#include <cmath>
#include <numbers>
#include <random>

namespace zarva::sim {
namespace {

constexpr double kSpanKm = 0.25;  // between poles

// One measured quantity: its steady states before, during and after the fault.
struct Quantity {
    std::string name;
    bool current;
    Complex before;
    Complex during;
    Complex after;
    double timeConstant;  // s, of the current's DC offset
};

// The positive-sequence impedance of the line between two distances from M; beyond the line
// it continues with the last section's kind.
Complex LineImpedance(const NetworkData& network, double from, double to)
{
    Complex total;
    double start = 0.0;
    for (const LineSectionData& section : network.sections) {
        const double end = start + section.length;
        total += section.z1 * std::max(0.0, std::min(to, end) - std::max(from, start));
        start = end;
    }
    return total + network.sections.back().z1 * std::max(0.0, to - std::max(from, start));
}

double TimeConstant(Complex z, double omega)
{
    return z.imag() / (omega * z.real());
}

void AddStation(std::vector<Quantity>& out, const StationChannels& names, const EndState& before,
                const EndState& during, const PhaseSet& emf, double timeConstant)
{
    const char* currents[] = {names.ia, names.ib, names.ic};
    const char* voltages[] = {names.ua, names.ub, names.uc};
    const char* lines[] = {names.uab, names.ubc, names.uca};
    for (std::size_t k = 0; k < 3; ++k)
        out.push_back({currents[k], true, before.current[k], during.current[k], 0.0, timeConstant});
    for (std::size_t k = 0; k < 3; ++k)
        out.push_back({voltages[k], false, before.voltage[k], during.voltage[k], emf[k], 0.0});
    for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t next = (k + 1) % 3;
        out.push_back({lines[k], false, before.voltage[k] - before.voltage[next],
                       during.voltage[k] - during.voltage[next], emf[k] - emf[next], 0.0});
    }
}

double Sine(Complex phasor, double omega, double t)
{
    return std::sqrt(2.0) * std::abs(phasor) * std::sin(omega * t + std::arg(phasor));
}

std::vector<double> Waveform(const Quantity& q, const RecordTiming& timing, double omega, std::size_t count,
                             double scale, double noise, std::mt19937_64& random)
{
    std::normal_distribution<double> jitter(0.0, noise);
    const double clearing = timing.inception + timing.faultDuration;
    const double offset = Sine(q.before, omega, timing.inception) - Sine(q.during, omega, timing.inception);
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / timing.sampleRate;
        double value = Sine(q.before, omega, t);
        if (t >= clearing) {
            value = Sine(q.after, omega, t);
        } else if (t >= timing.inception) {
            value = Sine(q.during, omega, t);
            if (q.current)
                value += offset * std::exp(-(t - timing.inception) / q.timeConstant);
        }
        values[i] = value / scale + jitter(random);
    }
    return values;
}

std::string Number(double value)
{
    return ExactText(value);
}

} // namespace

SimulatedRecord SimulateRecord(const NetworkData& network, const FaultData* fault, const RecordTiming& timing,
                               const Transformers& transformers)
{
    SimulatedRecord record;
    record.sampleRate = timing.sampleRate;
    record.frequency = network.frequency;
    record.transformers = transformers;
    record.preFault = SolveNetwork(network, nullptr);
    record.fault = fault != nullptr ? SolveNetwork(network, fault) : record.preFault;

    const double omega = 2.0 * std::numbers::pi * network.frequency;
    const double distance = fault != nullptr ? fault->distance : 0.0;
    const double length = network.Length();
    const double tauM = TimeConstant(network.sourceM.z1 + LineImpedance(network, 0.0, distance), omega);
    const double tauN = TimeConstant(network.sourceN.z1 + (distance > length ? LineImpedance(network, length, distance)
                                                                              : LineImpedance(network, distance, length)),
                                     omega);
    std::vector<Quantity> quantities;
    AddStation(quantities, kStationM, record.preFault.m, record.fault.m, SourceEmf(network, network.sourceM), tauM);
    AddStation(quantities, kStationN, record.preFault.n, record.fault.n, SourceEmf(network, network.sourceN), tauN);
    if (network.parallelLine) {
        const auto residual = [](const PhaseSet& i) { return i[0] + i[1] + i[2]; };
        quantities.push_back({kParallelResidual, true, residual(record.preFault.m.parallelCurrent),
                              residual(record.fault.m.parallelCurrent), 0.0, tauM});
    }

    RecordTiming steady = timing;
    if (fault == nullptr)
        steady.inception = steady.faultDuration = 2.0 * timing.duration;
    const auto count = static_cast<std::size_t>(std::llround(timing.duration * timing.sampleRate));
    std::mt19937_64 random(timing.seed);
    const double voltageScale = transformers.vtPrimary / transformers.vtSecondary;
    const double currentScale = transformers.ctPrimary / transformers.ctSecondary;
    for (const Quantity& q : quantities) {
        const double scale = q.current ? currentScale : voltageScale;
        const double rated = q.current ? transformers.ctSecondary : transformers.vtSecondary / std::sqrt(3.0);
        record.channels.push_back(
            {q.name, q.current,
             Waveform(q, steady, omega, count, scale, timing.noise * std::sqrt(2.0) * rated, random)});
    }
    return record;
}

void FillDocument(Document& document, const SimulatedRecord& simulated)
{
    Oscillogram& record = document.oscillogram;
    const std::size_t count = simulated.channels.front().values.size();
    record.stationName = record.stationText = "fault-sim M";
    record.recorderId = record.recorderText = "both ends";
    record.revisionYear = "1999";
    record.startDate = record.triggerDate = "01/06/2024";
    record.startTime = "12:00:00.000000";
    record.triggerTime = "12:00:00.100000";
    record.startText = "01.06.2024 12:00:00.000000";
    record.triggerText = "01.06.2024 12:00:00.100000";
    record.fileType = "BINARY";
    record.lineFrequency = simulated.frequency;
    record.sampleRate = static_cast<std::int32_t>(simulated.sampleRate);
    record.rateSegments = {{simulated.sampleRate, static_cast<std::int32_t>(count)}};
    record.sampleTimes.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        record.sampleTimes[i] = std::llround(static_cast<double>(i) * 1e6 / simulated.sampleRate);
    const Transformers& t = simulated.transformers;
    for (const SimulatedChannel& simulatedChannel : simulated.channels) {
        Channel channel(ChannelKind::Analog, &document);
        channel.channelId = channel.name = simulatedChannel.name;
        channel.unit8 = channel.unit = simulatedChannel.current ? "A" : "V";
        channel.primary = channel.filePrimary = simulatedChannel.current ? t.ctPrimary : t.vtPrimary;
        channel.secondary = channel.fileSecondary = simulatedChannel.current ? t.ctSecondary : t.vtSecondary;
        channel.samples.Assign(simulatedChannel.values);
        record.channels.push_back(std::move(channel));
    }
    record.analogCount = static_cast<std::uint32_t>(record.channels.size());
    for (Channel& channel : record.channels)
        channel.Recompute();
}

WrongPlaceLocatorData::LineModel LocatorModel(const NetworkData& network, int type, const Transformers& transformers)
{
    using namespace WrongPlaceLocatorData;
    LineModel model;
    model.type = type;
    for (int k = 0; k < 2; ++k) {
        Station& station = model.StationAt(k);
        const StationChannels& names = k == 0 ? kStationM : kStationN;
        station.SetValue("obj_name", k == 0 ? "ПС M" : "ПС N");
        station.SetValue("In", Number(transformers.ctPrimary));
        for (const auto& [key, name] : {std::pair{"Ia", names.ia}, {"Ib", names.ib}, {"Ic", names.ic},
                                        {"Ua", names.ua}, {"Ub", names.ub}, {"Uc", names.uc},
                                        {"Uab", names.uab}, {"Ubc", names.ubc}, {"Uca", names.uca}})
            station.SetValue(key, name);
    }
    Station& station = model.StationAt(0);
    for (std::size_t s = 0; s < network.sections.size(); ++s) {
        const LineSectionData& data = network.sections[s];
        Section& section = station.AddSectionAfter(nullptr);
        section.SetValue("lenght", Number(data.length));
        section.SetValue("sup_number", Number(std::max(1.0, std::round(data.length / kSpanKm))));
        section.SetValue("r", Number(data.z1.real()));
        section.SetValue("x", Number(data.z1.imag()));
        section.SetValue("r1", Number(data.z1.real()));
        section.SetValue("x1", Number(data.z1.imag()));
        section.SetValue("r0", Number(data.z0.real()));
        section.SetValue("x0", Number(data.z0.imag()));
        if (network.parallelLine) {
            ParallelLine& parallel = section.AddParallelLine();
            parallel.SetValue("rm", Number(data.zm.real()));
            parallel.SetValue("xm", Number(data.zm.imag()));
            parallel.SetValue("I0", kParallelResidual);
        }
        if (static_cast<int>(s) == network.tapSection) {
            Connection& tap = section.AddConnection();
            tap.SetValue("r0", Number(network.tapZ0.real()));
            tap.SetValue("x0", Number(network.tapZ0.imag()));
        }
    }
    return model;
}

void WriteRecordFiles(Document& document, const WrongPlaceLocatorData::LineModel& model,
                      const std::filesystem::path& base)
{
    document.lineModel = model;
    std::filesystem::path cfg = base;
    SaveComtrade(document, cfg += ".cfg");
    std::filesystem::path omp = base;
    SaveOmpFile(model, omp += ".omp");
}

} // namespace zarva::sim
