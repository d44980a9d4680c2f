#pragma once

#include "core/formats/ComtradeReader.h"

#include <filesystem>
#include <functional>

namespace zarva {

class Document;

// A reader fills the document's Oscillogram from one file, raising CZarvaException or
// FileException on failure; it returns early when the document's cancel flag is set.
using RecordReader = std::function<void(Document&, const std::filesystem::path&, const ReadOptions&)>;

struct RecordReaders {
    RecordReader comtrade;    // ".cfg"
    RecordReader singleFile;  // ".cff"
    RecordReader osc;         // ".osc"
};

const RecordReaders& StandardReaders();

// Reads the record at `loadPath` with the reader its extension names. Afterwards the
// document's temporary folder (of a converted ".sto") is deleted, unless the record is a
// ".cff", whose folder stays for saving it again. Errors are raised to the caller; a computed
// channel that cannot be computed is a load warning, not an error.
void LoadRecord(Document& document, const std::filesystem::path& loadPath, const ReadOptions& options,
                const RecordReaders& readers = StandardReaders());

} // namespace zarva
