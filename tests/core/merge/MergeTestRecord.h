#pragma once

#include "core/document/Document.h"

#include <functional>
#include <memory>
#include <string>

namespace zarva::test {

// A record whose channels are sampled from functions of time in seconds, for the merge tests.
class MergeTestRecord {
public:
    MergeTestRecord(std::int32_t rate, std::size_t count, std::string startDate = "01/02/2020",
                    std::string startTime = "10:20:30.000000");

    Channel& Analog(const std::string& name, const std::function<double(double)>& f);
    Channel& Discrete(const std::string& name, const std::function<double(double)>& f);

    std::unique_ptr<Document> document = std::make_unique<Document>();
    Oscillogram& record = document->oscillogram;

private:
    Channel& Add(ChannelKind kind, const std::string& name, const std::function<double(double)>& f);
    std::size_t count_;
};

// Copies every channel of `source` and pastes them into `target`.
void CopyAll(Document& source, Document& target);

} // namespace zarva::test
