#include "core/formats/StoConversion.h"

#include "core/document/FileDispatch.h"
#include "core/document/TemporaryFolder.h"
#include "core/formats/LoadWarnings.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace zarva {
namespace {

constexpr int kDescriptionNotMatching = 135;

CZarvaException ReadError(const std::filesystem::path& path)
{
    return CZarvaException::Composed(messages::kFileReadError, FormatText(messages::kFileReadError, {path.string()}));
}

struct DescriptionId {
    std::uint16_t type = 0;
    std::uint32_t version = 0;
};

// The ".dst" files of a folder in name order, so that the choice does not depend on the
// order the file system lists them in.
std::vector<std::filesystem::path> DescriptionFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error) && LastFourLower(it->path().string()) == ".dst")
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::filesystem::path FindDescription(ComtradeConverter& converter, const DescriptionId& id,
                                      const std::filesystem::path& stoPath,
                                      const std::filesystem::path& dstFolder)
{
    std::vector<std::filesystem::path> folders{stoPath.has_parent_path() ? stoPath.parent_path() : "."};
    if (!dstFolder.empty())
        folders.push_back(dstFolder);
    for (const std::filesystem::path& folder : folders) {
        for (const std::filesystem::path& dst : DescriptionFiles(folder)) {
            if (converter.CheckDstCompatibility(id.type, id.version, dst))
                return dst;
        }
    }
    return {};
}

// The description the command line names for an interactive open, else the first one that
// fits beside the record or in the description folder, else the one the user picks. Empty
// when there is none: the conversion is given up without an error.
std::filesystem::path ChooseDescription(ComtradeConverter& converter, std::istream& sto,
                                        const std::filesystem::path& stoPath, const StoConversionSetup& setup,
                                        bool interactive)
{
    if (interactive && !setup.commandLineDst.empty())
        return setup.commandLineDst;
    DescriptionId id;
    if (!converter.GetInfoFromStoHeader(sto, id.type, id.version))
        throw ReadError(stoPath);
    std::filesystem::path dstPath = FindDescription(converter, id, stoPath, setup.dstFolder);
    if (!dstPath.empty() || !interactive || !setup.chooseDst)
        return dstPath;
    dstPath = setup.chooseDst();
    if (!dstPath.empty() && !converter.CheckDstCompatibility(id.type, id.version, dstPath))
        throw CZarvaException(kDescriptionNotMatching);
    return dstPath;
}

// Converts the record's bytes into a new temporary folder and returns the configuration
// written there. The folder of an interactive conversion is handed out at once, so that it is
// deleted with the document's even when the conversion fails.
std::filesystem::path ConvertInto(ComtradeConverter& converter, const std::string& name,
                                  std::vector<std::uint8_t>& data, const std::filesystem::path& dstPath,
                                  std::filesystem::path* tempFolderOut)
{
    if (!converter.ReadFromXml(dstPath))
        throw ReadError(dstPath);
    const std::filesystem::path outFolder = NewTemporaryFolder();
    if (outFolder.empty())
        throw CZarvaException(messages::kNoTemporaryFolder);
    if (tempFolderOut != nullptr)
        *tempFolderOut = outFolder;
    std::string errorText;
    bool converted = false;
    try {
        converted = converter.ConvertSto2Comtrade(outFolder, name, data, 24, 2, errorText);
    } catch (const std::exception& failure) {
        errorText = failure.what();
    }
    data = {};
    if (!converted) {
        if (tempFolderOut == nullptr)
            DeleteTemporaryFolder(outFolder);
        throw CZarvaException(messages::kConversionFailed, errorText);
    }
    return outFolder / (name + ".cfg");
}

std::filesystem::path Convert(const std::filesystem::path& path, const StoConversionSetup& setup,
                              std::filesystem::path* tempFolderOut)
{
    const bool interactive = tempFolderOut != nullptr;
    // A name already ending in ".sto" in another case is kept: file names here are
    // case-sensitive.
    const std::filesystem::path stoPath =
        LastFourLower(path.string()) == ".sto" ? path : std::filesystem::path(path).replace_extension(".sto");
    if (!setup.makeConverter)
        throw CZarvaException(messages::kConverterMissing, stoPath.string());
    std::ifstream sto(stoPath, std::ios::binary);
    if (!sto)
        throw ReadError(stoPath);
    std::error_code error;
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(stoPath, error));
    const std::unique_ptr<ComtradeConverter> converter =
        setup.makeConverter(size, interactive ? setup.progress : nullptr);

    const std::filesystem::path dstPath = ChooseDescription(*converter, sto, stoPath, setup, interactive);
    if (dstPath.empty())
        return {};
    sto.clear();
    sto.seekg(0);
    std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(sto), std::istreambuf_iterator<char>()};
    sto.close();
    return ConvertInto(*converter, path.stem().string(), data, dstPath, tempFolderOut);
}

} // namespace

std::filesystem::path ConvertSto(const std::filesystem::path& path, const StoConversionSetup& setup,
                                 std::filesystem::path* tempFolderOut)
{
    if (tempFolderOut != nullptr)
        return Convert(path, setup, tempFolderOut);
    try {
        return Convert(path, setup, nullptr);
    } catch (const CZarvaException&) {
        return {};
    }
}

} // namespace zarva
