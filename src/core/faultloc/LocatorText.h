#pragma once

#include "core/faultloc/FaultLocation.h"
#include "core/faultloc/LineModel.h"

#include <filesystem>
#include <string>

namespace zarva {

class Oscillogram;

// The letters of the faulted phases in order: "BC".
std::string PhaseLetters(const LocationResult& result);

// The result in the interface language: "    КЗ отсутствует." or the fault's kind and
// phases with its place; for a fault on the line a second line with the distance, the
// distance from the section's start and the error estimate.
std::string ResultText(const LocationResult& result);

// The report of a computation: the record (its file name and header facts), the algorithm,
// the result and every datum of the model it used.
std::string ReportText(const LocationResult& result, const WrongPlaceLocatorData::LineModel& model,
                       const Oscillogram& record, const std::string& recordName);

// Writes the report as the system's text files are: UTF-16LE with a byte-order mark and
// CR LF line ends, safely over the file. Raises FileException when it cannot.
void WriteReport(const std::filesystem::path& path, const std::string& text);

} // namespace zarva
