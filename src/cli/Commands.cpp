#include "cli/Commands.h"

#include "cli/CliSupport.h"
#include "core/formats/LoadWarnings.h"

#include <exception>

namespace zarva::cli {
namespace {

constexpr int kUnknownCommand = 4021;

struct NamedCommand {
    const char* name;
    Command run;
    const char* usage;
};

constexpr NamedCommand kCommands[] = {
    {"info", InfoCommand, "info RECORD [--json]"},
    {"dump", DumpCommand, "dump RECORD [--channels NAME,...] [--from N] [--to N] [--format csv|json]"},
    {"measure", MeasureCommand,
     "measure RECORD --at SAMPLE [--periods P] [--harmonics K] [--sequence A,B,C]\n"
     "          [--frequency-channel NAME] [--json]"},
    {"calc", CalcCommand,
     "calc RECORD --formula NAME=TEXT [--formula ...] [--frm FILE] [--out PATH] [--format csv|json] "
     "[--from N] [--to N]"},
    {"convert", ConvertCommand, "convert RECORD OUT.cfg|OUT.cff|OUT.zip [--type ascii|binary|binary32|float32]"},
    {"find", FindCommand,
     "find FOLDER [--recursive] [--station S] [--recorder R] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--json]"},
    {"locate", LocateCommand, "locate RECORD [--model FILE.omp] [--report OUT.txt] [--json]"},
    {"merge", MergeCommand,
     "merge A B --channels NAME,... [--method time|fault|prefault] [--ref CH --other CH]\n"
     "          [--cursor SAMPLE] --out OUT.cfg [--json]"},
};

void PrintUsage(std::ostream& out)
{
    out << "usage: zarva-cli COMMAND RECORD [options]\n"
           "RECORD names a .cfg, .dat, .cff or .osc file; FOLDER a folder of records.\n";
    for (const NamedCommand& command : kCommands)
        out << "  zarva-cli " << command.usage << "\n";
}

} // namespace

int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    if (words.empty() || words[0] == "--help" || words[0] == "help") {
        PrintUsage(words.empty() ? err : out);
        return words.empty() ? 2 : 0;
    }
    for (const NamedCommand& command : kCommands) {
        if (words[0] != command.name)
            continue;
        try {
            return command.run(std::vector<std::string>(words.begin() + 1, words.end()), out, err);
        } catch (const std::exception& error) {
            err << error.what() << "\n";
            return 1;
        }
    }
    err << FormatText(kUnknownCommand, {words[0]}) << "\n";
    PrintUsage(err);
    return 1;
}

} // namespace zarva::cli
