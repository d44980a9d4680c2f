#include "core/formats/FormatError.h"

#include "core/formats/LoadWarnings.h"

#include <algorithm>

namespace zarva {
namespace {

constexpr int kNotANumberAt = 4012;
constexpr int kBadValueAt = 4013;
constexpr int kEndsEarlyAt = 4014;
// A broken field may run to the end of a line of binary bytes; the message shows its start.
constexpr std::size_t kShownValue = 40;

std::string Shown(std::string_view value)
{
    std::string shown(value.substr(0, kShownValue));
    std::replace_if(shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return shown;
}

std::string Where(FormatError::Fault fault, const std::string& file, std::size_t line, std::size_t field,
                  const std::string& value)
{
    switch (fault) {
    case FormatError::Fault::NotANumber: return FormatText(kNotANumberAt, {file, line, field, value});
    case FormatError::Fault::BadValue: return FormatText(kBadValueAt, {file, line, field, value});
    case FormatError::Fault::EndsEarly: break;
    }
    return FormatText(kEndsEarlyAt, {file, line});
}

} // namespace

FormatError::FormatError(Fault fault, std::string file, std::size_t line, std::size_t field, std::string_view value)
    : CZarvaException(messages::kBadFileFormat, Where(fault, file, line, field, Shown(value))), fault_(fault),
      file_(std::move(file)), line_(line), field_(field), value_(Shown(value))
{
}

FormatError FormatError::Within(std::string file, std::size_t linesBefore) const
{
    return FormatError(fault_, std::move(file), line_ + linesBefore, field_, value_);
}

std::size_t LineNumberAt(std::string_view text, std::size_t position)
{
    position = std::min(position, text.size());
    std::size_t line = 1;
    for (std::size_t i = 0; i < position; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
}

} // namespace zarva
