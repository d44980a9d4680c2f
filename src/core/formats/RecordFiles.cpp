#include "core/formats/RecordFiles.h"

#include "core/document/Document.h"
#include "core/formats/SettingsFile.h"

namespace zarva {

std::vector<CompanionFile> CompanionFiles(Document& document)
{
    const Oscillogram& record = document.oscillogram;
    std::vector<CompanionFile> files;
    if (!record.headerText.empty())
        files.push_back({".hdr", record.headerText});
    for (const RecordSection& section : record.fileSections) {
        if (section.name == "INF")
            files.push_back({".inf", section.text});
    }
    StoreSettings(document);
    files.push_back({".set", document.settings.FileBytes()});
    return files;
}

} // namespace zarva
