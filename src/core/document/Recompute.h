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

// RecomputeAll without the surveys of the drawn curves (extremes and min/max levels) of the
// record's channels, which are left for SurveyAll or for a survey on another thread
// (Channel::PrepareSeries). Computed channels are computed and surveyed as before.
void PrepareAll(Document& document);

// Surveys the drawn curve of every channel that has not been surveyed, in parallel, and takes
// the results; stops early when the document's progress is cancelled.
void SurveyAll(Document& document);

} // namespace zarva
