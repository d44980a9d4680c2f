#pragma once

#include "core/formats/ComtradeWriter.h"

#include <filesystem>
#include <string_view>

namespace zarva {

class Document;

// Whether a record can be written under `path`: ".cfg", ".osc", ".zip" or ".cff".
bool CanSave(std::string_view path);

// Writes the record by the extension of `path`: ".cfg", ".osc", ".zip" or ".cff", the COMTRADE
// forms in the data form `options` names. A record read from ".osc" and saved under another
// ".osc" name gets the bytes it was read from, unchanged, then its settings file beside them.
// Any other kind raises error 4607. Saved as ".cfg" or ".cff", the record is that file from
// then on: its sourcePath names it and its file type is the form written.
void SaveRecord(Document& document, const std::filesystem::path& path, const SaveOptions& options = {});

} // namespace zarva
