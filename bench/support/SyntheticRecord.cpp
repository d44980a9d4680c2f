#include "support/SyntheticRecord.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace zarva::bench {
namespace {

constexpr std::size_t kPeriod = 96;

std::string ConfigurationText(const SyntheticRecord& record)
{
    std::string text = "BENCH STATION,GENERATOR,1999\n";
    text += std::to_string(record.analogCount + record.discreteCount) + "," + std::to_string(record.analogCount) +
            "A," + std::to_string(record.discreteCount) + "D\n";
    for (std::size_t j = 0; j < record.analogCount; ++j)
        text += std::to_string(j + 1) + ",U" + std::to_string(j + 1) + ",A,,kV,0.01,0,0,-32767,32767,110,0.1,P\n";
    for (std::size_t j = 0; j < record.discreteCount; ++j)
        text += std::to_string(j + 1) + ",S" + std::to_string(j + 1) + ",,,0\n";
    text += "50\n1\n" + std::to_string(static_cast<long long>(record.rate)) + "," + std::to_string(record.samples) +
            "\n01/02/2024,10:00:00.000000\n01/02/2024,10:00:00.100000\n" + record.type + "\n1\n";
    return text;
}

std::vector<std::int32_t> SineCodes()
{
    std::vector<std::int32_t> codes(kPeriod);
    for (std::size_t k = 0; k < kPeriod; ++k)
        codes[k] = static_cast<std::int32_t>(
            std::lround(20000.0 * std::sin(2 * std::numbers::pi * static_cast<double>(k) / kPeriod)));
    return codes;
}

void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

long long StampOf(const SyntheticRecord& record, std::size_t k)
{
    return std::llround(static_cast<double>(k) * 1e6 / record.rate);
}

void AppendBinaryRecord(std::string& out, const SyntheticRecord& record, const std::vector<std::int32_t>& sine,
                        std::size_t k)
{
    AppendLittleEndian(out, static_cast<std::uint32_t>(k + 1), 4);
    AppendLittleEndian(out, static_cast<std::uint32_t>(StampOf(record, k)), 4);
    for (std::size_t j = 0; j < record.analogCount; ++j) {
        const std::int32_t code = sine[(k + 7 * j) % kPeriod];
        if (record.type == "BINARY")
            AppendLittleEndian(out, static_cast<std::uint16_t>(code), 2);
        else if (record.type == "FLOAT32")
            AppendLittleEndian(out, std::bit_cast<std::uint32_t>(static_cast<float>(code)), 4);
        else
            AppendLittleEndian(out, static_cast<std::uint32_t>(code), 4);
    }
    for (std::size_t word = 0; word < (record.discreteCount + 15) / 16; ++word) {
        std::uint32_t bits = 0;
        for (std::size_t b = 0; b < 16 && word * 16 + b < record.discreteCount; ++b)
            bits |= static_cast<std::uint32_t>((k / (100 + word * 16 + b)) % 2) << b;
        AppendLittleEndian(out, bits, 2);
    }
}

void AppendAsciiRecord(std::string& out, const SyntheticRecord& record, const std::vector<std::int32_t>& sine,
                       std::size_t k)
{
    char number[24];
    auto append = [&out, &number](long long value) {
        out += std::string_view(number, std::to_chars(number, number + sizeof number, value).ptr);
    };
    append(static_cast<long long>(k + 1));
    out += ',';
    append(StampOf(record, k));
    for (std::size_t j = 0; j < record.analogCount; ++j) {
        out += ',';
        append(sine[(k + 7 * j) % kPeriod]);
    }
    for (std::size_t j = 0; j < record.discreteCount; ++j) {
        out += ',';
        out += static_cast<char>('0' + (k / (100 + j)) % 2);
    }
    out += "\r\n";
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes, std::ios::openmode mode)
{
    std::ofstream out(path, std::ios::binary | mode);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

std::filesystem::path WriteSyntheticRecord(const SyntheticRecord& record, const std::filesystem::path& folder,
                                           const std::string& name)
{
    std::filesystem::create_directories(folder);
    const std::filesystem::path cfg = folder / (name + ".cfg");
    const std::filesystem::path dat = folder / (name + ".dat");
    WriteFile(cfg, ConfigurationText(record), std::ios::trunc);
    WriteFile(dat, "", std::ios::trunc);
    const std::vector<std::int32_t> sine = SineCodes();
    std::string chunk;
    for (std::size_t k = 0; k < record.samples; ++k) {
        if (record.type == "ASCII")
            AppendAsciiRecord(chunk, record, sine, k);
        else
            AppendBinaryRecord(chunk, record, sine, k);
        if (chunk.size() > (std::size_t{1} << 22) || k + 1 == record.samples) {
            WriteFile(dat, chunk, std::ios::app);
            chunk.clear();
        }
    }
    return cfg;
}

std::filesystem::path GeneratedRecord(const SyntheticRecord& record, const std::string& name)
{
    namespace fs = std::filesystem;
    const char* chosen = std::getenv("ZARVA_LARGE_RECORDS");
    const fs::path folder = chosen != nullptr ? fs::path(chosen) : fs::temp_directory_path() / "zarva-large-records";
    const std::uint64_t width = record.type == "BINARY" ? 2 : 4;
    const std::uint64_t size = (8 + width * record.analogCount + 2 * ((record.discreteCount + 15) / 16)) * record.samples;
    const fs::path cfg = folder / (name + ".cfg");
    std::error_code error;
    if (fs::file_size(fs::path(cfg).replace_extension(".dat"), error) == size && fs::exists(cfg))
        return cfg;
    std::printf("generating %s (%.0f MB)...\n", name.c_str(), static_cast<double>(size) / 1e6);
    std::fflush(stdout);
    return WriteSyntheticRecord(record, folder, name);
}

} // namespace zarva::bench
