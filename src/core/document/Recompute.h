#pragma once

namespace zarva {

class Document;

// Rebuilds the derived series of every channel of the record, channels in parallel on as
// many threads as the machine runs at once. Advances the document's progress and stops early
// when it is cancelled. An error of a channel (the first in channel order) is raised again
// here once every thread has stopped. Then the computed channels are computed again; a
// formula that fails raises its error.
void RecomputeAll(Document& document);

// RecomputeAll without the surveys of the drawn curves (extremes and min/max levels) of the
// record's channels, which are left for SurveyAll or for a survey on another thread
// (Channel::PrepareSeries). Computed channels are computed and surveyed as before.
void PrepareAll(Document& document);

// Surveys the drawn curve of every channel that has not been surveyed, in parallel, and takes
// the results; stops early when the document's progress is cancelled.
void SurveyAll(Document& document);

} // namespace zarva
