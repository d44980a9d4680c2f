#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zarva {

// An element of the system's own XML dialect: a name, attributes and child elements, no
// text content. Attributes are kept, and written, in ordinal order of their names.
class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(std::string nodeName) : name(std::move(nodeName)) {}

    // The reference is valid until the next AddChild on this node.
    XmlNode& AddChild(std::string childName);

    void SetAttribute(const std::string& attributeName, std::string value);
    // Empty when absent.
    const std::string& GetAttribute(const std::string& attributeName) const;

    // The whole document as the system's files hold it: UTF-16LE with a byte-order mark and
    // CR LF line ends.
    std::string FileBytes() const;
    // The same document in UTF-8 with its byte-order mark, for carriers of 8-bit text.
    std::string Utf8FileText() const;
    // FileBytes written safely over the file. Raises FileException on failure.
    void WriteFile(const std::filesystem::path& path) const;

    // The whole document as text for the clipboard, in UTF-8 (the clipboard layer carries it
    // on as UTF-16). Double quotes in values are escaped before ampersands, so they come out
    // as "&amp;quot;", which the reader's ordered decoding still turns back into a quote.
    std::string ToText() const;

    std::string name;
    std::map<std::string, std::string> attributes;
    std::vector<XmlNode> children;
};

} // namespace zarva
