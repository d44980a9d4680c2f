#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace zarva {

class SettingsSection;

// A vertical cursor marks a sample instant.
struct VerticalCursor {
    bool active = false;
    std::int64_t sample = 0;

    bool operator==(const VerticalCursor&) const = default;
};

// A horizontal cursor marks a level on one channel's row, in that channel's displayed units.
struct HorizontalCursor {
    bool active = false;
    double value = 0.0;
    int channel = -1;  // -1 while never placed

    bool operator==(const HorizontalCursor&) const = default;
};

// The cursors of one record: V1, V2, V3 and H1, H2. Indices are 0-based (0 is V1 or H1).
//
// Who follows them: the document window's CZarvaDoc emits cursorsChanged() after every change
// (placing, dragging, keyboard moves, toggling) and recordChanged() when the record's
// channels or their series change. Diagrams connect to both signals of the document they
// show and read Core().cursors there, usually Vertical(0).sample when Vertical(0).active.
class CursorSet {
public:
    static constexpr int kVerticalCount = 3;
    static constexpr int kHorizontalCount = 2;

    const VerticalCursor& Vertical(int index) const { return vertical_.at(static_cast<std::size_t>(index)); }
    const HorizontalCursor& Horizontal(int index) const { return horizontal_.at(static_cast<std::size_t>(index)); }

    // Inactive and still at sample 0: the first toggle places it instead.
    bool NeverPlaced(int vertical) const;
    // Puts the cursor on the sample, kept within the record, and activates it.
    void PlaceVertical(int index, std::int64_t sample, std::size_t sampleCount);
    void SetVerticalActive(int index, bool active);
    // Moves an active or inactive cursor by whole samples, stopping at the first and the last.
    void MoveVertical(int index, std::int64_t step, std::size_t sampleCount);

    bool HorizontalNeverPlaced(int index) const { return Horizontal(index).channel < 0; }
    void PlaceHorizontal(int index, double value, int channel);
    void SetHorizontalActive(int index, bool active);

    // The sample of the first active vertical cursor in the order V1, V2, V3.
    std::optional<std::int64_t> Anchor() const;

    // Keeps every cursor within a record of `sampleCount` samples and `channelCount`
    // channels: after the record has shrunk, or after reading stored positions.
    void Clamp(std::size_t sampleCount, std::size_t channelCount);

    bool operator==(const CursorSet&) const = default;

private:
    std::array<VerticalCursor, kVerticalCount> vertical_{};
    std::array<HorizontalCursor, kHorizontalCount> horizontal_{};
};

// The cursors kept with the record's view settings, so that a saved record opens where the
// user left them.
void SaveCursors(const CursorSet& cursors, SettingsSection& view);
CursorSet LoadCursors(const SettingsSection& view, std::size_t sampleCount, std::size_t channelCount);

} // namespace zarva
