#pragma once

#include "collate/apparatus_format.h"
#include "editions/lacunae.h"

#include <optional>
#include <string>
#include <vector>

// The editions of one collation, loaded: what the command line and the
// windows collate.
namespace synopter::collate {

struct EditionSet {
    std::vector<Witness> witnesses;             // names, sigla, information
    std::vector<std::vector<std::string>> texts; // each edition's lines
    std::vector<Lacunae> lacunae;                // each edition's lost verses, by line
    std::vector<std::string> files;              // every text and descriptor path read
    std::string problem; // why the set cannot be collated ("" when it can)

    // The texts as CollateTexts takes them: all, or those of `members`.
    std::vector<const std::vector<std::string>*> TextPointers() const;
    std::vector<const std::vector<std::string>*> TextPointers(const std::vector<int>& members) const;
    // Their lacunae as CollateTexts takes them, in the same order.
    std::vector<const Lacunae*> LacunaPointers() const;
    std::vector<const Lacunae*> LacunaPointers(const std::vector<int>& members) const;
};

// Loads editions by catalogue name (looked up in `folders` in order, as the
// window's catalogue does) or by the path of a ".dat" file (its ".bk"
// beside it). A problem (an edition that cannot be found or read, Unicode
// Greek never transliterated, texts that do not share one line layout) is
// named in `problem`; the editions read so far are kept.
EditionSet LoadEditionSet(const std::vector<std::string>& folders, const std::vector<std::string>& editions);

// Those of the catalogue's editions `names` that can be collated together,
// each loaded by itself so that one that cannot be used is left out (its name
// added to `leftOut`) rather than ending the rest. The layout is the New
// Testament's when an edition has its line count, else the first edition's.
EditionSet LoadCollatableEditions(const std::vector<std::string>& folders, const std::vector<std::string>& names,
                                  std::vector<std::string>& leftOut);

} // namespace synopter::collate
