#pragma once

#include "compare/word_match.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

class Lacunae;
struct Relocation;

// Where a reported pair's text is lost: the gaps (Lacunae::Gaps) of each side
// that is a remnant, empty for a whole side.
struct PairGaps {
    std::span<const std::uint16_t> right;
    std::span<const std::uint16_t> left;
};

// Consecutive verse lines of one chapter that are lacunose on the same
// side(s): never differences, never counted as found.
struct LacunoseRun {
    size_t firstLine = 0;
    size_t lastLine = 0;
    std::string_view firstReference; // "3:5" ("" for a line without one)
    std::string_view lastReference;  // "3:9"
    bool right = false;              // the right side is lacunose there
    bool left = false;
    int Verses() const { return static_cast<int>(lastLine - firstLine + 1); }
};

// What a comparison run reports, and where it asks whether to go on. The
// window implements it with its panes and controls; the command-line tool and
// the tests with plain data.
class RunOutput {
public:
    virtual ~RunOutput() = default;

    // A pair is about to be reported under another chapter label than the last one.
    virtual void Chapter(const std::string& heading) = 0;
    virtual void FoundCount(int found) = 0;
    virtual void VersePair(const std::string& right, const std::string& left,
                           const MatchMask& rightMask, const MatchMask& leftMask) = 0;
    // The same from a run over views of the lines; by default handed on to
    // VersePair as strings. An output that only reads the lines takes them as
    // they are.
    virtual void VersePairView(std::string_view right, std::string_view left,
                               const MatchMask& rightMask, const MatchMask& leftMask);
    // After every line, passed over or reported, with its index; false stops the run.
    virtual bool Progress(int line) = 0;
    // Asked every few thousand words inside a long line; false stops the run
    // there, the line unreported.
    virtual bool StillGoing() { return true; }
    // Under SpellingMode::Mark, after every reported pair and once at the end
    // (stopped or not):
    // the verse pairs so far that differ only in spelling (reported under
    // Count, not under Mark).
    virtual void SpellingOnlyCount(int /*pairs*/) {}
    // A reported pair of which either side is a remnant, in VersePair's place;
    // its masks hold kLacunaText (compare/lacuna_marks.h) on the words of the
    // other side that stand in the lost part. By default VersePair.
    virtual void LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                            const MatchMask& leftMask, const PairGaps& /*gaps*/)
    {
        VersePair(right, left, rightMask, leftMask);
    }
    // Lacunose verses, in line order among the pairs and after Chapter() when
    // their chapter is another than the last one reported.
    virtual void Lacunose(const LacunoseRun& /*run*/) {}
    // Under SpellingMode::Mark, each pair that Count would report and this run
    // does not (differing only in spelling), in line order among the pairs and
    // after Chapter() like one. Its masks hold kSpellingMatch on the spelling
    // variants; `gaps` as for LacunaPair. Never found, never counted; by
    // default passed over.
    virtual void SpellingOnlyPair(std::string_view /*right*/, std::string_view /*left*/,
                                  const MatchMask& /*rightMask*/, const MatchMask& /*leftMask*/,
                                  const PairGaps& /*gaps*/)
    {
    }
    // A reported pair whose empty side has the other side's text elsewhere
    // (compare/relocations.h), in VersePair's place. By default VersePair,
    // the empty side with its grey note ("-> 16:25-27").
    virtual void RelocatedPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                               const MatchMask& leftMask, const Relocation& moved);
};

// The threshold the window and the command line offer, and their default.
constexpr int kMinThreshold = 1;
constexpr int kMaxThreshold = 1000;
constexpr int kDefaultThreshold = 20;

class SpellingRules;

// What spelling variants (compare/spelling_rules.h) are to a run:
//   Count   differences like any other; today's results, byte for byte
//   Mark    matched, not counted towards the threshold, their characters
//           kSpellingMatch (2) in the masks, for showing in their own colour
//   Ignore  matched and not counted, their characters 1 like any match
enum class SpellingMode { Count, Mark, Ignore };

// How a reported pair's words are marked for showing:
//   Defined  as MarkCommonWords decided them
//   Aligned  by MarkAlignedWords (compare/aligned_marking.h): what an alignment
//            of the two verses leaves unpaired, moved words kMovedMatch
// Which pairs are reported, and every count, are MarkCommonWords' under both.
enum class WordMarking { Defined, Aligned };

struct RunOptions {
    int threshold = kDefaultThreshold; // raised to kMinThreshold when lower
    bool exactPositions = false;
    SpellingMode spelling = SpellingMode::Count;
    // The rules under Mark and Ignore (e.g. ReadSpellingList's, with the
    // user's spelling.txt); null for SpellingRules::BuiltIn(). Not owned.
    const SpellingRules* spellingRules = nullptr;
    // The two sides' lost text (null or empty: none, and the run is as it
    // always was). Not owned.
    const Lacunae* rightLacunae = nullptr;
    const Lacunae* leftLacunae = nullptr;
    WordMarking marking = WordMarking::Defined;
    // Whether an empty slot whose text the other side has elsewhere is
    // reported as such (RelocatedPair). The pairs and counts are the same.
    bool relocations = true;
};

struct RunSummary {
    int found = 0;
    bool stopped = false;
    // Under Mark and Ignore: the pairs that Count would report and this run
    // did not, as they differ only in spelling. 0 under Count.
    int spellingOnly = 0;
    // Verse lines lacunose on either side; never among `found`.
    int lacunose = 0;
};

// The lines a run walks: as many as the longer list has.
inline size_t RunLength(const std::vector<std::string>& left, const std::vector<std::string>& right)
{
    return std::max(left.size(), right.size());
}

// Walks both line lists at the same index and reports every pair whose
// unmatched characters reach the threshold on either side, headed by the right
// list's chapter label. A slot lacunose on either side is reported as such
// (Lacunose), never compared; in a remnant the words of the other side that
// stand in its lost part do not count (see MarkLostText).
RunSummary ComparisonRun(const std::vector<std::string>& left, const std::vector<std::string>& right,
                         const RunOptions& options, RunOutput& output);
// The same over views of the lines (synopter-compare's, into the texts as
// read), the pairs reported through VersePairView.
RunSummary ComparisonRun(std::span<const std::string_view> left, std::span<const std::string_view> right,
                         const RunOptions& options, RunOutput& output);

} // namespace synopter
