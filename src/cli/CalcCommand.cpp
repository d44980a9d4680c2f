#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/DumpOutput.h"
#include "core/document/Document.h"
#include "core/formats/LoadWarnings.h"
#include "core/formula/FormulaPatterns.h"
#include "core/model/ZarvaException.h"

namespace zarva::cli {
namespace {

constexpr int kBadOptionValue = 4023;
constexpr const char* kUsage =
    "usage: zarva-cli calc RECORD --formula NAME=TEXT [--formula ...] [--frm FILE] [--out PATH] "
    "[--format csv|json] [--from N] [--to N]";

// "NAME=TEXT": the name runs to the first "=", so formulas may hold any character.
FormulaEntry ParseFormulaOption(const std::string& option)
{
    const std::size_t equals = option.find('=');
    if (equals == std::string::npos)
        throw CliError(FormatText(kBadOptionValue, {std::string("--formula"), option}));
    return {option.substr(0, equals), option.substr(equals + 1)};
}

void AddFormula(Oscillogram& record, const FormulaEntry& entry)
{
    if (const int refusal = CheckNewChannelName(record, entry.name))
        throw CZarvaException(refusal, entry.name);
    record.calcChannels.Add(entry.name, entry.formula);
}

// The formulas given to the command must compute; the record's own may fail, as they do when
// it opens, with a warning.
void RequireComputed(const CalcChannels& computed, std::size_t firstGiven)
{
    for (std::size_t k = firstGiven; k < computed.Names().size(); ++k) {
        if (const CZarvaException* failure = computed.Failure(k))
            throw *failure;
    }
}

} // namespace

int CalcCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    const Arguments arguments =
        Arguments::Parse(words, {"--formula", "--frm", "--out", "--format", "--from", "--to"}, {});
    const std::vector<std::string> formulas = arguments.Values("--formula");
    const std::string* frm = arguments.Option("--frm");
    if (arguments.positional.size() != 1 || (formulas.empty() && frm == nullptr))
        throw CliError(kUsage);
    const std::string* format = DumpFormat(arguments);
    std::vector<FormulaEntry> entries;
    for (const std::string& option : formulas)
        entries.push_back(ParseFormulaOption(option));

    Document document;
    OpenRecord(document, arguments.positional[0], &err);
    Oscillogram& record = document.oscillogram;
    CalcChannels& computed = record.calcChannels;
    if (frm != nullptr)
        computed.LoadFrm(*frm);
    const std::size_t firstGiven = frm != nullptr ? 0 : computed.Names().size();
    for (const FormulaEntry& entry : entries)
        AddFormula(record, entry);
    computed.Compute();
    RequireComputed(computed, firstGiven);
    if (const std::string* outPath = arguments.Option("--out")) {
        SaveRecordAs(document, *outPath);
        return 0;
    }

    DumpSelection selection = SelectSamples(record, arguments);
    for (std::size_t k = 0; k < computed.Names().size(); ++k) {
        if (computed.HasChannel(k))
            selection.channels.push_back(record.FindChannel(computed.Names()[k]));
    }
    PrintDump(record, selection, format, out);
    return 0;
}

} // namespace zarva::cli
