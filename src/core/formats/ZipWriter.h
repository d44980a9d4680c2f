#pragma once

#include "core/formats/ComtradeWriter.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zarva {

class Document;

struct ZipEntry {
    std::string name;  // UTF-8
    std::string bytes;
};

// The entries packed into one ".zip" archive, compressed.
std::string PackZip(const std::vector<ZipEntry>& entries);

// Packs the record into a ".zip" archive: its configuration and data, its header and
// information file when it has them, and its settings, all written fresh from the record
// (so a change not yet saved is included) and named by the archive's own name. The archive
// replaces `path` only once complete.
void SaveZip(Document& document, const std::filesystem::path& path, const SaveOptions& options = {});

} // namespace zarva
