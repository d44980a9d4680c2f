#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zarva::bench {

// A large COMTRADE record for speed and memory measurements: analog channels carry phase-
// shifted sines of one period per 96 samples as 16-bit codes, status channels slow square waves.
struct SyntheticRecord {
    std::string type = "BINARY";  // "ASCII", "BINARY", "BINARY32" or "FLOAT32"
    std::size_t analogCount = 64;
    std::size_t discreteCount = 64;
    std::size_t samples = 1'000'000;
    double rate = 4800.0;
};

// Writes <name>.cfg and <name>.dat into `folder` and returns the configuration path.
std::filesystem::path WriteSyntheticRecord(const SyntheticRecord& record, const std::filesystem::path& folder,
                                           const std::string& name);

// The record generated once into a folder kept between runs (ZARVA_LARGE_RECORDS, else
// /tmp/zarva-large-records), again when its data file is not the size it should be; gives the
// configuration path.
std::filesystem::path GeneratedRecord(const SyntheticRecord& record, const std::string& name);

// Stored values of the record: one per channel per sample.
inline std::uint64_t StoredValues(const SyntheticRecord& record)
{
    return std::uint64_t{record.samples} * (record.analogCount + record.discreteCount);
}

} // namespace zarva::bench
