#pragma once

#include "LineNetwork.h"
#include "core/faultloc/LineModel.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zarva {
class Document;
}

namespace zarva::sim {

struct RecordTiming {
    double sampleRate = 2000.0;   // samples per second
    double inception = 0.10;      // s from the first sample
    double faultDuration = 0.10;  // s until the breakers at both ends clear it
    double duration = 0.30;       // s
    double noise = 0.002;         // standard deviation, a share of the rated amplitude
    std::uint64_t seed = 1;
};

// Instrument transformers: the record holds secondary values.
struct Transformers {
    double vtPrimary = 220000.0;
    double vtSecondary = 100.0;
    double ctPrimary = 1000.0;
    double ctSecondary = 1.0;
};

struct SimulatedChannel {
    std::string name;
    bool current = false;
    std::vector<double> values;  // secondary
};

// What the recorders at both substations saw, in one record: for each station the phase
// currents into the line, the phase and line voltages of its bus, and at M the parallel
// circuit's residual current.
struct SimulatedRecord {
    double sampleRate = 0.0;
    double frequency = 0.0;
    Transformers transformers;
    std::vector<SimulatedChannel> channels;
    NetworkState preFault;
    NetworkState fault;
};

// Currents follow the steady states, with a DC offset at inception that keeps them
// continuous, decaying with the X/R of the path from each source to the fault; voltages step
// between their steady states. Both breakers clear at once, after which the line is dead.
// Gaussian noise is added. Without a fault the record stays in its pre-fault state.
SimulatedRecord SimulateRecord(const NetworkData& network, const FaultData* fault, const RecordTiming& timing,
                               const Transformers& transformers = {});

// Channel names of the record.
struct StationChannels {
    const char* ia;
    const char* ib;
    const char* ic;
    const char* ua;
    const char* ub;
    const char* uc;
    const char* uab;
    const char* ubc;
    const char* uca;
};
inline constexpr StationChannels kStationM{"IA1", "IB1", "IC1", "UA1", "UB1", "UC1", "UAB1", "UBC1", "UCA1"};
inline constexpr StationChannels kStationN{"IA2", "IB2", "IC2", "UA2", "UB2", "UC2", "UAB2", "UBC2", "UCA2"};
inline constexpr const char* kParallelResidual = "3I0 L2";

// The record as a document in memory: analog channels with their transformer ratios.
void FillDocument(Document& document, const SimulatedRecord& record);

// The line model of the network for the given algorithm type, naming the record's channels.
WrongPlaceLocatorData::LineModel LocatorModel(const NetworkData& network, int type,
                                              const Transformers& transformers = {});

// Writes BASE.cfg/.dat/.set (the model in the settings) and BASE.omp.
void WriteRecordFiles(Document& document, const WrongPlaceLocatorData::LineModel& model,
                      const std::filesystem::path& base);

} // namespace zarva::sim
