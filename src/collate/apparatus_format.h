#pragma once

#include "collate/collation.h"

#include <cstdio>
#include <string>
#include <vector>

// The apparatus written out: as a printed edition sets it (text), as JSON
// Lines, as a self-contained HTML page and as TEI parallel segmentation.
namespace synopter::collate {

// An edition taking part, as the outputs name it.
struct Witness {
    std::string name;        // catalogue name ("WestcottHort1881"), single-byte
    std::string siglum;      // the descriptor's [English] Siglum=, else the name
    std::string information; // the descriptor's [English] Information=
};

// What made the apparatus, for the outputs' titles and keys.
struct ApparatusFacts {
    std::vector<Witness> witnesses; // indexed as the collation's editions
    Options options;                // base, exact positions, spelling
    std::string date;               // as the page shows it, may be empty
};

// One unit in the printed style, Unicode Greek:
//   "ὃν εἶπον A B ] ὁ εἰπών C; – D"
// the base reading and the sigla that agree, "]", then each reading with its
// sigla, "; " between readings; an omission is "–", an addition "+ words",
// an absent verse "verse absent".
void AppendUnitText(std::string& out, const Unit& unit, const ApparatusFacts& facts);

// Whole documents of the verses given (in order), UTF-8.
std::string ApparatusHtmlPage(const std::vector<VerseApparatus>& verses, const ApparatusFacts& facts);
std::string ApparatusTei(const std::vector<VerseApparatus>& verses, const ApparatusFacts& facts);

} // namespace synopter::collate
