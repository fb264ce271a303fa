#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace synopter {

// One byte per character of a verse: 1 where the character is a space or part
// of a word matched in the other verse, 0 otherwise.
using MatchMask = std::vector<std::uint8_t>;

// Marks the characters of `right` and `left` that belong to words both verses
// share. Words are separated by single spaces only and compared byte for byte.
// Pass 1 pairs words with the same number, pass 2 aligns the verses at their
// ends, and, unless `exactPositions`, pass 3 lets any still unmatched word claim
// every unmatched equal word of the left verse.
//
// The caller zeroes the masks; they are grown to the verse lengths when shorter,
// and bytes are only ever set to 1. Verses of any length and word count work,
// in time linear in their length.
//
// `keepGoing`, when given, is asked every kKeepGoingWords words; once it says
// false the marking ends at once, the masks incomplete, and the result is false.
using KeepGoing = std::function<bool()>;
constexpr size_t kKeepGoingWords = 4096;
bool MarkCommonWords(std::string_view right, std::string_view left,
                     MatchMask& rightMask, MatchMask& leftMask, bool exactPositions,
                     const KeepGoing& keepGoing = {});

// The number of 0 bytes among the first `length` bytes of the mask.
int CountUnmatched(const MatchMask& mask, size_t length);

} // namespace synopter
