#include "core/storage/XmlNode.h"

#include "core/storage/XmlText.h"
#include "core/storage/TextFile.h"

namespace zarva {
namespace {

constexpr std::string_view kUtf16 = "utf-16";
constexpr std::string_view kUtf8 = "utf-8";
constexpr std::string_view kLineEnd = "\r\n";

enum class EscapeOrder { AmpersandFirst, QuoteFirst };

std::string EscapeValue(std::string value, EscapeOrder order)
{
    if (order == EscapeOrder::QuoteFirst)
        value = ReplaceAll(std::move(value), "\"", "&quot;");
    value = ReplaceAll(std::move(value), "&", "&amp;");
    if (order == EscapeOrder::AmpersandFirst)
        value = ReplaceAll(std::move(value), "\"", "&quot;");
    value = ReplaceAll(std::move(value), "<", "&lt;");
    return ReplaceAll(std::move(value), ">", "&gt;");
}

void AppendElement(std::string& out, const XmlNode& node, const std::string& indent,
                   EscapeOrder order)
{
    out += indent;
    out += '<';
    out += WrittenName(node.name);
    for (const auto& [attributeName, value] : node.attributes) {
        out += ' ';
        out += WrittenName(attributeName);
        out += "=\"";
        out += EscapeValue(value, order);
        out += '"';
    }
    if (node.children.empty()) {
        out += "/>";
        out += kLineEnd;
        return;
    }
    out += '>';
    out += kLineEnd;
    const std::string childIndent = indent + '\t';
    for (const XmlNode& child : node.children)
        AppendElement(out, child, childIndent, order);
    out += indent;
    out += "</";
    out += WrittenName(node.name);
    out += '>';
    out += kLineEnd;
}

std::string Document(const XmlNode& root, EscapeOrder order, std::string_view encoding = kUtf16)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"";
    out += encoding;
    out += "\"?>";
    out += kLineEnd;
    AppendElement(out, root, {}, order);
    return out;
}

} // namespace

XmlNode& XmlNode::AddChild(std::string childName)
{
    return children.emplace_back(std::move(childName));
}

void XmlNode::SetAttribute(const std::string& attributeName, std::string value)
{
    attributes[attributeName] = std::move(value);
}

const std::string& XmlNode::GetAttribute(const std::string& attributeName) const
{
    static const std::string kAbsent;
    const auto found = attributes.find(attributeName);
    return found == attributes.end() ? kAbsent : found->second;
}

std::string XmlNode::FileBytes() const
{
    return "\xFF\xFE" + Utf8ToUtf16Le(Document(*this, EscapeOrder::AmpersandFirst));
}

std::string XmlNode::Utf8FileText() const
{
    return "\xEF\xBB\xBF" + Document(*this, EscapeOrder::AmpersandFirst, kUtf8);
}

void XmlNode::WriteFile(const std::filesystem::path& path) const
{
    ReplaceFile(path, FileBytes());
}

std::string XmlNode::ToText() const
{
    return Document(*this, EscapeOrder::QuoteFirst);
}

} // namespace zarva
