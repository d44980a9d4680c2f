#include "support/FakeConverter.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace zarva::test {
namespace {

constexpr int kSamples = 48;

std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : std::string();
}

bool WriteWhole(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

} // namespace

std::string FakeStoText(std::uint16_t type, std::uint32_t version)
{
    return "STO " + std::to_string(type) + " " + std::to_string(version) + "\nsamples follow\n";
}

std::string FakeDstText(std::uint16_t type, std::uint32_t version)
{
    return "<dst type=\"" + std::to_string(type) + "\" version=\"" + std::to_string(version) + "\"/>";
}

std::string FakeRecordCfg(const std::string& stationName)
{
    return stationName + ",FAKE,1999\r\n"
           "3,2A,1D\r\n"
           "1,UA,A,,kV,0.01,0,0,-32767,32767,110,0.1,S\r\n"
           "2,IA,A,,A,0.001,0,0,-32767,32767,600,5,S\r\n"
           "3,TRIP,,,0\r\n"
           "50\r\n1\r\n2400," + std::to_string(kSamples) + "\r\n"
           "01/02/2024,10:00:00.000000\r\n01/02/2024,10:00:00.010000\r\nASCII\r\n1\r\n";
}

std::string FakeRecordDat()
{
    std::string dat;
    for (int i = 0; i < kSamples; ++i) {
        const double phase = 2.0 * 3.14159265358979 * i / kSamples;
        dat += std::to_string(i + 1) + "," + std::to_string(i * 416) + "," +
               std::to_string(static_cast<int>(std::lround(6000 * std::sin(phase)))) + "," +
               std::to_string(static_cast<int>(std::lround(900 * std::sin(phase - 0.5)))) + "," +
               (i >= kSamples / 2 ? "1" : "0") + "\r\n";
    }
    return dat;
}

FakeConverter::FakeConverter(std::size_t fileSize, ConversionProgress* progress,
                             std::vector<std::string>* calls)
    : fileSize_(fileSize), progress_(progress), calls_(calls)
{
    Note("create " + std::to_string(fileSize_));
}

void FakeConverter::Note(std::string call)
{
    if (calls_ != nullptr)
        calls_->push_back(std::move(call));
}

bool FakeConverter::GetInfoFromStoHeader(std::istream& sto, std::uint16_t& type, std::uint32_t& version)
{
    Note("header");
    std::string magic;
    sto >> magic >> type >> version;
    return sto && magic == "STO";
}

bool FakeConverter::CheckDstCompatibility(std::uint16_t type, std::uint32_t version,
                                          const std::filesystem::path& dstPath)
{
    Note("check " + dstPath.filename().string());
    return ReadWhole(dstPath) == FakeDstText(type, version);
}

bool FakeConverter::ReadFromXml(const std::filesystem::path& dstPath)
{
    Note("xml " + dstPath.filename().string());
    return ReadWhole(dstPath).rfind("<dst ", 0) == 0;
}

bool FakeConverter::ConvertSto2Comtrade(const std::filesystem::path& outFolder, const std::string& name,
                                        std::span<const std::uint8_t> stoData, int fixedA, int fixedB,
                                        std::string& errorText)
{
    Note("convert " + name + " " + std::to_string(stoData.size()) + " " + std::to_string(fixedA) + " " +
         std::to_string(fixedB));
    Note("into " + outFolder.string());
    if (progress_ != nullptr) {
        progress_->SetProgressInfoAbout("converting");
        progress_->SetProgressBarStep(100);
    }
    if (!failConversionWith.empty()) {
        errorText = failConversionWith;
        return false;
    }
    return WriteWhole(outFolder / (name + ".cfg"), FakeRecordCfg("Converted " + name)) &&
           WriteWhole(outFolder / (name + ".dat"), FakeRecordDat());
}

} // namespace zarva::test
