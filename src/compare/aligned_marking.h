#pragma once

#include "compare/rich_text.h"
#include "compare/word_match.h"

#include <string_view>

namespace synopter {

class SpellingRules;

// A moved word is paired with an equal word of the other verse no further than
// this many words from where the alignment would set it: a transposition, not
// a word dropped here and another added far off. As the collation's span.
inline constexpr int kMaxMovedWords = 12;

// Moved words' purple (RGB 160,0,160) in the panes and result files
// (0x00BBGGRR); the HTML report's #A000A0.
constexpr rtf::Colour kMovedColour = 0xA000A0;

// Marks a verse pair by aligning its words rather than by MarkCommonWords'
// passes; for showing only, the counts stay MarkCommonWords'. Masks as
// MarkCommonWords' (grown to the verse lengths, spaces 1), except that every
// byte of each verse is written, so a mask marked before needs no zeroing.
//
// Words are paired by the longest common subsequence of the two word
// sequences; a word is 0 exactly when nothing pairs it, so a surplus repeated
// word is marked and a shared one never is. With `spelling`, the words still
// unpaired between two pairs are aligned again by their spelling keys and get
// kSpellingMatch when `markSpelling`, 1 otherwise. Last, a word left unpaired
// whose equal (or spelling variant) is unpaired in the other verse within
// kMaxMovedWords is paired as moved: kMovedMatch on both.
void MarkAlignedWords(std::string_view right, std::string_view left, MatchMask& rightMask, MatchMask& leftMask,
                      const SpellingRules* spelling = nullptr, bool markSpelling = true);

} // namespace synopter
