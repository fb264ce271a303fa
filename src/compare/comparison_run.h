#pragma once

#include "compare/word_match.h"

#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// Where a comparison run sends its results and asks whether to go on. The
// window implements it with its panes and controls; the command-line tool and
// the tests with plain data.
class RunOutput {
public:
    virtual ~RunOutput() = default;

    virtual void ClearChapterList() = 0;
    virtual void ClearPanes() = 0;
    virtual void SetProgressRange(int maximum) = 0;

    virtual void AddChapter(const std::string& heading) = 0;
    virtual void AppendHeading(const std::string& heading) = 0;
    virtual void ShowFoundCount(int found) = 0;
    virtual void AppendVersePair(const std::string& right, const std::string& left,
                                 const MatchMask& rightMask, const MatchMask& leftMask) = 0;

    virtual void SetProgress(int position) = 0;
    // After every line, passed over or reported: the window scrolls its panes to
    // the top and lets pending events run here.
    virtual void AfterLine() = 0;
    virtual bool StopRequested() = 0;

    virtual void SaveResultFiles() = 0;
};

struct RunOptions {
    int threshold = 20;         // raised to 1 when lower
    bool exactPositions = false;
};

struct RunSummary {
    int found = 0;
    bool stopped = false;
};

// True for a chapter label: a non-empty line not starting with a space.
inline bool IsHeadingLine(std::string_view line) { return !line.empty() && line.front() != ' '; }

// Walks both line lists at the same index and reports every pair whose
// unmatched characters reach the threshold on either side, headed by the right
// list's chapter label. Always ends by saving the result files, also when stopped.
RunSummary ComparisonRun(const std::vector<std::string>& left, const std::vector<std::string>& right,
                         const RunOptions& options, RunOutput& output);

} // namespace synopter
