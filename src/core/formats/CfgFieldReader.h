#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zarva {

// Reads configuration and ASCII data text field by field. Fields are views into the text
// (usually a MappedFile), so nothing is copied; a field that reaches the end of the text
// simply ends there.
class CfgFieldReader {
public:
    explicit CfgFieldReader(std::string_view text) : text_(text) {}

    // Advances over tab, LF, CR and space.
    void SkipBlank();
    // SkipBlank, then everything up to the next CR or LF, which is passed over.
    std::string_view ReadLine();
    // SkipBlank, then everything up to the next tab, LF, CR or comma, which is passed over.
    // Blanks inside and at the end of the field are kept.
    std::string_view ReadField();
    // The leading integer of the next field (see LeadingInt).
    std::int32_t ReadInt();

    bool AtEnd() const { return position_ >= text_.size(); }
    std::size_t Position() const { return position_; }

private:
    // SkipBlank, then everything up to the first character `stop` accepts, which is passed over.
    std::string_view TakeUntil(bool (*stop)(char));

    std::string_view text_;
    std::size_t position_ = 0;
};

// Decimal digits after leading blanks, every '-' among them toggling the sign; the first other
// character ends the number. Out-of-range values saturate instead of wrapping.
std::int32_t LeadingInt(std::string_view field);

// The number at the start of the field after leading blanks, read with a decimal point
// whatever the locale; none when the field does not start with a number.
std::optional<double> LeadingNumber(std::string_view field);
// LeadingNumber, 0.0 when there is none.
double ToNumber(std::string_view field);

// The field without blanks (space, tab) at either end.
std::string_view TrimBlanks(std::string_view field);

} // namespace zarva
