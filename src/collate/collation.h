#pragma once

#include "compare/comparison_run.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A critical apparatus of any number of editions against a base edition. For
// each verse slot, every edition's words are aligned to the base edition's
// words (longest common subsequence; neighbouring differences that hold the
// same words, or a word left out in one and found in the other, are one
// reading: a transposition, or a word moved with other changes), the word
// equality being the comparison's: bytes, or under SpellingMode::Mark and
// ::Ignore, SpellingRules keys. The alignments are merged into variation units:
// maximal stretches of base words (empty for an addition) where at least one
// edition differs. Editions are indices into the list the caller collates.
namespace synopter::collate {

enum class ReadingKind { Substitution, Omission, Addition, Transposition, Absent, Spelling };

// "substitution", "omission", "addition", "transposition", "absent", "spelling".
std::string_view KindName(ReadingKind kind);

struct Reading {
    std::string text;          // the words, transliterated, single spaces; "" for an omission or an absent verse
    std::vector<int> editions; // ascending
    ReadingKind kind = ReadingKind::Substitution;
};

struct Unit {
    // The base words [first, last) the unit covers; first == last is an
    // addition before base word `first` (after the last word when it is the
    // word count). An absent-verse unit covers the whole verse.
    int first = 0;
    int last = 0;
    std::string base;       // those base words, "" for an addition
    std::vector<int> agree; // editions reading as the base, the base edition among them; ascending
    std::vector<Reading> readings;

    // The unit of the editions that lack the verse: one reading of kind
    // Absent. Other units of the verse leave those editions out.
    bool AbsentVerse() const { return readings.size() == 1 && readings.front().kind == ReadingKind::Absent; }
};

struct Options {
    int base = 0; // the base edition's index
    // Moved words are an omission in one place and an addition in another,
    // rather than one transposition.
    bool exactPositions = false;
    // Count: spelling variants are readings like any other. Mark: they are
    // readings of kind Spelling (a unit of their own when nothing else
    // differs there). Ignore: they read as the base and make no unit. Under
    // Mark and Ignore the same letters divided into other words ("dia ti" /
    // "diati") count as a spelling variant too.
    SpellingMode spelling = SpellingMode::Count;
    const SpellingRules* spellingRules = nullptr; // null: SpellingRules::BuiltIn()
};

// The units of one verse slot: `verses[e]` is edition e's verse text without
// its reference (words separated by single spaces, "" for a verse the edition
// lacks). Units are in base order; an addition comes before a unit that starts
// at the same word, and the absent-verse unit first of all.
std::vector<Unit> CollateVerse(std::span<const std::string_view> verses, const Options& options);

struct VerseApparatus {
    int line = 0;          // index of the verse's line in the layout, from 0
    std::string chapter;   // the heading above it ("KATA IWANNHN 3")
    std::string reference; // "3:16"
    std::string baseText;  // the base edition's verse without its reference
    std::vector<Unit> units;
};

// Splits a verse line " 3:16 outwv gar ..." into its reference and its words;
// a line without a reference is all words.
struct VerseLine {
    std::string_view reference;
    std::string_view words;
};
VerseLine SplitVerseLine(std::string_view line);

// Walks the editions' lines (one layout; a line past the end of a shorter text
// is an absent verse) and hands every verse slot with at least one unit to
// `verse`, in line order. `include`, when given, chooses the lines (by index)
// to collate; the chapter heading is followed either way. Returning false
// from `verse` stops the walk.
void CollateTexts(std::span<const std::vector<std::string>* const> texts, const Options& options,
                  const std::function<bool(const VerseApparatus&)>& verse,
                  const std::function<bool(int line)>& include = {});

// For every pair of editions, the units in which they read differently (two
// editions differ in a unit unless both agree with the base or both have the
// same reading): a symmetric table, editionCount × editionCount, 0 on the
// diagonal. Call Add for each verse.
class DistanceTable {
public:
    explicit DistanceTable(int editionCount);
    void Add(const VerseApparatus& verse);
    int Distance(int a, int b) const { return cells_[static_cast<size_t>(a) * size_ + b]; }
    int Size() const { return size_; }

private:
    int size_;
    std::vector<int> cells_;
    std::vector<int> group_; // per edition, scratch
};

// The distances between all of `texts` (one layout; the lines `include`
// chooses, all when it is empty), counted over a collation against
// `options.base` (which the distances hardly depend on). `goOn`, asked after
// each verse with units, stops the count when it answers false: the table is
// then incomplete.
DistanceTable CountDistances(std::span<const std::vector<std::string>* const> texts, const Options& options,
                             const std::function<bool(int line)>& include = {},
                             const std::function<bool()>& goOn = {});

} // namespace synopter::collate
