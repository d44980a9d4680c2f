#include "core/formats/LoadWarnings.h"

#include "core/model/Oscillogram.h"
#include "core/model/StringTable.h"

namespace zarva {

std::string FormatText(int id, std::initializer_list<WarningValue> values)
{
    std::string text = Text(id);
    std::size_t at = 0;
    for (const WarningValue& value : values) {
        at = text.find("%s", at);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value.text);
        at += value.text.size();
    }
    return text;
}

void AddWarning(Oscillogram& record, int id, std::initializer_list<WarningValue> values)
{
    record.loadWarnings.push_back(FormatText(id, values));
}

std::vector<std::string> FormulaFailures(const CalcChannels& computed)
{
    std::vector<std::string> failures;
    for (std::size_t k = 0; k < computed.Names().size(); ++k) {
        if (const CZarvaException* failure = computed.Failure(k)) {
            failures.push_back(FormatText(warnings::kFormulaNotComputed,
                                          {computed.Names()[k], computed.Formulas()[k], std::string(failure->what())}));
        }
    }
    return failures;
}

void AddFormulaWarnings(Oscillogram& record)
{
    for (std::string& failure : FormulaFailures(record.calcChannels))
        record.loadWarnings.push_back(std::move(failure));
}

} // namespace zarva
