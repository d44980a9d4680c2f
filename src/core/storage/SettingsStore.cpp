#include "core/storage/SettingsStore.h"

#include "core/model/ZarvaException.h"
#include "core/storage/TextFile.h"
#include "core/storage/XmlDocument.h"

namespace zarva {
namespace {

const std::string kNameKey = "name";

void WriteCategory(XmlNode& node, const std::string& name, const SettingsSection& section)
{
    node.SetAttribute(kNameKey, name);
    for (const auto& [key, value] : section.Values())
        node.SetAttribute(key, value);
    for (const auto& [subName, sub] : section.SubSections())
        WriteCategory(node.AddChild("category"), subName, sub);
}

// Every attribute, "name" included, becomes a value; child elements select sub-sections by
// their "name".
void ReadCategory(SettingsSection& section, const XmlNode& node)
{
    for (const auto& [key, value] : node.attributes)
        section.SetString(key, value);
    for (const XmlNode& child : node.children)
        ReadCategory(section.SubSection(child.GetAttribute(kNameKey)), child);
}

std::string_view WithoutLineEnd(std::string_view line)
{
    return line.substr(0, std::min(line.find_first_of("\r\n"), line.size()));
}

} // namespace

SettingsSection& SettingsStore::Section(const std::string& name)
{
    return sections_[name];
}

const SettingsSection* SettingsStore::Find(const std::string& name) const
{
    const auto found = sections_.find(name);
    return found == sections_.end() ? nullptr : &found->second;
}

XmlNode SettingsStore::ToXml() const
{
    XmlNode root("settings");
    for (const auto& [name, section] : sections_)
        WriteCategory(root.AddChild("category"), name, section);
    return root;
}

void SettingsStore::Save(const std::filesystem::path& path) const
{
    ToXml().WriteFile(path);
}

std::string SettingsStore::FileBytes() const
{
    return ToXml().FileBytes();
}

std::string SettingsStore::Utf8Text() const
{
    return ToXml().Utf8FileText();
}

void SettingsStore::Load(const std::filesystem::path& path)
{
    std::string text;
    try {
        text = ReadStoredText(path);
    } catch (const CZarvaException&) {
        return;
    }
    LoadText(text);
}

void SettingsStore::LoadText(std::string_view text)
{
    XmlDocument document;
    const XmlNode& root = document.root;
    if (!document.LoadText(text) || (root.attributes.empty() && root.children.empty())) {
        LoadIniText(text);
        return;
    }
    sections_.clear();
    for (const XmlNode& child : root.children)
        ReadCategory(Section(child.GetAttribute(kNameKey)), child);
}

void SettingsStore::LoadIniText(std::string_view text)
{
    SettingsSection* current = nullptr;
    while (!text.empty()) {
        const std::size_t lineEnd = std::min(text.find('\n'), text.size());
        const std::string_view line = WithoutLineEnd(text.substr(0, lineEnd));
        text.remove_prefix(std::min(lineEnd + 1, text.size()));
        if (line.starts_with('[')) {
            const std::string_view name = line.substr(1, line.find(']') - 1);
            current = name.empty() ? nullptr : &Section(std::string(name));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current == nullptr || equals == 0 || equals == std::string_view::npos ||
            equals + 1 == line.size())
            continue;
        current->SetString(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
    }
}

} // namespace zarva
