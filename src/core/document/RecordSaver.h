#pragma once

#include <filesystem>
#include <string_view>

namespace zarva {

class Document;

// Whether the record can be written under `path` yet: every kind needs its writer.
bool CanSave(std::string_view path);

// Writes the record by the extension of `path`: ".cfg", ".osc", ".zip" or ".cff". A record
// read from ".osc" and saved under another ".osc" name gets the bytes it was read from,
// unchanged, then its settings file beside them.
void SaveRecord(Document& document, const std::filesystem::path& path);

} // namespace zarva
