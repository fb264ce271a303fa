#pragma once

#include "common/program_files.h"
#include "compare/word_match.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace synopter {

class TRichEdit;

// Writes a comparison's output into the two result panes so that every pair
// starts on the same line in both, and keeps the results in the result files.
class ResultPanes {
public:
    // `setLeftWidth` changes the width of the left pane's panel and lays the two
    // panes out at once; that is how the panes are balanced.
    ResultPanes(TRichEdit* left, TRichEdit* right, QWidget* leftPanel, std::function<void(int)> setLeftWidth,
                std::string programDir);

    void Clear();
    void AppendHeading(const std::string& label);
    void AppendVersePair(const std::string& right, const std::string& left,
                         const MatchMask& rightMask, const MatchMask& leftMask);
    void EqualizeLineCounts();
    void BalancePaneWidths();

    // Writes r2.rtf, r1.rtf and chapters.lst as one set (SaveResultSet): all
    // of them or, on a failure, none. The failure is returned as "file: reason".
    std::vector<std::string> SaveResultFiles(const std::vector<std::string>& chapters) const;

    std::string LeftPath() const { return programDir_ + "r1.rtf"; }
    std::string RightPath() const { return programDir_ + "r2.rtf"; }
    std::string ChaptersPath() const { return ChapterListPath(programDir_); }
    std::vector<std::string> FileNames() const { return {"r2.rtf", "r1.rtf", kChapterListFileName}; }

private:
    TRichEdit* left_;
    TRichEdit* right_;
    QWidget* leftPanel_;
    std::function<void(int)> setLeftWidth_;
    std::string programDir_;
};

// Loads a result file into a pane; not-RTF content shows as plain text, and a
// first line that still reads "{\rtf" in any case makes it load once more.
void LoadPaneFromFile(TRichEdit* pane, const std::string& path);

} // namespace synopter
