#pragma once

#include "core/formula/CalcChannels.h"
#include "core/model/Channel.h"
#include "core/model/CodePage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zarva {

class Document;

// A section of a single-file record that is neither its configuration, data, header nor
// settings (the information file among them), kept to be written back.
struct RecordSection {
    std::string name;  // upper case: "INF"
    std::string text;  // 8-bit text as read
};

struct RateSegment {
    double rate = 0.0;           // samples per second
    std::int32_t endSample = 0;  // 1-based number of the segment's last sample
};

// One fault record in memory, whatever file it came from. Analog channels come first,
// then discrete ones. Channels are held by value: a pointer to one is valid only until
// the list changes.
class Oscillogram {
public:
    explicit Oscillogram(Document* document) : owner(document) {}
    Oscillogram(const Oscillogram&) = delete;
    Oscillogram& operator=(const Oscillogram&) = delete;

    // Sample count of the first channel of the record's own (not pasted); 0 without one.
    std::size_t SampleCount() const;

    // Index of the channel named so: exact case preferred, else the first match ignoring
    // case in any script. Raises error 354 when there is none.
    std::size_t FindChannel(const std::string& channelName) const;

    void RebuildFrequencyChannels();

    // Stores the code page of the 8-bit texts and rebuilds the texts shown from them
    // (station, recorder and the names of channels the user has not renamed).
    void ApplyCodePage(CodePage page);

    // Samples in one nominal period of the channel. Raises error 330 when that is 0.
    std::int32_t SamplesPerPeriod(const Channel& channel) const;

    // The window measures (RMS, harmonics, phasors) need this many samples in a period; with
    // fewer they are 0.
    static constexpr std::int64_t kFewestSamplesPerPeriod = 4;
    bool HasWindowMeasures(const Channel& channel) const;
    // The same for the record's own channels.
    bool HasWindowMeasures() const;
    // The window of the channel's measures: SamplesPerPeriod, or 0 when the channel has no
    // window measures. Raises error 330 when its rate is not a positive number.
    std::int32_t MeasureWindow(const Channel& channel) const;

    Document* owner;
    std::vector<Channel> channels;
    CalcChannels calcChannels{*this};
    std::string headerText;
    std::uint32_t analogCount = 0;
    std::uint32_t discreteCount = 0;
    std::vector<std::size_t> frequencyChannels;  // indices into channels
    std::vector<RateSegment> rateSegments;
    std::vector<std::int64_t> sampleTimes;  // microseconds from the first sample
    double lineFrequency = 50.0;
    std::vector<double> lineFrequencySeries;
    std::int32_t sampleRate = 0;
    double timeMultiplier = 1.0;

    std::string stationName;  // 8-bit texts of the first configuration line
    std::string recorderId;
    std::string revisionYear;
    std::string stationText;  // the same, decoded for display
    std::string recorderText;
    CodePage codePage = CodePage::Windows1251;        // of the configuration's 8-bit texts
    CodePage headerCodePage = CodePage::Windows1251;  // of headerText

    std::string startDate;
    std::string startTime;
    std::string triggerDate;
    std::string triggerTime;
    std::string startText;    // start and trigger moments as shown (UTF-8)
    std::string triggerText;
    std::string fileType;
    std::string sourcePath;
    std::string timeCode;   // COMTRADE 2013 time code and local code; empty for older revisions
    std::string localCode;
    std::string timeQuality;  // the 2013 line after the codes (time quality, leap second) as read
    std::vector<RecordSection> fileSections;
    // The channels or samples no longer match the record's own files (after a merge), so a
    // save over those files must rewrite them.
    bool storedDataChanged = false;
    std::vector<std::uint8_t> oscBytes;
    double firstHarmonicFactor = 1.0;
    std::int32_t zeroSample = 0;
    // What the reader had to repair or ignore, as sentences for the user (UTF-8).
    std::vector<std::string> loadWarnings;
};

} // namespace zarva
