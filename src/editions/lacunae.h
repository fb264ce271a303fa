#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Where a witness's text is lost. A manuscript lacks verses because pages were
// lost (lacunose) and has verses of which only a part survives (a remnant);
// neither is an omission. A verse slot with no words that is not lacunose is
// absent: the scribe did not write it. An edition without lacunae has none,
// so printed editions read as they always did.
//
// In the descriptor (NAME.bk) the section [Lacunae] lists them by reference,
// BBCCCVVV as transcriptions number verses (book 40 Matthew ... 66 Revelation):
//   [Lacunae]
//   40001001-40002023=lost      every verse slot of the range is lost
//   40003006=gaps 0 5           a remnant: lost text before word 0 and after
//                               word 5 of its five extant words
// and [Manuscript] Hand names the hand the text follows (first, scribe, last).
namespace synopter {

class Lacunae {
public:
    bool Empty() const { return lost_.empty() && gaps_.empty(); }

    // The verse slot at `line` (an index into the edition's lines) is wholly lost.
    bool Lacunose(size_t line) const { return lost_.count(line) != 0; }
    // Where lost text stands among a remnant's extant words: positions 0..n,
    // 0 before the first word, n after the last of n; sorted, each once. Empty
    // for a slot that is whole or wholly lost.
    std::span<const uint16_t> Gaps(size_t line) const;
    // Lacunose or a remnant: some of the slot is lost.
    bool Touches(size_t line) const { return Lacunose(line) || gaps_.count(line) != 0; }

    size_t LacunoseCount() const { return lost_.size(); }
    size_t RemnantCount() const { return gaps_.size(); }

    void SetLacunose(size_t line);
    // Empty `gaps` make the slot whole again.
    void SetGaps(size_t line, std::vector<uint16_t> gaps);

    // Lines in order, for writing and counting.
    const std::map<size_t, bool>& LostLines() const { return lost_; }
    const std::map<size_t, std::vector<uint16_t>>& RemnantLines() const { return gaps_; }

private:
    std::map<size_t, bool> lost_;
    std::map<size_t, std::vector<uint16_t>> gaps_;
};

// The lacunae of an edition from its descriptor's bytes, placed on its lines
// (headings name book and chapter, verse lines the verse). Entries naming no
// slot of the lines, or unreadable, are left out and counted in `skipped`.
Lacunae ParseLacunae(std::string_view descriptorBytes, const std::vector<std::string>& lines,
                     int* skipped = nullptr);
// Reads NAME.bk; a missing or unreadable descriptor has no lacunae.
Lacunae ReadLacunae(const std::string& descriptorPath, const std::vector<std::string>& lines);
Lacunae ReadLacunae(const std::string& descriptorPath, std::span<const std::string_view> lines);

// The [Lacunae] section for a descriptor ("" when there are none), runs of
// lost slots joined into ranges; lines CR LF.
std::string LacunaeSectionText(const Lacunae& lacunae, const std::vector<std::string>& lines);

// The hand a manuscript's text follows.
enum class Hand { First, Scribe, Last };
std::string_view HandName(Hand hand);          // "first", "scribe", "last"
bool ParseHand(std::string_view name, Hand& hand);

// What a witness has: for the choosers, the catalogue and the import report.
struct WitnessExtent {
    int versesExtant = 0; // slots with words (remnants included)
    int remnants = 0;
    int lacunose = 0;
    int absent = 0;       // empty slots not lacunose
    std::vector<int> books; // books (0 Matthew ... 26 Revelation) with an extant verse
};
WitnessExtent MeasureExtent(const std::vector<std::string>& lines, const Lacunae& lacunae);

// The books as DescribeExtent names them: "Matthew–John" for a run of more
// than three, else "John, Romans"; "" for none.
std::string ExtentBooks(const std::vector<int>& books);

// "Matthew–John, 3 412 verses extant" or, for a few books,
// "John, Romans, 2 Corinthians: 120 verses extant"; `hand` non-empty adds
// ", scribe's hand" ("first hand", "later hands").
std::string DescribeExtent(const WitnessExtent& extent, std::string_view hand = {});

} // namespace synopter
