#pragma once

#include "core/formula/FrmFile.h"

#include <array>
#include <string>
#include <vector>

namespace zarva {

class Oscillogram;

// A name is free when no channel of the record, no computed channel and no channel planned
// before it has it, whatever the case.
bool IsNameFree(const Oscillogram& record, const std::string& name, const std::vector<FormulaEntry>& planned = {});

// `wanted` when it is free, else the first free of wanted_2, wanted_3, ...
std::string UniqueName(const Oscillogram& record, const std::string& wanted,
                       const std::vector<FormulaEntry>& planned = {});

// The computed channels a quick-analysis page will add, each under the unique name for the
// name it wants, so that later formulas can refer to the names earlier ones were given.
class FormulaPlan {
public:
    explicit FormulaPlan(const Oscillogram& record) : record_(record) {}

    // The name the channel gets.
    std::string Add(const std::string& wanted, const std::string& formula);
    const std::vector<FormulaEntry>& Entries() const { return entries_; }

    // A chosen channel as a formula argument; error 191 naming `what` when none is chosen.
    static std::string Argument(const std::string& channel, const std::string& what);
    // Three phase channels; `what` ("I", "U") and the phase letter name a missing one.
    static std::array<std::string, 3> Arguments(const std::string& a, const std::string& b, const std::string& c,
                                                const char* what);

private:
    const Oscillogram& record_;
    std::vector<FormulaEntry> entries_;
};

// Adds the planned channels to the record's computed set and computes it.
void AddPlanned(Oscillogram& record, const std::vector<FormulaEntry>& entries);

// A number as a formula argument, in the shortest form that reads back the same.
std::string NumberArgument(double value);

} // namespace zarva
