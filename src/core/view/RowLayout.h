#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace zarva {

class Channel;

// Heights of the view's two text lines, measured from its fonts.
struct TextMetrics {
    int textHeight = 18;       // the main font
    int smallTextHeight = 16;  // the small font
};

// One row of the view: a channel, or the visible members of a channel group drawn merged.
struct Row {
    std::vector<std::size_t> members;  // channel indices in channel order; the first owns the row
    int top = 0;                       // y of the row's first line, before the vertical offset
    int height = 0;
    bool discrete = false;

    std::size_t Channel() const { return members.front(); }
    bool Merged() const { return members.size() > 1; }
    int Bottom() const { return top + height; }
};

// Height of the row of an analog channel in no group.
int AnalogRowHeight(const Channel& channel, int yAnalogSize, const TextMetrics& metrics);
// Height of one member's label block in a merged row; `first` is the group's first member.
int MemberBlockHeight(const Channel& first, const TextMetrics& metrics);

// The visible rows from y = 0 down: analog channels, then discrete ones.
std::vector<Row> LayoutRows(const std::vector<Channel>& channels, int yAnalogSize, const TextMetrics& metrics);
// Height of all rows together.
int ContentHeight(const std::vector<Row>& rows);

// The row at y (before the vertical offset) and the member whose label block holds it.
struct RowHit {
    std::size_t row = 0;
    std::size_t member = 0;  // index into the row's members
};
std::optional<RowHit> RowAt(const std::vector<Row>& rows, const std::vector<Channel>& channels, int y,
                            const TextMetrics& metrics);

// The rows on printed pages `pageHeight` pixels tall (without the ruler's band), each page's
// rows moved to start at its top: a row that does not fit the rest of a page starts the
// next one; a row taller than a page gets a page of its own.
std::vector<std::vector<Row>> PaginateRows(const std::vector<Row>& rows, int pageHeight);

// The row that shows the channel, merged or not.
std::optional<std::size_t> RowOf(const std::vector<Row>& rows, std::size_t channel);

} // namespace zarva
