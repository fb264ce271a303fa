#pragma once

#include "compare/comparison_run.h"

#include <cstdint>
#include <functional>
#include <optional>
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
//
// A manuscript's lost text (its Lacunae) is never a reading: a witness whose
// verse is lost, or whose remnant lost the text a unit covers, stands in that
// unit as lacunose (a Lacuna reading, last), neither agreeing nor differing,
// and a difference that is only lost text makes no unit.
namespace synopter {
class Lacunae;
}

namespace synopter::collate {

enum class ReadingKind { Substitution, Omission, Addition, Transposition, Absent, Spelling, Lacuna };

// "substitution", "omission", "addition", "transposition", "absent",
// "spelling", "lacuna".
std::string_view KindName(ReadingKind kind);

struct Reading {
    // The words, transliterated, single spaces; "" for an omission, an absent
    // verse or the lacunose witnesses.
    std::string text;
    std::vector<int> editions; // ascending
    ReadingKind kind = ReadingKind::Substitution;
    // An Absent reading: those of its editions that have the verse at another
    // place of the book, each with that place ("16:25-27"); ascending.
    struct Elsewhere {
        int edition = 0;
        std::string at;
    };
    std::vector<Elsewhere> elsewhere = {};
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
    // Absent (and the lacunose witnesses after it). Other units of the verse
    // leave those editions out.
    bool AbsentVerse() const { return !readings.empty() && readings.front().kind == ReadingKind::Absent; }
    // The witnesses lacunose in this unit (none when it has no Lacuna reading).
    const std::vector<int>& Lacunose() const;
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
    // A witness's lost text makes a unit (where it is lacunose) even where
    // nothing else differs: an apparatus from which each witness reads back.
    bool lostTextUnits = false;
};

// What of one witness's verse slot is lost: all of it, or the places among
// its extant words where lost text stands (Lacunae::Gaps).
struct VerseLoss {
    bool lost = false;
    std::span<const uint16_t> gaps;
};

// The units of one verse slot: `verses[e]` is edition e's verse text without
// its reference (words separated by single spaces, "" for a verse the edition
// lacks). Units are in base order; an addition comes before a unit that starts
// at the same word, and the absent-verse unit first of all.
//
// `losses`, when given, holds one entry per edition. A remnant's extant words
// are aligned to the base as any witness's; the base words between the
// matched words around each of its gaps (from the start for gap 0, to the end
// for the last) are its lost part, where it is lacunose. A verse in which the
// base edition is not whole (lost, or a remnant) is collated against a
// stand-in, the first edition whose verse is whole (else the first with
// words): the base then reads, or is lacunose, as any other witness.
std::vector<Unit> CollateVerse(std::span<const std::string_view> verses, const Options& options,
                               std::span<const VerseLoss> losses = {});

struct VerseApparatus {
    int line = 0;          // index of the verse's line in the layout, from 0
    std::string chapter;   // the heading above it ("KATA IWANNHN 3")
    std::string reference; // "3:16"
    std::string baseText;  // the base edition's verse without its reference
    int base = 0;          // the edition baseText is: options.base, or its stand-in where that is not whole
    std::vector<Unit> units;
    std::vector<int> lost; // the witnesses that lost the whole verse, ascending
};

// Each edition's lacunae, indexed as the texts; an empty span or a null entry: nothing lost.
using WitnessLacunae = std::span<const Lacunae* const>;

// Splits a verse line " 3:16 outwv gar ..." into its reference and its words;
// a line without a reference is all words.
struct VerseLine {
    std::string_view reference;
    std::string_view words;
};
VerseLine SplitVerseLine(std::string_view line);

// Walks the editions' lines (one layout; a line past the end of a shorter text
// is an absent verse; one a witness has elsewhere is absent with its place, in
// Reading::elsewhere) and hands every verse slot with at least one unit to
// `verse`, in line order; with `everyVerse`, every verse slot, units or none.
// `include`, when given, chooses the lines (by index)
// to collate; the chapter heading is followed either way. Returning false
// from `verse` stops the walk. `lacunae` places each witness's lost text.
void CollateTexts(std::span<const std::vector<std::string>* const> texts, const Options& options,
                  const std::function<bool(const VerseApparatus&)>& verse,
                  const std::function<bool(int line)>& include = {}, WitnessLacunae lacunae = {},
                  bool everyVerse = false);

// For every pair of editions, the units in which they read differently (two
// editions differ in a unit unless both agree with the base or both have the
// same reading): a symmetric table, editionCount × editionCount, 0 on the
// diagonal. Beside it the units where both are extant (in the unit and
// neither lacunose), over which their agreement is counted, as manuscripts
// are compared; on the diagonal the units where the edition is extant. Call
// Add for each verse.
class DistanceTable {
public:
    explicit DistanceTable(int editionCount);
    void Add(const VerseApparatus& verse);
    int Distance(int a, int b) const { return cells_[At(a, b)]; }
    int Shared(int a, int b) const { return shared_[At(a, b)]; }
    int Agreeing(int a, int b) const { return Shared(a, b) - Distance(a, b); }
    // Agreeing / Shared as a percentage; none when they share no unit.
    std::optional<double> AgreementPercent(int a, int b) const;
    int Size() const { return size_; }

private:
    size_t At(int a, int b) const { return static_cast<size_t>(a) * static_cast<size_t>(size_) + static_cast<size_t>(b); }
    int size_;
    std::vector<int> cells_;
    std::vector<int> shared_;
    std::vector<int> group_; // per edition, scratch
};

// The distances between all of `texts` (one layout; the lines `include`
// chooses, all when it is empty), counted over a collation against
// `options.base` (which the distances hardly depend on). `goOn`, asked after
// each verse with units, stops the count when it answers false: the table is
// then incomplete.
DistanceTable CountDistances(std::span<const std::vector<std::string>* const> texts, const Options& options,
                             const std::function<bool(int line)>& include = {},
                             const std::function<bool()>& goOn = {}, WitnessLacunae lacunae = {});

} // namespace synopter::collate
