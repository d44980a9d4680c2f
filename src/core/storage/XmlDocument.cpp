#include "core/storage/XmlDocument.h"

#include "core/storage/TextFile.h"
#include "core/storage/XmlText.h"

namespace zarva {
namespace {

constexpr int kMaxDepth = 1000;

enum class Token { End, Open, Close, Slash, Equals, Name };
enum class TagKind { OpenElement, EmptyElement, EndTag, EndOfInput };

struct Tag {
    TagKind kind = TagKind::EndOfInput;
    std::string name;
    std::map<std::string, std::string> attributes;
};

[[noreturn]] void FormatError()
{
    throw CZarvaException(messages::kBadXmlFormat);
}

// Entities are decoded one kind after another over the whole value, so "&amp;lt;" comes out
// as "<": files and clipboard texts written so far rely on that order.
std::string DecodeValue(std::string value)
{
    value = ReplaceAll(std::move(value), "&amp;", "&");
    value = ReplaceAll(std::move(value), "&quot;", "\"");
    value = ReplaceAll(std::move(value), "&lt;", "<");
    return ReplaceAll(std::move(value), "&gt;", ">");
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    void ParseDocument(XmlNode& root)
    {
        Tag first = ReadTag();
        if (first.kind == TagKind::EndOfInput)
            return;
        if (first.kind == TagKind::EndTag)
            FormatError();
        BuildElement(root, std::move(first), 0);
    }

private:
    // Blanks, processing instructions and comments, in any mix; an unterminated one runs to
    // the end of the text.
    void SkipIgnorable()
    {
        do {
            pos_ = std::min(text_.find_first_not_of(" \t\r\n", pos_), text_.size());
        } while (SkipPast("<?", "?>") || SkipPast("<!--", "-->"));
    }

    bool SkipPast(std::string_view opening, std::string_view closing)
    {
        if (text_.substr(pos_, opening.size()) != opening)
            return false;
        const std::size_t end = text_.find(closing, pos_ + opening.size());
        pos_ = end == std::string_view::npos ? text_.size() : end + closing.size();
        return true;
    }

    Token NextToken()
    {
        SkipIgnorable();
        if (pos_ == text_.size())
            return Token::End;
        switch (text_[pos_]) {
        case '<': ++pos_; return Token::Open;
        case '>': ++pos_; return Token::Close;
        case '/': ++pos_; return Token::Slash;
        case '=': ++pos_; return Token::Equals;
        case '"': {
            const std::size_t end = std::min(text_.find('"', pos_ + 1), text_.size());
            name_ = text_.substr(pos_ + 1, end - pos_ - 1);
            pos_ = std::min(end + 1, text_.size());
            return Token::Name;
        }
        default: break;
        }
        const std::size_t length = NameRunLength(text_, pos_);
        if (length == 0)
            FormatError();
        name_ = text_.substr(pos_, length);
        pos_ += length;
        return Token::Name;
    }

    void Expect(Token expected)
    {
        if (NextToken() != expected)
            FormatError();
    }

    std::string ExpectName()
    {
        Expect(Token::Name);
        return std::move(name_);
    }

    Tag ReadTag()
    {
        Tag tag;
        Token token = NextToken();
        if (token == Token::End)
            return tag;
        if (token != Token::Open)
            FormatError();
        token = NextToken();
        if (token == Token::Slash) {
            tag.kind = TagKind::EndTag;
            tag.name = ExpectName();
            Expect(Token::Close);
            return tag;
        }
        if (token != Token::Name)
            FormatError();
        tag.name = std::move(name_);
        for (token = NextToken(); token == Token::Name; token = NextToken()) {
            std::string attributeName = std::move(name_);
            Expect(Token::Equals);
            tag.attributes.insert_or_assign(std::move(attributeName), DecodeValue(ExpectName()));
        }
        if (token == Token::Close) {
            tag.kind = TagKind::OpenElement;
            return tag;
        }
        if (token != Token::Slash)
            FormatError();
        Expect(Token::Close);
        tag.kind = TagKind::EmptyElement;
        return tag;
    }

    void BuildElement(XmlNode& node, Tag tag, int depth)
    {
        node.name = std::move(tag.name);
        node.attributes = std::move(tag.attributes);
        if (tag.kind != TagKind::OpenElement)
            return;
        if (depth >= kMaxDepth)
            FormatError();
        for (;;) {
            Tag next = ReadTag();
            if (next.kind == TagKind::EndOfInput)
                FormatError();
            if (next.kind == TagKind::EndTag) {
                if (next.name != node.name)
                    FormatError();
                return;
            }
            BuildElement(node.AddChild({}), std::move(next), depth + 1);
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string name_;  // text of the last NAME token
};

} // namespace

void XmlDocument::LoadFile(const std::filesystem::path& path)
{
    root = XmlNode{};
    const std::string text = ReadStoredText(path);
    Parser(text).ParseDocument(root);
}

bool XmlDocument::LoadText(std::string_view text, const ErrorReporter& reportError)
{
    root = XmlNode{};
    try {
        Parser(text).ParseDocument(root);
        return true;
    } catch (const CZarvaException& error) {
        if (reportError)
            reportError(error);
        return false;
    }
}

} // namespace zarva
