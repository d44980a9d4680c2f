#pragma once

#include "cli/Commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace zarva::cli {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

// Runs zarva-cli with the words that follow the program's name.
inline CliRun Cli(const std::vector<std::string>& words)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(words, out, err);
    return {code, out.str(), err.str()};
}

} // namespace zarva::cli
