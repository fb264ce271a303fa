#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace synopter {

class SpellingRules;

// One byte per character of a verse: 1 where the character is a space or part
// of a word matched in the other verse, kSpellingMatch where its word matches
// one of the other verse only as a spelling variant (under SpellingMode::Mark
// only), 0 otherwise. Non-zero is matched: readers that do not know
// kSpellingMatch treat it as 1.
using MatchMask = std::vector<std::uint8_t>;
constexpr std::uint8_t kSpellingMatch = 2;
// A word the aligned marking (compare/aligned_marking.h) pairs with its equal
// out of order, a moved word; matched like 1. (3 and 4 are lacuna_marks.h's.)
constexpr std::uint8_t kMovedMatch = 5;

// Marks the characters of `right` and `left` that belong to words both verses
// share. Words are separated by single spaces only and compared byte for byte.
// Pass 1 pairs words with the same number, pass 2 aligns the verses at their
// ends, and, unless `exactPositions`, pass 3 lets any still unmatched word claim
// every unmatched equal word of the left verse.
//
// With `spelling`, the words still unmatched then go through the same three
// passes again comparing their SpellingRules keys, and are marked
// kSpellingMatch.
//
// The caller zeroes the masks; they are grown to the verse lengths when shorter,
// and bytes are only ever set to 1 (or kSpellingMatch). Verses of any length and word count work,
// in time linear in their length.
//
// `keepGoing`, when given, is asked every kKeepGoingWords words; once it says
// false the marking ends at once, the masks incomplete, and the result is false.
using KeepGoing = std::function<bool()>;
constexpr size_t kKeepGoingWords = 4096;
bool MarkCommonWords(std::string_view right, std::string_view left,
                     MatchMask& rightMask, MatchMask& leftMask, bool exactPositions,
                     const KeepGoing& keepGoing = {}, const SpellingRules* spelling = nullptr);

// The number of 0 bytes among the first `length` bytes of the mask.
int CountUnmatched(const MatchMask& mask, size_t length);

} // namespace synopter
