#include "support/SavedRecord.h"

#include "core/formats/ZipWriter.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <fstream>
#include <map>

namespace zarva {
namespace {

// Every entry of the archive, by name.
std::map<std::string, std::string> Unpack(const std::filesystem::path& path)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    EXPECT_NE(archive, nullptr) << error;
    std::map<std::string, std::string> entries;
    for (zip_int64_t i = 0; archive != nullptr && i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string bytes(stat.size, '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        EXPECT_EQ(zip_fread(file, bytes.data(), stat.size), static_cast<zip_int64_t>(stat.size));
        zip_fclose(file);
        entries[stat.name] = bytes;
    }
    if (archive != nullptr)
        zip_close(archive);
    return entries;
}

TEST(ZipWriter, ArchiveHoldsTheRecordAsItIsNowNamedByTheArchive)
{
    const test::TempFolder folder;
    test::RecordBuilder builder;
    builder.FileType("BINARY").Analog({.id = "U", .unit = "kV", .a = 0.5}).Discrete({.id = "Trip"}).Ramp(50);
    folder.Write("rec.hdr", "header");
    auto document = test::ReadRecord(builder.Write(folder, "rec"));
    document->oscillogram.channels[0].aliasName = document->oscillogram.channels[0].name = "Bus";
    document->oscillogram.calcChannels.Add("Twice", "Bus * 2");

    SaveZip(*document, folder / "Подстанция.zip", {"ASCII"});
    const std::map<std::string, std::string> entries = Unpack(folder / "Подстанция.zip");
    ASSERT_EQ(entries.size(), 4u);
    const test::TempFolder unpacked;
    for (const auto& [name, bytes] : entries)
        unpacked.Write(name, bytes);
    EXPECT_EQ(entries.at("Подстанция.hdr"), "header");
    const auto copy = test::ReadRecord(unpacked / "Подстанция.cfg");
    test::ExpectSameRecord(document->oscillogram, copy->oscillogram);
    EXPECT_EQ(copy->oscillogram.fileType, "ASCII");
    EXPECT_EQ(copy->oscillogram.calcChannels.Names(), std::vector<std::string>{"Twice"});
}

} // namespace
} // namespace zarva
