#include "compare/comparison_run.h"

#include "compare/aligned_marking.h"
#include "compare/lacuna_marks.h"
#include "compare/relocations.h"
#include "compare/spelling_rules.h"
#include "editions/edition_lines.h"
#include "editions/lacunae.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace synopter {

namespace {

// Zeroes the mask and grows it to at least `size`. New memory is first touched
// a megabyte at a time, asking between pieces: for a line of many megabytes
// that alone takes long enough to matter to Stop.
bool ClearMask(MatchMask& mask, size_t size, RunOutput& output)
{
    constexpr size_t kPiece = size_t{1} << 20;
    std::fill(mask.begin(), mask.end(), 0);
    if (mask.size() >= size)
        return true;
    mask.reserve(size);
    while (mask.size() < size) {
        mask.resize(std::min(size, mask.size() + kPiece), 0);
        if (size > kPiece && !output.StillGoing())
            return false;
    }
    return true;
}

// Whether the pair would reach the threshold with its spelling variants
// counted as differences, given its unmatched counts without them.
bool CountedUnderCount(const MatchMask& rightMask, size_t rightSize, int uR, int threshold,
                       const MatchMask& leftMask, size_t leftSize, int uL)
{
    const auto spelt = [](const MatchMask& mask, size_t size) {
        const auto end = mask.begin() + static_cast<std::ptrdiff_t>(std::min(size, mask.size()));
        return static_cast<int>(std::count(mask.begin(), end, kSpellingMatch));
    };
    return uR + spelt(rightMask, rightSize) >= threshold || uL + spelt(leftMask, leftSize) >= threshold;
}

// Under Ignore a spelling variant is matched like any other word.
void ClearSpellingMarks(MatchMask& rightMask, size_t rightSize, MatchMask& leftMask, size_t leftSize)
{
    for (auto [mask, size] : {std::pair{&rightMask, rightSize}, std::pair{&leftMask, leftSize}}) {
        const auto end = mask->begin() + static_cast<std::ptrdiff_t>(std::min(size, mask->size()));
        std::replace(mask->begin(), end, kSpellingMatch, std::uint8_t{1});
    }
}

// Reports `heading` when a pair or run is about to be reported under another one than the last.
void HeadOnce(RunOutput& output, const std::string& heading, std::string& lastReported)
{
    if (heading != lastReported) {
        output.Chapter(heading);
        lastReported = heading;
    }
}

// Lacunose lines gathered into runs of one chapter and the same sides.
template <typename Line>
class LacunoseRuns {
public:
    LacunoseRuns(std::span<const Line> left, std::span<const Line> right, RunOutput& output,
                 std::string& lastReportedHeading)
        : left_(left), right_(right), output_(output), lastReportedHeading_(lastReportedHeading)
    {
    }
    // Line k is lacunose on the sides given, under `heading`.
    void Add(size_t k, bool rightLost, bool leftLost, const std::string& heading)
    {
        if (open_ && (k != run_.lastLine + 1 || rightLost != run_.right || leftLost != run_.left || heading != heading_))
            Flush();
        if (!open_) {
            run_ = {k, k, Reference(k), {}, rightLost, leftLost};
            heading_ = heading;
            open_ = true;
        }
        run_.lastLine = k;
    }
    // Reports the run gathered, headed by its chapter when that is new.
    void Flush()
    {
        if (!open_)
            return;
        open_ = false;
        HeadOnce(output_, heading_, lastReportedHeading_);
        run_.lastReference = Reference(run_.lastLine);
        output_.Lacunose(run_);
    }

private:
    // The reference of whichever side's line has one.
    std::string_view Reference(size_t k) const
    {
        for (std::span<const Line> lines : {right_, left_})
            if (k < lines.size())
                if (const std::string_view r = ParseVerseLine(lines[k]).reference; !r.empty())
                    return r;
        return {};
    }

