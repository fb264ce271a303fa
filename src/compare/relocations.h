#pragma once

#include "compare/word_match.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Passages an edition places elsewhere than another does: the doxology of
// Romans at 14:24-26 in some editions and at 16:25-27 in others, a pericope
// after another verse. Compared slot by slot they read as absences on both
// sides; found here, each absence can name where its text stands.
namespace synopter {

// A verse slot empty on one side (a reference and no words) whose text on the
// other side that side has (nearly: most words shared) at another slot of the
// same book, itself empty on the other side.
struct Relocation {
    size_t line = 0;         // the slot, as an index into the line lists
    size_t at = 0;           // the slot where the empty side has this text
    bool rightEmpty = false; // which side is empty at `line`
    // The run of consecutive relocated slots `at` belongs to, by reference:
    // "16:25-27", or "16:25" for one verse.
    std::string place;
};

// The relocations between two line lists aligned slot by slot, in line order,
// both ends of each pair. Only the empty slots are candidates, so it is cheap.
std::vector<Relocation> FindRelocations(std::span<const std::string_view> left,
                                        std::span<const std::string_view> right);
std::vector<Relocation> FindRelocations(const std::vector<std::string>& left, const std::vector<std::string>& right);

// The relocation at `line` in a list FindRelocations made; null when none.
const Relocation* RelocationAt(std::span<const Relocation> relocations, size_t line);

// The grey note an empty side shows for its relocated text: "-> 16:25-27"
// after the reference, its characters kLacunaMark (shown only: it never counts
// as a difference nor makes the pair lacunose).
void AppendRelocationNote(std::string& line, MatchMask& mask, std::string_view place);

} // namespace synopter
