#include "compare/comparison_run.h"

#include <algorithm>

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

} // namespace

RunSummary ComparisonRun(const std::vector<std::string>& left, const std::vector<std::string>& right,
                         const RunOptions& options, RunOutput& output)
{
    const int threshold = std::max(kMinThreshold, options.threshold);
    const size_t T = static_cast<size_t>(threshold);

    RunSummary summary;
    std::string currentHeading;
    std::string lastReportedHeading;
    MatchMask rightMask;
    MatchMask leftMask;
    const std::string empty;

    const size_t total = RunLength(left, right);
    // A line of many thousand words takes long enough that Stop must reach into it.
    const KeepGoing stillGoing = [&output] { return output.StillGoing(); };

    for (size_t k = 0; k < total; ++k) {
        const bool haveRight = k < right.size();
        const bool haveLeft = k < left.size();
        if (haveRight && IsHeadingLine(right[k]))
            currentHeading = right[k];

        const std::string& r = haveRight ? right[k] : empty;
        const std::string& l = haveLeft ? left[k] : empty;
        const bool passOver = (haveRight && haveLeft && r == l) || (r.size() < T && l.size() < T);

        if (!passOver) {
            if (!ClearMask(rightMask, r.size(), output) || !ClearMask(leftMask, l.size(), output) ||
                !MarkCommonWords(r, l, rightMask, leftMask, options.exactPositions, stillGoing)) {
                summary.stopped = true;
                break;
            }
            const int uR = CountUnmatched(rightMask, r.size());
            const int uL = CountUnmatched(leftMask, l.size());
            if (uL >= threshold || uR >= threshold) {
                if (currentHeading != lastReportedHeading) {
                    output.Chapter(currentHeading);
                    lastReportedHeading = currentHeading;
                }
                ++summary.found;
                output.FoundCount(summary.found);
                output.VersePair(r, l, rightMask, leftMask);
            }
        }

        if (!output.Progress(static_cast<int>(k))) {
            summary.stopped = true;
            break;
        }
    }
    return summary;
}

} // namespace synopter
