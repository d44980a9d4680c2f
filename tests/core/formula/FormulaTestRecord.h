#pragma once

#include "core/document/Document.h"
#include "core/formula/FormulaValue.h"
#include "core/model/ZarvaException.h"
#include "support/Phasors.h"

#include <string>
#include <vector>

namespace zarva::test {

// A record of 1000 samples per second at 50 Hz whose channels are given their samples and
// phasor series directly, so formula results can be checked against hand-computed values.
class FormulaTestRecord {
public:
    explicit FormulaTestRecord(std::size_t sampleCount = 40);

    // A channel holding `value` at every sample and `phasor` as every phasor-series entry.
    Channel& Add(const std::string& name, double value, Phasor phasor, const std::string& unit = {});
    // A balanced positive-sequence set: Ia, Ib, Ic of 10 A with -30, -150 and 90 degrees
    // and values 1, 2, 3; Ua, Ub, Uc of 100 V with 0, -120 and 120 degrees and values 50,
    // 60, 70.
    void AddPhaseSet();
    Channel& AddSamples(const std::string& name, std::vector<double> samples,
                        const std::string& unit = {});

    // Evaluates the formula over the record's channels at the sample.
    FormulaValue Evaluate(const std::string& formula, std::int64_t sample = 0);

    Document document;
    Oscillogram& record = document.oscillogram;
    std::size_t sampleCount;
};

// The text of the CZarvaException the call raises, or "no error".
template <typename Call>
std::string ErrorText(Call&& call)
{
    try {
        call();
    } catch (const CZarvaException& error) {
        return error.what();
    }
    return "no error";
}

} // namespace zarva::test
