#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <span>
#include <string>

namespace zarva {

// What a running conversion reports to whoever shows it.
class ConversionProgress {
public:
    virtual ~ConversionProgress() = default;
    virtual void SetProgressBarStep(int step) = 0;
    virtual void SetProgressInfoAbout(const std::string& text) = 0;
    virtual void SetProgressInfoAboutFast(const std::string& text) = 0;
};

// Turns a ".sto" record with its ".dst" description into COMTRADE files. The formats and
// the two description identifiers belong to the library that implements it.
class ComtradeConverter {
public:
    virtual ~ComtradeConverter() = default;

    virtual bool GetInfoFromStoHeader(std::istream& sto, std::uint16_t& descriptionType,
                                      std::uint32_t& descriptionVersion) = 0;
    virtual bool CheckDstCompatibility(std::uint16_t descriptionType, std::uint32_t descriptionVersion,
                                       const std::filesystem::path& dstPath) = 0;
    virtual bool ReadFromXml(const std::filesystem::path& dstPath) = 0;
    virtual bool ConvertSto2Comtrade(const std::filesystem::path& outFolder, const std::string& name,
                                     std::span<const std::uint8_t> stoData, int fixedA, int fixedB,
                                     std::string& errorText) = 0;
};

// Makes a converter for a ".sto" file of the given size; progress may be null.
using ConverterFactory =
    std::function<std::unique_ptr<ComtradeConverter>(std::size_t fileSize, ConversionProgress* progress)>;

// The shared library that carries the real converter, installed beside the program.
inline constexpr const char* kConverterPluginName = "libzarva-sto-converter.so";

// The function such a library exports (with C linkage) to make its converter.
using CreateConverterFunction = ComtradeConverter* (*)(std::size_t fileSize, ConversionProgress* progress);
inline constexpr const char* kCreateConverterSymbol = "ZarvaCreateComtradeConverter";

// The converter of the library in `folder`; an empty factory when it is not installed.
// A library that is there but cannot be loaded raises error 4606 with its path and the
// loader's reason.
ConverterFactory LoadConverterPlugin(const std::filesystem::path& folder);

} // namespace zarva
