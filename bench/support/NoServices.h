#pragma once

#include "gui/app/CZarvaDoc.h"

namespace zarva::bench {

// Nothing of the application: the view benchmarks never open, save or report.
class NoServices : public gui::DocumentServices {
public:
    const RecordReaders& Readers() const override { return readers_; }
    ReadOptions CurrentReadOptions() const override { return {}; }
    std::filesystem::path ConvertSto(const std::filesystem::path&, std::filesystem::path&) override { return {}; }
    void ReportError(const QString&) override {}
    QWidget* DialogParent() const override { return nullptr; }

private:
    RecordReaders readers_;
};

} // namespace zarva::bench
