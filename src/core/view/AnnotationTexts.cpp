#include "core/view/AnnotationTexts.h"

#include "core/model/ChannelKey.h"
#include "core/model/Oscillogram.h"
#include "core/model/Rounding.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"
#include "core/model/Units.h"
#include "core/model/ValueText.h"
#include "core/view/TimeRuler.h"
#include "core/view/ViewTexts.h"

#include <cstdlib>

namespace zarva {
namespace {

// "%d.%03d" seconds of a span of microseconds, milliseconds rounded half up.
std::string SecondsText(int textId, std::int64_t microseconds)
{
    const std::int64_t milliseconds = RoundToInt64(static_cast<double>(std::llabs(microseconds)) / 1000.0);
    return FormatText(Text(textId), {milliseconds / 1000, milliseconds % 1000});
}

std::string Describe(const MomentItem& moment, const Oscillogram& record)
{
    const std::int64_t time = RelativeTime(record, moment.position);
    return FormatText(Text(viewtext::kMomentTime), {DateAndTimeOfDay(record, time)}) +
           SecondsText(viewtext::kMomentOffset, time - RelativeTime(record, 0));
}

std::string Describe(const LevelItem& level, const Oscillogram& record)
{
    const auto channel = FindChannelByKey(record.channels, level.channel);
    const std::string unit = channel ? DisplayUnit(record.channels[*channel]) : std::string();
    const UnitMultiple multiple = unit.empty() ? UnitMultiple{} : ChooseMultiple(level.positionY);
    return FormatText(Text(viewtext::kLevelValue), {level.positionY / multiple.factor, multiple.prefix + unit});
}

std::string Describe(const AreaItem& area, const Oscillogram& record)
{
    return SecondsText(viewtext::kAreaDuration,
                       RelativeTime(record, area.positionTo) - RelativeTime(record, area.positionFrom));
}

} // namespace

std::string DisplayText(const Annotation& item, const Oscillogram& record)
{
    const std::string& comment = Common(item).text;
    std::string details = std::visit([&record](const auto& kind) { return Describe(kind, record); }, item);
    // Without a comment the box starts with what the item marks.
    if (comment.empty())
        details.erase(0, details.find_first_not_of('\n'));
    return comment + details;
}

AnnotationMenuTexts MenuTexts(const Annotation& item)
{
    // Delete, lock and unlock captions follow each other per kind, moments first.
    const int first = viewtext::kDeleteMoment + 3 * (GetKind(item) - 1);
    const CommentItem& common = Common(item);
    return {Text(first), Text(common.locked ? first + 2 : first + 1),
            Text(common.visible ? viewtext::kHideComment : viewtext::kShowComment)};
}

} // namespace zarva
