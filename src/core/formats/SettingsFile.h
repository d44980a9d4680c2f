#pragma once

#include <filesystem>

namespace zarva {

class Document;

// Reads the record's settings file (".set", or the older ".ini" of the same name) into the
// document after its samples are read. `skipComments` leaves the annotations out.
void ReadSettings(Document& document, const std::filesystem::path& path, bool skipComments);

} // namespace zarva