    std::span<const Line> left_;
    std::span<const Line> right_;
    RunOutput& output_;
    std::string& lastReportedHeading_;
    LacunoseRun run_;
    std::string heading_;
    bool open_ = false;
};

// A pair's gaps, with the other side's words in each lost part marked.
PairGaps MarkRemnants(const Lacunae* rightLost, const Lacunae* leftLost, size_t k, std::string_view r,
                      MatchMask& rightMask, std::string_view l, MatchMask& leftMask)
{
    PairGaps gaps;
    if (rightLost)
        gaps.right = rightLost->Gaps(k);
    if (leftLost)
        gaps.left = leftLost->Gaps(k);
    MarkLostText(r, rightMask, gaps.right, l, leftMask);
    MarkLostText(l, leftMask, gaps.left, r, rightMask);
    return gaps;
}

std::span<const std::string_view> ViewsOf(std::span<const std::string_view> lines) { return lines; }
std::vector<std::string_view> ViewsOf(std::span<const std::string> lines)
{
    return {lines.begin(), lines.end()};
}

const Lacunae* Lost(const Lacunae* lacunae)
{
    return lacunae && !lacunae->Empty() ? lacunae : nullptr;
}

// A reported pair to the output, by what its sides are: a remnant's, one
// whose empty side stands elsewhere, or an ordinary one.
template <typename Line>
void HandOn(RunOutput& output, const Line& r, const Line& l, const MatchMask& rightMask, const MatchMask& leftMask,
            const PairGaps& gaps, const Relocation* moved)
{
    if (!gaps.right.empty() || !gaps.left.empty())
        output.LacunaPair(std::string(r), std::string(l), rightMask, leftMask, gaps); // rare: copies are fine
    else if (moved)
        output.RelocatedPair(std::string(r), std::string(l), rightMask, leftMask, *moved); // rare too
    else if constexpr (std::is_same_v<Line, std::string>)
        output.VersePair(r, l, rightMask, leftMask);
    else
        output.VersePairView(r, l, rightMask, leftMask);
}

template <typename Line>
RunSummary RunOver(std::span<const Line> left, std::span<const Line> right, const RunOptions& options,
                   RunOutput& output)
{
    const int threshold = std::max(kMinThreshold, options.threshold);
    const size_t T = static_cast<size_t>(threshold);

    RunSummary summary;
    std::string currentHeading;
    std::string lastReportedHeading;
    MatchMask rightMask;
    MatchMask leftMask;
    const Line empty{};

    const size_t total = std::max(left.size(), right.size());
    // A line of many thousand words takes long enough that Stop must reach into it.
    const KeepGoing stillGoing = [&output] { return output.StillGoing(); };
    const SpellingRules* spelling = nullptr;
    if (options.spelling != SpellingMode::Count)
        spelling = options.spellingRules ? options.spellingRules : &SpellingRules::BuiltIn();
    const bool mark = options.spelling == SpellingMode::Mark;
    const Lacunae* const rightLost = Lost(options.rightLacunae);
    const Lacunae* const leftLost = Lost(options.leftLacunae);
    const bool lacunae = rightLost || leftLost;
    LacunoseRuns<Line> lacunose(left, right, output, lastReportedHeading);
    const std::vector<Relocation> relocations =
        options.relocations ? FindRelocations(ViewsOf(left), ViewsOf(right)) : std::vector<Relocation>{};

    for (size_t k = 0; k < total; ++k) {
        const bool haveRight = k < right.size();
        const bool haveLeft = k < left.size();
        if (haveRight && IsHeadingLine(right[k]))
            currentHeading = right[k];
        if (lacunae) {
            const bool rightLacunose = rightLost && rightLost->Lacunose(k);
            const bool leftLacunose = leftLost && leftLost->Lacunose(k);
            if (rightLacunose || leftLacunose) {
                ++summary.lacunose;
                lacunose.Add(k, rightLacunose, leftLacunose, currentHeading);
                if (!output.Progress(static_cast<int>(k))) {
                    summary.stopped = true;
                    break;
                }
                continue;
            }
            lacunose.Flush();
        }

        const Line& r = haveRight ? right[k] : empty;
        const Line& l = haveLeft ? left[k] : empty;
        const bool passOver = (haveRight && haveLeft && r == l) || (r.size() < T && l.size() < T);

        if (!passOver) {
            if (!ClearMask(rightMask, r.size(), output) || !ClearMask(leftMask, l.size(), output) ||
                !MarkCommonWords(r, l, rightMask, leftMask, options.exactPositions, stillGoing, spelling)) {
                summary.stopped = true;
                break;
            }
            PairGaps gaps;
            if (lacunae)
                gaps = MarkRemnants(rightLost, leftLost, k, r, rightMask, l, leftMask);
            const int uR = CountUnmatched(rightMask, r.size());
            const int uL = CountUnmatched(leftMask, l.size());
            const bool reported = uL >= threshold || uR >= threshold;
            const bool spellingOnly =
                spelling && !reported && CountedUnderCount(rightMask, r.size(), uR, threshold, leftMask, l.size(), uL);
            if (spellingOnly)
                ++summary.spellingOnly;
            if ((reported || (spellingOnly && mark)) && options.marking == WordMarking::Aligned) {
                // Shown as aligned; the counts above stay the comparison's.
                // Every byte of both verses is written again: no clearing.
                MarkAlignedWords(r, l, rightMask, leftMask, spelling, mark);
                if (lacunae)
                    gaps = MarkRemnants(rightLost, leftLost, k, r, rightMask, l, leftMask);
            }
            if (spellingOnly && mark) { // shown, so that it can be read and found, but not found itself
                HeadOnce(output, currentHeading, lastReportedHeading);
                output.SpellingOnlyPair(r, l, rightMask, leftMask, gaps);
            }
            if (reported) {
                if (spelling && !mark)
                    ClearSpellingMarks(rightMask, r.size(), leftMask, l.size());
                HeadOnce(output, currentHeading, lastReportedHeading);
                ++summary.found;
                output.FoundCount(summary.found);
                HandOn(output, r, l, rightMask, leftMask, gaps, RelocationAt(relocations, k));
                if (mark)
                    output.SpellingOnlyCount(summary.spellingOnly);
            }
        }

        if (!output.Progress(static_cast<int>(k))) {
            summary.stopped = true;
            break;
        }
    }
    lacunose.Flush();
    if (mark) // stopped or not: the pairs passed over since the last report count too
        output.SpellingOnlyCount(summary.spellingOnly);
    return summary;
}

} // namespace

void RunOutput::VersePairView(std::string_view right, std::string_view left, const MatchMask& rightMask,
                              const MatchMask& leftMask)
{
    VersePair(std::string(right), std::string(left), rightMask, leftMask);
}

void RunOutput::RelocatedPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                              const MatchMask& leftMask, const Relocation& moved)
{
    std::string shown = moved.rightEmpty ? right : left;
    MatchMask shownMask(moved.rightEmpty ? rightMask : leftMask);
    shownMask.resize(std::min(shownMask.size(), shown.size()));
    AppendRelocationNote(shown, shownMask, moved.place);
    if (moved.rightEmpty)
        VersePair(shown, left, shownMask, leftMask);
    else
        VersePair(right, shown, rightMask, shownMask);
}

RunSummary ComparisonRun(const std::vector<std::string>& left, const std::vector<std::string>& right,
                         const RunOptions& options, RunOutput& output)
{
    return RunOver<std::string>(left, right, options, output);
}

RunSummary ComparisonRun(std::span<const std::string_view> left, std::span<const std::string_view> right,
                         const RunOptions& options, RunOutput& output)
{
    return RunOver<std::string_view>(left, right, options, output);
}

} // namespace synopter
