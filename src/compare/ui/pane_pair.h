#pragma once

#include "common/program_files.h"
#include "compare/html_report.h"
#include "compare/result_record.h"
#include "compare/rich_text.h"
#include "compare/word_match.h"

#include <QTimer>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace synopter {

class ResultPane;

// The results in the two panes, kept as a list of headings and verse pairs and
// shown so that each starts at the same height in both: the shorter side of
// each pair is followed by empty lines, as many as the other side wraps to
// more at the panes' present widths. When a pane's width changes, the panes
// are filled again for the new width, keeping the pair at the top in view.
// The result files hold the panes as they stand, empty lines included, so
// another word processor shows them as before.
class PanePair {
public:
    // `setLeftWidth` changes the width of the left pane's panel and lays the two
    // panes out at once; that is how the panes are balanced.
    PanePair(ResultPane* left, ResultPane* right, QWidget* leftPanel, std::function<void(int)> setLeftWidth,
                std::string programDir);

    void Clear();
    // Heading and pairs are gathered; Flush shows them (a run flushes once per
    // event slice: one edit of each document instead of one per pair).
    void AppendHeading(const std::string& label);
    void AppendVersePair(const std::string& right, const std::string& left,
                         const MatchMask& rightMask, const MatchMask& leftMask);
    void Flush();

    // Shows results read back from the result files. Files whose paragraphs
    // pair up (the same number of non-empty paragraphs) are levelled for the
    // present widths; others are shown as they are. The first screenful is
    // shown at once and the rest in the background, a slice at a time, so the
    // window answers from the start; Flush completes them at once.
    void Show(const rtf::Document& left, const rtf::Document& right);

    // Fills the panes again when a width changed since they were levelled.
    void Relevel();

    void BalancePaneWidths();

    // The results unit by unit (a heading or a verse pair), for finding and for
    // going from difference to difference.
    size_t UnitCount() const { return units_.size(); }
    bool IsHeading(size_t unit) const { return units_[unit].heading; }
    const rtf::Paragraph& UnitText(size_t unit, int side) const
    {
        return side == 0 ? units_[unit].left : units_[unit].right;
    }
    // Changes whenever the units do (a run, a restore, a clearing), so that
    // what is derived from them knows when to derive it again.
    unsigned Generation() const { return generation_; }
    // The unit at the top of the panes, and whether a unit is in view.
    size_t TopUnit() const { return UnitAtTop(); }
    bool InView(size_t unit) const { return unit >= UnitAtTop() && unit <= UnitAtBottom(); }
    // Byte ranges [begin, end) of a unit's text on one side.
    using Ranges = std::vector<std::pair<size_t, size_t>>;
    // Takes both panes, level, to the unit, at their top, and marks it there
    // with a light tint until the next one is marked or the results go; the
    // ranges of each side (a match) are highlighted within it.
    void GoToUnit(size_t unit, Ranges left = {}, Ranges right = {});
    std::optional<size_t> MarkedUnit() const { return marked_; }
    // The pair after (before) the marked one, or when the mark is out of view,
    // after (before) what the panes show at their top; nullopt past the end.
    std::optional<size_t> NextPair(bool forward) const;

    // The results as the HTML report takes them: headings, and pairs with their
    // masks (blue words unmatched), whether from a run or from the files.
    std::vector<html::ReportItem> ReportItems() const;

    // Writes r2.rtf, r1.rtf and chapters.lst as one set (SaveResultSet): all
    // of them or, on a failure (WriteError), none. `record` (results.ini, what
    // made them) goes with them when given.
    void SaveResultFiles(const std::vector<std::string>& chapters, const std::string& record = {}) const;

    std::string LeftPath() const { return programDir_ + "r1.rtf"; }
    std::string RightPath() const { return programDir_ + "r2.rtf"; }
    std::string ChaptersPath() const { return ChapterListPath(programDir_); }
    std::string RecordPath() const { return programDir_ + kResultRecordFileName; }
    std::vector<std::string> FileNames() const
    {
        return {"r2.rtf", "r1.rtf", kChapterListFileName, kResultRecordFileName};
    }

private:
    // A heading or a verse pair, with the empty lines both sides have before it.
    struct Unit {
        int blanksBefore = 0;
        rtf::Paragraph left;
        rtf::Paragraph right;
        bool heading = false;
    };
    // How one unit lies in the panes at the levelled widths.
    struct Placement {
        int firstBlock[2]; // of its text, after the blanks
        int padding[2];    // empty lines after its text
    };

    // Writes units [from, to) into the panes, level; `replace` starts afresh.
    void Fill(size_t from, size_t to, bool replace);
    // All results are in the panes (nothing left for the background).
    bool Complete() const { return placed_.size() == units_.size(); }
    // The widths the panes were levelled for differ from their present ones
    // (a relevel is due, waiting for the resizing to pause).
    bool RelevelPending() const;
    void FillInBackground();
    // The result file of one side: the panes as they stand, empty lines included.
    std::string SavedFile(int side) const;
    size_t UnitAtTop() const;
    size_t UnitAtBottom() const;
    size_t UnitAtBlock(int block) const;
    void ShowMark();
    int LayoutWidth(int side) const;

    ResultPane* panes_[2];
    QWidget* leftPanel_;
    std::function<void(int)> setLeftWidth_;
    std::string programDir_;

    std::vector<Unit> units_;
    std::vector<Placement> placed_;
    int blocks_[2] = {0, 0};     // text blocks written so far, the empty last one not counted
    int levelWidth_[2] = {-1, -1};
    bool levelled_ = true;       // false for restored files that do not pair up
    QTimer relevelTimer_;
    QTimer backgroundTimer_;
    // The pair at the top when the width began to change.
    std::optional<size_t> anchor_;
    bool anchorAtStart_ = false;
    std::optional<size_t> marked_;
    Ranges markedRanges_[2];
    unsigned generation_ = 0;
};

// A result file as a document; a missing file is an empty one. Not-RTF content
// is plain text, and a first line that still reads "{\rtf" in any case is read
// once more.
rtf::Document ReadPaneFile(const std::string& path);

} // namespace synopter
