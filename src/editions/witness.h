#pragma once

#include "editions/lacunae.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A catalogue edition as a witness, for the choosers and the catalogue's
// windows: the hand a manuscript's text follows and what of it survives. A
// descriptor with [Manuscript] or [Lacunae] makes a manuscript; any other
// edition is a printed one and has no description.
namespace synopter {

struct WitnessDescription {
    std::string hand; // HandName's "first", "scribe" or "last"; "" when the descriptor names none it knows
    WitnessExtent extent;
};

// Whether a descriptor's bytes have a [Manuscript] or [Lacunae] section.
bool DescribesManuscript(std::string_view descriptorBytes);

// The description of edition `name` in `folder` (empty or ending in '/'):
// nullopt for a printed edition, which costs one read of its descriptor, and
// for one whose descriptor or text cannot be read. A manuscript's text is read
// and measured once for each state of its two files (modification time and
// size), since the windows ask whenever they list the catalogue. Thread-safe.
std::optional<WitnessDescription> DescribeWitness(const std::string& folder, std::string_view name);

} // namespace synopter
