#include "cli/CliSupport.h"

#include "core/document/Document.h"
#include "core/document/FileDispatch.h"
#include "core/document/RecordLoader.h"
#include "core/document/RecordSaver.h"
#include "core/formats/LoadWarnings.h"
#include "core/model/CodePage.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zarva::cli {
namespace {

constexpr int kUnknownOption = 4022;
constexpr int kBadOptionValue = 4023;

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

Arguments Arguments::Parse(const std::vector<std::string>& words, const std::vector<std::string>& valued,
                           const std::vector<std::string>& allowedFlags)
{
    Arguments arguments;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!word.starts_with("--")) {
            arguments.positional.push_back(word);
        } else if (Contains(valued, word)) {
            if (i + 1 == words.size())
                throw CliError(FormatText(kBadOptionValue, {word, std::string()}));
            arguments.options[word] = words[++i];
            arguments.givenOptions.emplace_back(word, words[i]);
        } else if (Contains(allowedFlags, word)) {
            arguments.flags.push_back(word);
        } else {
            throw CliError(FormatText(kUnknownOption, {word}));
        }
    }
    return arguments;
}

bool Arguments::Has(const std::string& flag) const
{
    return Contains(flags, flag);
}

const std::string* Arguments::Option(const std::string& name) const
{
    const auto found = options.find(name);
    return found == options.end() ? nullptr : &found->second;
}

std::vector<std::string> Arguments::Values(const std::string& name) const
{
    std::vector<std::string> values;
    for (const auto& [option, value] : givenOptions) {
        if (option == name)
            values.push_back(value);
    }
    return values;
}

void OpenRecord(Document& document, const std::filesystem::path& path, std::ostream* warnings, bool inPlace)
{
    ReadOptions options;
    options.surveyCurves = false;
    options.mapSamples = inPlace;
    LoadRecord(document, RecordPathFor(path.string()), options);
    if (warnings == nullptr)
        return;
    for (const std::string& warning : document.oscillogram.loadWarnings)
        *warnings << warning << "\n";
}

void SaveRecordAs(Document& document, const std::filesystem::path& path, const std::string* type)
{
    SaveOptions options;
    options.raiseTo2013 = true;
    if (type != nullptr) {
        const std::optional<DataFormat> format = DataFormatOf(*type);
        if (!format)
            throw CliError(FormatText(kBadOptionValue, {std::string("--type"), *type}));
        options.fileType = FileTypeText(*format);
    }
    SaveRecord(document, path, options);
}

std::string FormatNumber(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    char text[40];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17);
    return std::string(text, result.ptr);
}

std::string JsonNumber(double value)
{
    return std::isfinite(value) ? FormatNumber(value) : "null";
}

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i, nullptr);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        const char c = text[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out + "\"";
}

std::size_t ParseCount(const std::string& option, const std::string& text)
{
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw CliError(FormatText(kBadOptionValue, {option, text}));
    return value;
}

} // namespace zarva::cli
