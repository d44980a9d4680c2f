#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zarva::cli {

// A command gets the words after its name and returns the process exit code: 0 done,
// 1 failed (its message written to `err`).
using Command = int (*)(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

int InfoCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int DumpCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int MeasureCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int ConvertCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int CalcCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int FindCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int LocateCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int MergeCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// Runs the command named by the first word; prints the usage when there is none.
int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace zarva::cli
