#pragma once

#include "compare/html_report.h"

#include <optional>
#include <string>
#include <string_view>

namespace synopter {

// What made a set of result files: the editions, threshold, "Exact positions",
// date, spelling mode and word marking of the run. Saved with the set, so that a report of results
// restored at the next start says what they are, whatever the choosers show
// by then. A small settings-style file of its own; the other files keep their
// formats.
inline constexpr const char* kResultRecordFileName = "results.ini";

std::string WriteResultRecord(const html::ReportFacts& facts);
// nullopt for content that is not such a record.
std::optional<html::ReportFacts> ReadResultRecord(std::string_view bytes);

} // namespace synopter
