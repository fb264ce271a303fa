#pragma once

#include "compare/spelling_groups.h"

#include <span>
#include <string>
#include <string_view>

// The word lists and scribal rules behind SpellingRules, by group (inside
// src/compare only).
namespace synopter::spelling {

// Lines of words that are one word spelt several ways, the first standing for
// the line.
struct WordLines {
    SpellingGroup group;
    std::span<const std::string_view> lines;
};
std::span<const WordLines> ListedGroups();

// Stems written two ways: a word starting with `from` is the word starting
// with `to`. Each stem belongs to one word family only.
struct StemPair {
    std::string_view from;
    std::string_view to;
    SpellingGroup group;
};
std::span<const StemPair> StemPairs();

// The rules of the groups that are no lists, each on a key being made.
void UnassimilatePrefix(std::string& s);  // Assimilation
void SingleRhoAfterPrefix(std::string& s); // DoubleRho
void DropMovableNu(std::string& s);        // MovableNu
void InnerSpellings(std::string& s);       // ListedWords: lhmqetai/lhqetai
void ClassicalAorist(std::string& s);      // Aorist
void SingleConsonants(std::string& s);     // Consonants
void UnassimilateNasals(std::string& s);   // Nasals
void Deitacize(std::string& s);            // Itacism

} // namespace synopter::spelling
