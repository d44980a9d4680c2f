#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zarva {

class SettingsSection;

// What a press in the plot area makes: nothing, or a new annotation of that kind.
enum class AnnotationTool : int { None = 0, Moment = 1, Level = 2, Area = 3 };

// What every annotation carries: the user's comment (UTF-8, lines joined by LF), whether it
// may be moved and whether its comment box is shown.
struct CommentItem {
    std::string text;
    bool locked = false;
    bool visible = true;

    bool operator==(const CommentItem&) const = default;
};

// A marked instant.
struct MomentItem : CommentItem {
    std::int64_t position = 0;  // sample index

    bool operator==(const MomentItem&) const = default;
};

// A level on one channel over a time span, in the channel's displayed units.
struct LevelItem : CommentItem {
    std::string channel;  // ChannelKey
    double positionY = 0.0;
    std::int64_t positionFrom = 0;
    std::int64_t positionTo = 0;  // the end that follows the mouse while it is drawn

    bool operator==(const LevelItem&) const = default;
};

// A time interval over the rows from one channel's to another's.
struct AreaItem : CommentItem {
    std::string channelFrom;  // ChannelKey of the first row
    std::string channelTo;    // and of the last, the one that follows the mouse
    std::int64_t positionFrom = 0;
    std::int64_t positionTo = 0;

    bool operator==(const AreaItem&) const = default;
};

using Annotation = std::variant<MomentItem, LevelItem, AreaItem>;

// 1 moment, 2 level, 3 area.
int GetKind(const Annotation& item);
const CommentItem& Common(const Annotation& item);
CommentItem& Common(Annotation& item);

// The annotations of a record in creation order, the one under the mouse, the one picked
// last (that the menu commands act on) and the tool armed in the view.
class Annotations {
public:
    const std::vector<Annotation>& Items() const { return items_; }
    // Appends the item and picks it; gives its index.
    std::size_t Add(Annotation item);
    void Replace(std::size_t index, Annotation item);
    void Remove(std::size_t index);
    // Replaces the list; nothing is hovered or picked afterwards.
    void Assign(std::vector<Annotation> items);

    std::optional<std::size_t> HoveredItem() const { return hovered_; }
    std::optional<std::size_t> PickedItem() const { return picked_; }
    // Each returns whether anything changed; an index past the list means none.
    bool SetHovered(std::optional<std::size_t> index);
    bool SetPicked(std::optional<std::size_t> index);

    AnnotationTool Tool() const { return tool_; }
    // Arms the tool, or disarms it when it is the armed one.
    void ChooseTool(AnnotationTool tool);

    bool operator==(const Annotations&) const = default;

private:
    std::optional<std::size_t> Valid(std::optional<std::size_t> index) const;

    std::vector<Annotation> items_;
    std::optional<std::size_t> hovered_;
    std::optional<std::size_t> picked_;
    AnnotationTool tool_ = AnnotationTool::None;
};

// The samples the moments mark, in list order.
std::vector<std::int64_t> MomentPositions(const Annotations& annotations);

// The items into "Moments", "Levels" and "Areas" of the record's "Comments" section: those
// three emptied first, then "Moment1", "Moment2" ... in list order, line breaks as LF.
void SaveAnnotations(const std::vector<Annotation>& items, SettingsSection& comments);
// Every sub-section of the three as an item, in the order of their numbers; positions kept
// within a record of `sampleCount` samples.
std::vector<Annotation> LoadAnnotations(const SettingsSection& comments, std::size_t sampleCount);

} // namespace zarva
