#pragma once

#include <QColor>

#include <cstddef>
#include <cstdint>
#include <functional>

class QObject;

namespace zarva {
class Oscillogram;
}

namespace zarva::gui {

class CZarvaDoc;

// What the diagrams read of a document beyond its record: the sample of vertical cursor 1
// and the colour each channel is drawn in.
std::int64_t CursorOneSample(const CZarvaDoc& document);
QColor ChannelColourOf(const Oscillogram& record, std::size_t index);

// Calls `changed` (on `receiver`'s thread and lifetime) after every change of the document's
// record or cursors.
void FollowChanges(CZarvaDoc& document, QObject& receiver, const std::function<void()>& changed);
// Tells every window of the document that its record changed.
void AnnounceRecordChange(CZarvaDoc& document);

} // namespace zarva::gui
