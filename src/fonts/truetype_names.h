#pragma once

#include <string>

namespace synopter {

// Reads the family (nameID 1), subfamily (2) and full name (4) from the naming
// table of a TrueType font file. Only TrueType outlines (signature 00 01 00 00),
// a format 0 naming table and Windows-platform records in the Symbol or Unicode
// BMP encoding are accepted; of several accepted records with one nameID the last
// in table order wins, an empty one too. Each text is the low byte of every
// UTF-16 code unit (U+03B1 gives the byte B1, a trailing odd byte is dropped).
//
// Returns whether any accepted record was met. The outputs are emptied first.
// Never throws and never reports anything: an unreadable or foreign file simply
// gives false. A file cut short ends the walk at the first structure that could
// not be read whole, keeping what was read before it; a string cut short
// delivers only the bytes actually read.
bool ReadTrueTypeNames(const std::string& path, std::string& family, std::string& subfamily,
                       std::string& fullName);

} // namespace synopter
