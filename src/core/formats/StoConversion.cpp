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

std::filesystem::path Convert(const std::filesystem::path& path, const StoConversionSetup& setup,
                              std::filesystem::path* tempFolderOut)
{
    const bool interactive = tempFolderOut != nullptr;
    // A name already ending in ".sto" in another case is kept: file names here are
    // case-sensitive.
    const std::filesystem::path stoPath =
        LastFourLower(path.string()) == ".sto" ? path : std::filesystem::path(path).replace_extension(".sto");
    std::filesystem::path dstPath = interactive ? std::filesystem::path(setup.commandLineDst) : std::filesystem::path();

    if (!setup.makeConverter)
        throw CZarvaException(messages::kConverterMissing, stoPath.string());
    std::ifstream sto(stoPath, std::ios::binary);
    if (!sto)
        throw ReadError(stoPath);
    std::error_code error;
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(stoPath, error));
    const std::unique_ptr<ComtradeConverter> converter =
        setup.makeConverter(size, interactive ? setup.progress : nullptr);

    if (dstPath.empty()) {
        DescriptionId id;
        if (!converter->GetInfoFromStoHeader(sto, id.type, id.version))
            throw ReadError(stoPath);
        dstPath = FindDescription(*converter, id, stoPath, setup.dstFolder);
        if (dstPath.empty()) {
            if (!interactive || !setup.chooseDst)
                return {};
            dstPath = setup.chooseDst();
            if (dstPath.empty())
                return {};
            if (!converter->CheckDstCompatibility(id.type, id.version, dstPath))
                throw CZarvaException(kDescriptionNotMatching);
        }
    }

    sto.clear();
    sto.seekg(0);
    std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(sto), std::istreambuf_iterator<char>()};
    sto.close();

    if (!converter->ReadFromXml(dstPath))
        throw ReadError(dstPath);
    const std::filesystem::path outFolder = NewTemporaryFolder();
    if (outFolder.empty())
        throw CZarvaException(messages::kNoTemporaryFolder);
    if (interactive)
        *tempFolderOut = outFolder;
    const std::string name = path.stem().string();
    std::string errorText;
    bool converted = false;
    try {
        converted = converter->ConvertSto2Comtrade(outFolder, name, data, 24, 2, errorText);
    } catch (const std::exception& failure) {
        errorText = failure.what();
    }
    data = {};
    if (!converted) {
        if (!interactive)
            DeleteTemporaryFolder(outFolder);
        throw CZarvaException(messages::kConversionFailed, errorText);
    }
    return outFolder / (name + ".cfg");
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
