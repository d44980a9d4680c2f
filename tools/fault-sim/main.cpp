// Writes a simulated fault record with its line model: fault-sim BASE [options].
#include "SimulatedRecord.h"
#include "StandardNetwork.h"
#include "core/document/Document.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <optional>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: fault-sim BASE [--fault AG|BG|CG|AB|BC|CA|ABG|BCG|CAG|ABC|none] [--distance KM]\n"
    "                 [--rf OHM] [--load-angle DEG] [--algorithm 1|2|4] [--parallel] [--tap]\n"
    "                 [--rate HZ] [--fault-ms MS] [--noise SHARE] [--seed N]\n"
    "Writes BASE.cfg, .dat, .set and .omp: a fault on the 220 kV, 100 km line of two sections\n"
    "seen from both ends (defaults: AG at 30 km, 0 ohm, load angle 0, algorithm 2).\n";

std::optional<zarva::sim::FaultKind> ParseKind(const std::string& text)
{
    for (const zarva::sim::FaultKind kind : zarva::sim::kAllFaultKinds) {
        if (text == zarva::sim::FaultName(kind))
            return kind;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace zarva::sim;
    if (argc < 2 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::map<std::string, std::string> options{{"--fault", "AG"}, {"--distance", "30"}, {"--rf", "0"},
                                               {"--load-angle", "0"}, {"--algorithm", "2"}, {"--rate", "2000"},
                                               {"--fault-ms", "100"}, {"--noise", "0.002"}, {"--seed", "1"}};
    bool parallel = false;
    bool tap = false;
    for (int i = 2; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--parallel" || word == "--tap") {
            (word == "--parallel" ? parallel : tap) = true;
        } else if (options.contains(word) && i + 1 < argc) {
            options[word] = argv[++i];
        } else {
            std::fprintf(stderr, "fault-sim: unknown or incomplete option %s\n%s", word.c_str(), kUsage);
            return 2;
        }
    }
    try {
        const NetworkData network = StandardNetwork(std::stod(options["--load-angle"]), parallel, tap);
        const std::optional<FaultKind> kind = ParseKind(options["--fault"]);
        if (!kind && options["--fault"] != "none") {
            std::fprintf(stderr, "fault-sim: unknown fault %s\n", options["--fault"].c_str());
            return 2;
        }
        const FaultData fault{kind.value_or(FaultKind::AG), std::stod(options["--distance"]), std::stod(options["--rf"])};
        RecordTiming timing;
        timing.sampleRate = std::stod(options["--rate"]);
        timing.faultDuration = std::stod(options["--fault-ms"]) / 1000.0;
        timing.noise = std::stod(options["--noise"]);
        timing.seed = std::stoull(options["--seed"]);
        zarva::Document document;
        FillDocument(document, SimulateRecord(network, kind ? &fault : nullptr, timing));
        WriteRecordFiles(document, LocatorModel(network, std::stoi(options["--algorithm"])), argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fault-sim: %s\n", error.what());
        return 1;
    }
    return 0;
}
