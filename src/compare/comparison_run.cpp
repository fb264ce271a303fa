#include "compare/comparison_run.h"

#include <algorithm>

namespace synopter {

RunSummary ComparisonRun(const std::vector<std::string>& left, const std::vector<std::string>& right,
                         const RunOptions& options, RunOutput& output)
{
    const int threshold = std::max(1, options.threshold);
    const size_t T = static_cast<size_t>(threshold);

    output.ClearChapterList();
    output.ClearPanes();

    RunSummary summary;
    std::string currentHeading;
    std::string lastReportedHeading;
    MatchMask rightMask;
    MatchMask leftMask;
    const std::string empty;

    const size_t total = std::max(right.size(), left.size());
    output.SetProgressRange(static_cast<int>(total));

    for (size_t k = 0; k < total; ++k) {
        const bool haveRight = k < right.size();
        const bool haveLeft = k < left.size();
        if (haveRight && IsHeadingLine(right[k]))
            currentHeading = right[k];

        const std::string& r = haveRight ? right[k] : empty;
        const std::string& l = haveLeft ? left[k] : empty;
        const bool passOver = (haveRight && haveLeft && r == l) || (r.size() < T && l.size() < T);

        if (!passOver) {
            rightMask.assign(std::max(rightMask.size(), r.size()), 0);
            leftMask.assign(std::max(leftMask.size(), l.size()), 0);
            MarkCommonWords(r, l, rightMask, leftMask, options.exactPositions);
            const int uR = CountUnmatched(rightMask, r.size());
            const int uL = CountUnmatched(leftMask, l.size());
            if (uL >= threshold || uR >= threshold) {
                if (currentHeading != lastReportedHeading) {
                    output.AddChapter(currentHeading);
                    output.AppendHeading(currentHeading);
                    lastReportedHeading = currentHeading;
                }
                ++summary.found;
                output.ShowFoundCount(summary.found);
                output.AppendVersePair(r, l, rightMask, leftMask);
            }
        }

        output.SetProgress(static_cast<int>(k));
        output.AfterLine();
        if (output.StopRequested()) {
            output.SetProgress(0);
            summary.stopped = true;
            break;
        }
    }

    output.SaveResultFiles();
    return summary;
}

} // namespace synopter
