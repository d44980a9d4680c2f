#pragma once

#include "core/model/CodePage.h"

#include <filesystem>
#include <string>

namespace zarva {

class Channel;
class Document;
class Oscillogram;
class SettingsSection;

// Sections and keys of the record's settings file that more than one reader or writer uses.
inline constexpr const char* kOscillogramSection = "Oscillogram";
inline constexpr const char* kCommentsSection = "Comments";
inline constexpr const char* kCodePageKey = "Codepage";
inline constexpr const char* kViewSection = "View";

// The "Codepage" value of a page: 0 for OEM 866 as every version wrote it, the Windows
// code page number for the others (1251, 936 for GBK, 1252, 65001 for UTF-8). Older versions
// wrote 1 for ANSI and read every value but 0 as ANSI.
int CodePageSetting(CodePage page);

// The page the "Codepage" key of a section names for texts found to be in `found`; `found`
// when the key is absent or names no page.
CodePage StoredCodePage(const SettingsSection& section, CodePage found);

// Reads the record's settings file (".set", or the older ".ini" of the same name) into the
// document after its samples are read: the corrected sampling rate, the code page of the
// texts, each channel's display keys, the computed channels, the frequency reference, the
// fault-location line model, the cursors and the annotations. Sections this program does not read stay in the document's
// store and are written back unchanged. A missing file leaves every setting at its default.
// `skipComments` leaves the annotations out.
void ReadSettings(Document& document, const std::filesystem::path& path, bool skipComments);

// The code page chosen in the record's settings file, applied to its texts as ReadSettings
// applies it, the rest of the file left unread. Raises as ReadSettings for a broken file.
void ApplySettingsCodePage(Oscillogram& record, const std::filesystem::path& path);

// Puts the document's own keys (the frequency reference among them), its computed channels,
// its line model, its cursors and its annotations into its settings store.
void StoreSettings(Document& document);

// StoreSettings, then the store written safely over `path`.
void WriteSettings(Document& document, const std::filesystem::path& path);

// Reads a channel's display keys, ratios, alias, colour and line-frequency series from its
// section, the channel's own values being the defaults.
void ReadChannelSettings(Channel& channel, const SettingsSection& section);

} // namespace zarva
