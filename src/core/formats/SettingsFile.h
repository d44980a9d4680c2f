#pragma once

#include <filesystem>

namespace zarva {

class Document;

// Sections and keys of the record's settings file that more than one reader or writer uses.
inline constexpr const char* kOscillogramSection = "Oscillogram";
inline constexpr const char* kCommentsSection = "Comments";
inline constexpr const char* kCodePageKey = "Codepage";  // 1 ANSI, 0 OEM
inline constexpr const char* kViewSection = "View";

// Reads the record's settings file (".set", or the older ".ini" of the same name) into the
// document after its samples are read: the corrected sampling rate, the code page of the
// texts, each channel's display keys, the computed channels, the fault-location line model and
// the cursors. Sections this program does not read stay in the document's store and are written back unchanged. A missing file
// leaves every setting at its default. `skipComments` leaves the annotations out.
void ReadSettings(Document& document, const std::filesystem::path& path, bool skipComments);

// Puts the document's own keys, its computed channels, its line model and its cursors into its
// settings store.
void StoreSettings(Document& document);

// StoreSettings, then the store written safely over `path`.
void WriteSettings(Document& document, const std::filesystem::path& path);

} // namespace zarva
