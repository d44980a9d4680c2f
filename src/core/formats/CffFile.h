#pragma once

#include "core/formats/ComtradeReader.h"
#include "core/formats/ComtradeWriter.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zarva {

class Document;

// One section of a single-file record, a view into its bytes.
struct CffSection {
    std::string name;  // upper case: "CFG", "INF", "HDR", "SET", "DAT", ...
    std::string_view bytes;
};

// Splits a single-file record into its sections, in file order. A section starts on the line
// after its marker, a line that begins with "-" and names the section after "file type"; a
// text section ends before the line break that precedes the next marker. A data section
// whose marker gives a byte count holds exactly that many bytes, else it runs like a text
// section. Raises error 330 with `path` when there is no configuration or data section, or
// when the data section announces more bytes than the file holds.
std::vector<CffSection> SplitCff(std::string_view bytes, const std::string& path);

// Reads a single-file record: its sections are written into a temporary folder as ordinary
// COMTRADE files, read from there by ReadComtrade, and the folder is removed. The record's
// sourcePath is the single file; sections besides the configuration, data, header and
// settings are kept in the record's fileSections. The settings section is read; without one,
// a settings file beside the record is. Errors name the single file, and lines counted in it.
void ReadCff(Document& document, const std::filesystem::path& path, const ReadOptions& options = {});

// Writes the record as one file of revision 2013 or later (error 187, nothing written, for an
// earlier one unless `options` raise it to 2013): the configuration, the sections it carries,
// its header, its settings, then the data in the form the configuration names. The settings
// file beside it is written too, for programs that look only there; both are replaced only
// once complete.
void SaveCff(Document& document, const std::filesystem::path& path, const SaveOptions& options = {});

} // namespace zarva
