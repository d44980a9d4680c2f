// Records written by others, found in their folder tree: station, recorder and start as another
// reader read them from the whole record.
#include "core/finder/RecordSearch.h"
#include "support/Json.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace zarva {
namespace {

using test::Json;
using test::Trimmed;

// That reader keeps microseconds; a year written with two digits it leaves as written.
std::string Comparable(std::string iso, bool shortYear)
{
    if (shortYear)
        iso.replace(0, 2, "00");
    const std::size_t dot = iso.find('.');
    const std::string fraction = dot == std::string::npos ? "" : iso.substr(dot + 1);
    return iso.substr(0, dot) + "." + (fraction + "000000").substr(0, 6);
}

TEST(FinderCorpus, RecordsAreListedAsAnotherReaderReadThem)
{
    const std::filesystem::path corpus = test::CorpusFolder();
    if (corpus.empty())
        GTEST_SKIP() << "the folder of real records is absent (set ZARVA_CORPUS)";
    std::map<std::filesystem::path, FoundRecord> found;
    LoadProgress progress;
    FindRecords({corpus, true, {}}, progress,
                [&](FoundRecord record) { found.emplace(record.path.lexically_relative(corpus), std::move(record)); });
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "expected")) {
        const Json expected = Json::Parse(test::FileBytes(entry.path()));
        SCOPED_TRACE(expected["record"].String());
        const auto record = found.find(expected["record"].String());
        ASSERT_NE(record, found.end());
        EXPECT_EQ(record->second.station, Trimmed(expected["station_name"].String()));
        EXPECT_EQ(record->second.recorder, Trimmed(expected["rec_dev_id"].String()));
        ++compared;
        if (expected["start_timestamp"].IsNull()) {
            EXPECT_FALSE(record->second.start);
            continue;
        }
        const std::string start = expected["start_timestamp"].String();
        ASSERT_TRUE(record->second.start);
        EXPECT_EQ(Comparable(IsoText(*record->second.start), start.starts_with("00")), Comparable(start, false));
    }
    EXPECT_GE(compared, 33);
}

} // namespace
} // namespace zarva
