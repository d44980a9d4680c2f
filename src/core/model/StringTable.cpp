#include "core/model/StringTable.h"

#include "core/model/StringTableRu.h"

#include <charconv>
#include <fstream>
#include <unordered_map>

namespace zarva {
namespace {

using Table = std::unordered_map<int, std::string>;

Table BuildRussianTable()
{
    Table table;
    for (const StringEntry& entry : RussianStrings())
        table.emplace(entry.id, entry.text);
    return table;
}

const Table& RussianTable()
{
    static const Table table = BuildRussianTable();
    return table;
}

struct Language {
    Table english;
    bool englishInUse = false;
};

Language& CurrentLanguage()
{
    static Language language;
    return language;
}

} // namespace

const std::string& Text(int id)
{
    static const std::string empty;
    const Language& language = CurrentLanguage();
    const Table& table = language.englishInUse ? language.english : RussianTable();
    const auto found = table.find(id);
    return found == table.end() ? empty : found->second;
}

bool UseEnglishTable(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    Table table;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        int id = 0;
        const char* end = line.data() + line.size();
        const auto [next, error] = std::from_chars(line.data(), end, id);
        if (error != std::errc() || next == end || *next != '\t')
            continue;
        table[id] = UnescapeTableText(std::string(next + 1, end));
    }
    Language& language = CurrentLanguage();
    language.english = std::move(table);
    language.englishInUse = true;
    return true;
}

void UseRussianTable()
{
    CurrentLanguage().englishInUse = false;
}

bool EnglishInterface()
{
    return CurrentLanguage().englishInUse;
}

std::string EscapeTableText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

std::string UnescapeTableText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        default: out += text[i];
        }
    }
    return out;
}

} // namespace zarva
