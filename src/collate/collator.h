#pragma once

#include "collate/collation.h"
#include "compare/relocations.h"
#include "compare/word_alignment.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// Inside the collation library only: the collation of one verse slot, in three
// steps, each in a file of its own: every witness aligned to the base
// (collation_align.cpp), the differences made readings, moved words found
// (collation_moves.cpp), and the differences of all witnesses merged into
// variation units (collation_units.cpp).
namespace synopter::collate {

// Per witness, the verses it lacks where the base has them and it has them at
// another place of the book (compare/relocations.h), against the base edition.
class RelocatedVerses {
public:
    RelocatedVerses(std::span<const std::vector<std::string>* const> texts, int base);
    // In the absent-verse unit of `line`, the witnesses that have the verse
    // elsewhere, with the place (Reading::elsewhere).
    void Mark(size_t line, std::vector<Unit>& units) const;

private:
    std::vector<std::vector<Relocation>> byWitness_;
    bool any_ = false;
};

// Moved words are looked for within this many base words: an apparatus sets
// out a transposition as one reading only when it is short.
inline constexpr int kMaxMoveSpan = 12;
// A moved word joins the stretches around it into one reading within this
// many base words.
inline constexpr int kMaxShiftSpan = 6;

// A stretch where a witness differs from the base: base words [bs, be) against
// witness words [ws, we). bs == be is an addition, ws == we an omission.
struct Hunk {
    int bs, be, ws, we;
    bool lettersOnly = false; // the same letters divided into other words (dia ti / diati)
};

// True when a[a0, a1) and b[b0, b1) spell the same letters, spaces aside.
bool SameLetters(const std::vector<std::string_view>& a, int a0, int a1, const std::vector<std::string_view>& b,
                 int b0, int b1);

// The collation of one verse slot, its buffers kept from slot to slot.
class Collator {
public:
    explicit Collator(const Options& options);

    std::vector<Unit> Collate(std::span<const std::string_view> verses, std::span<const VerseLoss> losses = {});
    // The edition the last Collate read against: the options' base, or its stand-in.
    int Base() const { return base_; }

private:
    struct Edition {
        std::vector<std::string_view> words;
        std::vector<int> ids; // equal ids: equal words (up to spelling, where it is ignored or marked)
        std::vector<Hunk> hunks;
        std::vector<int> startAt, endAt; // per base gap: where the witness's words there begin and end
        bool absent = false;
        bool lost = false; // the verse is lost: lacunose in every unit
        // A remnant's lost parts in base positions [from, to]: the words
        // [from, to) and the gaps from..to between words.
        std::vector<std::pair<int, int>> lostParts;
    };
    // Base words [first, last) where a witness differs.
    struct Span {
        int first, last;
        bool real = true; // false: only other word division, ignored
    };

    // collation_align.cpp
    int Id(std::string_view word);
    void ReadWords(std::span<const std::string_view> verses);
    void Align(const std::vector<int>& b, const std::vector<int>& w, int b0, int b1, int w0, int w1,
               std::vector<std::pair<int, int>>& matches);
    // collation_moves.cpp
    void MakeHunks(Edition& edition, const Edition& base, const std::vector<std::pair<int, int>>& matches);
    void JoinMoves(std::vector<Hunk>& hunks, const Edition& base, const Edition& witness);
    void PlaceGaps(Edition& edition, int baseWords);
    bool SameWords(const std::vector<int>& a, int a0, int a1, const std::vector<int>& b, int b0, int b1);
    bool WordMoved(const Edition& base, const Edition& witness, const std::vector<Hunk>& hunks, size_t from,
                   size_t to);
    ReadingKind Kind(const Edition& base, int bs, int be, const Edition& witness, int ws, int we);
    // collation_units.cpp
    int StandInBase(std::span<const std::string_view> verses, std::span<const VerseLoss> losses) const;
    void PlaceLostParts(Edition& edition, std::span<const uint16_t> gaps, int baseWords);
    static bool LostAt(const Edition& edition, int first, int last);
    static bool LostWithin(const Edition& edition, const Hunk& hunk);
    void AddAbsentVerseUnit(int count, std::vector<Unit>& units);
    void FindDifferences(int count, std::vector<Span>& spans, std::vector<int>& additionGaps);
    static std::vector<Span> UnitPlaces(std::vector<Span>& spans, std::vector<int>& additionGaps);
    Unit UnitAt(const Span& place, int count);

    Options options_;
    int base_ = 0; // this verse's base: options_.base unless that is not whole here
    std::span<const VerseLoss> losses_; // this verse's, while it is collated
    const SpellingRules* rules_;
    std::vector<Edition> editions_;
    std::unordered_map<std::string_view, int> ids_;
    std::deque<std::string> ownedKeys_; // keys the rules could not keep for us
    std::string scratch_;
    std::vector<std::pair<int, int>> matches_;
    AlignmentBuffers alignment_;
    std::vector<int> counts_;
};

} // namespace synopter::collate
