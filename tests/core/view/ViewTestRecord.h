#pragma once

#include "core/document/Document.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace zarva::test {

// An in-memory record at 1000 samples per second (20 per period) for the view's tests.
class ViewTestRecord {
public:
    explicit ViewTestRecord(std::size_t samples = 100);

    Document& Doc() { return *document_; }
    Oscillogram& Record() { return document_->oscillogram; }
    std::vector<Channel>& Channels() { return document_->oscillogram.channels; }

    // Times the samples at one other rate, in whole microseconds as readers keep them.
    void Retime(double rate);

    // Adds a recomputed analog channel; its values default to a 50 Hz sine of amplitude 10.
    Channel& Analog(const std::string& name, const std::string& unit = "A", std::vector<double> values = {});
    // Adds default analog channels of these names; gives all the channels.
    std::vector<Channel>& Analogs(std::initializer_list<const char*> names);
    // Values default to a state of 0 throughout.
    Channel& Discrete(const std::string& name, std::vector<double> values = {});

private:
    std::unique_ptr<Document> document_;
    std::size_t samples_;
};

} // namespace zarva::test
