#pragma once

#include <string>

namespace zarva {

class Oscillogram;

// The line over every printed page: the file name, then the station, the recorder and the
// start and trigger moments, each with its label; empty fields are left out.
std::string PageHeader(const Oscillogram& record, const std::string& fileName);

} // namespace zarva
