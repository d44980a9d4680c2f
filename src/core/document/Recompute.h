#pragma once

#include <cstddef>
#include <vector>

namespace zarva {

class Document;

// What a command changed about some channels: only the curve drawn, or the values they give
// (ratios, primary or secondary values, inversion, DC removal, ADC counts), which the
// computed channels read.
enum class ChannelChange { Curve, Values };

// Rebuilds the derived series of the listed channels, in parallel on as many threads as the
// machine runs at once, then, after a change of values, the computed channels. Advances the
// document's progress and stops early when it is cancelled. An error of a channel (the first
// in list order) is raised again here once every thread has stopped. A formula that fails
// leaves its channel without values (CalcChannels::Compute).
void RecomputeChanged(Document& document, const std::vector<std::size_t>& changed, ChannelChange change);

// The same for every channel of the record, as after reading it.
void RecomputeAll(Document& document);

} // namespace zarva
