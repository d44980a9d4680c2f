#include "support/Json.h"

#include <charconv>
#include <stdexcept>

namespace zarva::test {

struct Json::Parser {
    std::string_view text;
    std::size_t at = 0;

    [[noreturn]] void Fail() const { throw std::runtime_error("bad JSON at " + std::to_string(at)); }

    char Peek()
    {
        while (at < text.size() && std::string_view(" \t\r\n").find(text[at]) != std::string_view::npos)
            ++at;
        return at < text.size() ? text[at] : '\0';
    }

    void Expect(char c)
    {
        if (Peek() != c)
            Fail();
        ++at;
    }

    static void AppendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::string ReadString()
    {
        Expect('"');
        std::string out;
        while (at < text.size() && text[at] != '"') {
            if (text[at] != '\\') {
                out += text[at++];
                continue;
            }
            const char escaped = text[++at];
            ++at;
            switch (escaped) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                unsigned code = 0;
                std::from_chars(text.data() + at, text.data() + at + 4, code, 16);
                at += 4;
                AppendUtf8(out, code);
                break;
            }
            default: out += escaped;
            }
        }
        Expect('"');
        return out;
    }

    Json ReadValue()
    {
        Json json;
        const char c = Peek();
        if (c == '{') {
            ++at;
            Object object;
            while (Peek() != '}') {
                std::string key = ReadString();
                Expect(':');
                object.emplace(std::move(key), ReadValue());
                if (Peek() == ',')
                    ++at;
            }
            ++at;
            json.value_ = std::move(object);
        } else if (c == '[') {
            ++at;
            Array array;
            while (Peek() != ']') {
                array.push_back(ReadValue());
                if (Peek() == ',')
                    ++at;
            }
            ++at;
            json.value_ = std::move(array);
        } else if (c == '"') {
            json.value_ = ReadString();
        } else if (text.substr(at, 4) == "null") {
            at += 4;
        } else if (text.substr(at, 4) == "true" || text.substr(at, 5) == "false") {
            json.value_ = text[at] == 't';
            at += text[at] == 't' ? 4 : 5;
        } else {
            double number = 0.0;
            const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), number);
            if (error != std::errc())
                Fail();
            at = static_cast<std::size_t>(end - text.data());
            json.value_ = number;
        }
        return json;
    }
};

Json Json::Parse(std::string_view text)
{
    Parser parser{text};
    return parser.ReadValue();
}

const Json& Json::operator[](const std::string& key) const
{
    static const Json null;
    const Object& object = std::get<Object>(value_);
    const auto found = object.find(key);
    return found == object.end() ? null : found->second;
}

} // namespace zarva::test
