#pragma once

#include "core/model/ZarvaException.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zarva {

// Error 330 for a text file broken at a place that can be named: its parameter says the file,
// the line, the field and what is wrong there, so that the user can mend the file.
class FormatError : public CZarvaException {
public:
    enum class Fault { NotANumber, BadValue, EndsEarly };

    // `line` and `field` count from 1; EndsEarly names no field.
    FormatError(Fault fault, std::string file, std::size_t line, std::size_t field = 0, std::string_view value = {});

    // The same fault, found in text that `file` holds after `linesBefore` lines of its own.
    FormatError Within(std::string file, std::size_t linesBefore) const;
    const std::string& File() const { return file_; }

private:
    Fault fault_;
    std::string file_;
    std::size_t line_;
    std::size_t field_;
    std::string value_;
};

// The number, from 1, of the line that holds `position`; CR LF, LF and a lone CR each end one.
std::size_t LineNumberAt(std::string_view text, std::size_t position);

} // namespace zarva
