#pragma once

#include "core/storage/SettingsSection.h"
#include "core/storage/XmlNode.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace zarva {

// Named settings sections, saved as the system's XML settings file and read back from it
// or from older ini text.
class SettingsStore {
public:
    // Created empty when absent.
    SettingsSection& Section(const std::string& name);
    // Null when absent.
    const SettingsSection* Find(const std::string& name) const;
    const std::map<std::string, SettingsSection>& Sections() const { return sections_; }

    // Writes the store over the file safely: on failure the previous file stays whole and
    // FileException is raised, so the caller can tell the user the settings were not saved.
    void Save(const std::filesystem::path& path) const;
    // The bytes Save writes.
    std::string FileBytes() const;
    // The same XML in UTF-8 after its byte-order mark, for carriers of 8-bit text; Load reads
    // it back from a file.
    std::string Utf8Text() const;

    // Reads a file written by Save, or ini text. A file that cannot be opened raises
    // FileException; an empty one leaves the store as it was.
    void Load(const std::filesystem::path& path);

    // Settings XML with at least one attribute or child on its root replaces the whole
    // store. Any other text, XML or not, is read as ini text: "[name]" lines select a
    // section, "key=value" lines after one set its values, other lines are ignored; keys
    // and values keep their blanks, and an empty value sets nothing.
    void LoadText(std::string_view text);

    bool operator==(const SettingsStore&) const = default;

private:
    XmlNode ToXml() const;
    void LoadIniText(std::string_view text);

    std::map<std::string, SettingsSection> sections_;
};

} // namespace zarva
