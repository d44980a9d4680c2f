#pragma once

#include "core/formats/ComtradeConverter.h"

#include <string>
#include <vector>

namespace zarva::test {

// A ".sto" file as the fake converter reads it: "STO <type> <version>" on its first line.
std::string FakeStoText(std::uint16_t type, std::uint32_t version);
// A ".dst" description the fake converter accepts for that record.
std::string FakeDstText(std::uint16_t type, std::uint32_t version);

// Stands in for the real converter library: converts every record it accepts into a small
// known COMTRADE record (two analog channels, one discrete, 48 samples at 2400 Hz) and
// notes the calls it gets.
class FakeConverter : public ComtradeConverter {
public:
    FakeConverter(std::size_t fileSize, ConversionProgress* progress, std::vector<std::string>* calls);

    bool GetInfoFromStoHeader(std::istream& sto, std::uint16_t& type, std::uint32_t& version) override;
    bool CheckDstCompatibility(std::uint16_t type, std::uint32_t version,
                               const std::filesystem::path& dstPath) override;
    bool ReadFromXml(const std::filesystem::path& dstPath) override;
    bool ConvertSto2Comtrade(const std::filesystem::path& outFolder, const std::string& name,
                             std::span<const std::uint8_t> stoData, int fixedA, int fixedB,
                             std::string& errorText) override;

    std::string failConversionWith;  // a conversion fails with this text when it is set

private:
    void Note(std::string call);

    std::size_t fileSize_;
    ConversionProgress* progress_;
    std::vector<std::string>* calls_;
};

// The configuration and data text the fake conversion writes.
std::string FakeRecordCfg(const std::string& stationName);
std::string FakeRecordDat();

} // namespace zarva::test
