#pragma once

#include "core/formats/CodeScale.h"
#include "core/formats/ComtradeConfiguration.h"
#include "core/model/Series.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarva {

class Channel;
class Document;
class Oscillogram;

struct SaveOptions {
    // "ASCII", "BINARY", "binary32" or "FLOAT32"; empty keeps the record's own file type.
    std::string fileType;
    // A record older than revision 2013 saved as a single file is written as revision 2013
    // rather than refused.
    bool raiseTo2013 = false;
};

// The data form a save writes: the one asked for, else the record's own.
DataFormat SavedFormat(const Oscillogram& record, const SaveOptions& options);

// The text of a record's configuration and data files in one data form. Written are the
// channels of the record's own (neither computed nor pasted), analog ones first. Each analog
// channel is written with the scale ChooseCodeScale gives it, so that its codes fit the form.
class ComtradeWriter {
public:
    using Sink = std::function<void(std::string_view)>;

    // The record's revision is kept, but the 32-bit forms, and any form when `as2013` is set,
    // are written as revision 2013 at least.
    ComtradeWriter(const Oscillogram& record, DataFormat format, bool as2013 = false);

    DataFormat Format() const { return format_; }
    std::size_t SampleCount() const { return sampleCount_; }

    // 8-bit text, every line ending in CR LF.
    std::string BuildConfigurationText() const;
    std::string BuildAsciiData() const;
    // The BINARY, BINARY32 or FLOAT32 records.
    std::string BuildBinaryData() const;
    // The data in the writer's form, handed to `sink` a block at a time.
    void BuildData(const Sink& sink) const;
    // Bytes of the binary forms' data, known before it is built.
    std::uint64_t BinaryDataSize() const;

    // The time of sample i in microseconds; beyond the record's times, the last one continued
    // at the sampling rate.
    std::int64_t SampleTime(std::size_t i) const;

private:
    void AppendAnalogLines(std::string& text) const;
    void AppendDiscreteLines(std::string& text) const;
    void AppendRates(std::string& text) const;
    std::string WrittenDate(const std::string& date) const;
    // Builds the data of samples [first, first + count) into the block.
    using BlockBuilder = std::function<void(std::size_t first, std::size_t count, std::string& block)>;
    void EmitBlocks(const BlockBuilder& build, const Sink& sink) const;
    BlockBuilder BinaryBlockBuilder() const;
    void BuildAsciiBlock(std::size_t first, std::size_t count, std::string& block) const;
    template <DataFormat format>
    void BuildBinaryBlock(std::size_t first, std::size_t count, std::string& block) const;
    std::size_t RecordSize() const;
    std::int64_t Stamp(std::size_t i) const;

    const Oscillogram& record_;
    DataFormat format_;
    std::string revision_;
    bool revision1991_;
    std::vector<const Channel*> analog_;
    std::vector<std::size_t> analogPositions_;  // 1-based, in the record's channel list
    std::vector<const Channel*> discrete_;
    std::vector<Series<double>> analogValues_;  // the samples of analog_ and discrete_
    std::vector<Series<double>> discreteValues_;
    std::vector<CodeScale> scales_;
    std::size_t sampleCount_ = 0;
    double stampMultiplier_ = 1.0;
};

// Writes the configuration base + ".cfg" (`path`), its data file, the header when the record
// has one, its information file when it carries one, and the settings file. Over the record's
// own configuration, when the samples are unchanged and in their own form, only the header
// and settings files are written. Every file is written beside its target and renamed over it
// once all are complete: a failure leaves the old files as they were and raises
// FileException or CZarvaException.
void SaveComtrade(Document& document, const std::filesystem::path& path, const SaveOptions& options = {});

// True when the two paths name one file (or, when either is missing, read the same).
bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace zarva
