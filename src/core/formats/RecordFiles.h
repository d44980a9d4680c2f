#pragma once

#include <string>
#include <vector>

namespace zarva {

class Document;

// A file that goes beside a record's configuration, named by the record's base path and
// its extension.
struct CompanionFile {
    std::string extension;  // ".hdr", ".inf", ".set"
    std::string bytes;
};

// The header when the record has one, the information file a single-file record carried,
// and the settings file, the document's own keys stored into it first.
std::vector<CompanionFile> CompanionFiles(Document& document);

} // namespace zarva
