#pragma once

#include <cstdint>
#include <string>

namespace zarva {

class Document;

// The methods of the merge bar's list, in its order.
enum class SyncMethod { StartTime = 0, FaultComponent = 1, Prefault = 2 };

// String-table ids of the methods' names, in the list's order.
inline constexpr int kSyncMethodNames[] = {242, 3376, 3377};

// What a synchronisation has to tell: a text for the merge bar's caption line, or a message
// for a box; 0 for none. The offset was changed when `offsetChanged`.
struct SyncOutcome {
    int statusText = 0;
    int errorMessage = 0;
    bool offsetChanged = false;
};

namespace sync_texts {
constexpr int kNoOverlap = 219;
constexpr int kSucceeded = 3456;
constexpr int kCursorBeyondRecord = 3162;
constexpr int kCursorBefore15Periods = 3259;
constexpr int kCursorBefore3Periods = 3260;
constexpr int kUnsteadyStretch = 3305;
constexpr int kWeakJump = 3507;
} // namespace sync_texts

// Sets the document's mergeOffset so that its pasted channels line up with its own ones.
// By start time the offset comes from the two records' start moments; the other methods
// compare record channel `reference` with pasted channel `pasted` around `cursorSample`, a
// sample of the record. A channel that is not there leaves everything as it was. A start
// date or time out of range raises error 330 naming it.
SyncOutcome Synchronise(Document& document, SyncMethod method, const std::string& reference,
                        const std::string& pasted, std::int64_t cursorSample);

// A record's start moment from its date and time texts, in microseconds on a calendar clock;
// nothing when a number is missing. Day and month swap when the second number exceeds 12;
// a two-digit year is taken in 2000-2099.
struct StartMoment {
    bool found = false;
    std::int64_t microseconds = 0;
};
StartMoment ParseStartMoment(const std::string& date, const std::string& time);

// Method 0 alone: the offset of the first pasted channel's source record from the record by
// their start moments.
SyncOutcome SynchroniseByStartTime(Document& document);

} // namespace zarva
