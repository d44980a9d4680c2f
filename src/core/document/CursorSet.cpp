#include "core/document/CursorSet.h"

#include "core/model/TextFormat.h"
#include "core/storage/SettingsSection.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace zarva {
namespace {

std::int64_t WithinRecord(std::int64_t sample, std::size_t sampleCount)
{
    const auto last = static_cast<std::int64_t>(sampleCount) - 1;
    return std::clamp<std::int64_t>(sample, 0, std::max<std::int64_t>(last, 0));
}

std::string Key(char kind, int index, const char* suffix = "")
{
    return std::string("Cursor") + kind + std::to_string(index + 1) + suffix;
}


} // namespace

bool CursorSet::NeverPlaced(int vertical) const
{
    const VerticalCursor& cursor = Vertical(vertical);
    return !cursor.active && cursor.sample == 0;
}

void CursorSet::PlaceVertical(int index, std::int64_t sample, std::size_t sampleCount)
{
    VerticalCursor& cursor = vertical_.at(static_cast<std::size_t>(index));
    cursor.sample = WithinRecord(sample, sampleCount);
    cursor.active = true;
}

void CursorSet::SetVerticalActive(int index, bool active)
{
    vertical_.at(static_cast<std::size_t>(index)).active = active;
}

void CursorSet::MoveVertical(int index, std::int64_t step, std::size_t sampleCount)
{
    VerticalCursor& cursor = vertical_.at(static_cast<std::size_t>(index));
    cursor.sample = WithinRecord(cursor.sample + step, sampleCount);
}

void CursorSet::PlaceHorizontal(int index, double value, int channel)
{
    HorizontalCursor& cursor = horizontal_.at(static_cast<std::size_t>(index));
    cursor.value = value;
    cursor.channel = channel;
    cursor.active = true;
}

void CursorSet::SetHorizontalActive(int index, bool active)
{
    horizontal_.at(static_cast<std::size_t>(index)).active = active;
}

std::optional<std::int64_t> CursorSet::Anchor() const
{
    for (const VerticalCursor& cursor : vertical_) {
        if (cursor.active)
            return cursor.sample;
    }
    return std::nullopt;
}

void CursorSet::Clamp(std::size_t sampleCount, std::size_t channelCount)
{
    for (VerticalCursor& cursor : vertical_)
        cursor.sample = WithinRecord(cursor.sample, sampleCount);
    for (HorizontalCursor& cursor : horizontal_) {
        if (cursor.channel >= static_cast<int>(channelCount) || cursor.channel < -1 || !std::isfinite(cursor.value))
            cursor = HorizontalCursor{};
        if (cursor.channel < 0)
            cursor.active = false;
    }
}

void SaveCursors(const CursorSet& cursors, SettingsSection& view)
{
    for (int i = 0; i < CursorSet::kVerticalCount; ++i) {
        const VerticalCursor& cursor = cursors.Vertical(i);
        view.SetInt(Key('V', i), static_cast<int>(cursor.sample));
        view.SetInt(Key('V', i, "On"), cursor.active ? 1 : 0);
    }
    for (int i = 0; i < CursorSet::kHorizontalCount; ++i) {
        const HorizontalCursor& cursor = cursors.Horizontal(i);
        // Every digit: a level on a milliampere channel must come back where it was.
        view.SetString(Key('H', i), ExactText(cursor.value));
        view.SetInt(Key('H', i, "Channel"), cursor.channel);
        view.SetInt(Key('H', i, "On"), cursor.active ? 1 : 0);
    }
}

CursorSet LoadCursors(const SettingsSection& view, std::size_t sampleCount, std::size_t channelCount)
{
    CursorSet cursors;
    for (int i = 0; i < CursorSet::kVerticalCount; ++i) {
        cursors.PlaceVertical(i, view.GetInt(Key('V', i), 0), sampleCount);
        cursors.SetVerticalActive(i, view.GetInt(Key('V', i, "On"), 0) != 0);
    }
    for (int i = 0; i < CursorSet::kHorizontalCount; ++i) {
        const int channel = view.GetInt(Key('H', i, "Channel"), -1);
        if (channel < 0)
            continue;
        cursors.PlaceHorizontal(i, view.GetDouble(Key('H', i), 0.0), channel);
        cursors.SetHorizontalActive(i, view.GetInt(Key('H', i, "On"), 0) != 0);
    }
    cursors.Clamp(sampleCount, channelCount);
    return cursors;
}

} // namespace zarva
