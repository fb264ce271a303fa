#pragma once

#include "compare/comparison_run.h"
#include "compare/html_report.h"
#include "compare/result_summary.h"
#include "compare/rich_text.h"
#include "compare/word_match.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {

// How the panes stood when the result files are written: the font each file
// names, and per unit the empty lines after its text on each side that
// levelled it at the panes' width. The files keep those lines, so another
// word processor shows the panes as they were; units not laid out yet have none.
struct PaneLayout {
    std::string face[2];
    std::vector<int> padding[2];
};

// The results of a comparison, unit by unit: the headings and verse pairs a run
// reports, or those read back from the result files. Whatever counts, searches,
// reports or saves the results reads them here; the panes only lay them out.
// Sides are 0 (left, r1.rtf) and 1 (right, r2.rtf).
class ComparisonResults {
public:
    // A heading (its label, bold dark red, on both sides) or a verse pair
    // coloured by its masks, with the empty lines both sides have before it.
    // A lacunose unit stands for verses lost on either side: grey, "lac.
    // 3:5-9" on the lacunose side, never a difference (kept apart in the
    // counts, passed over by NextPair). In the files it is the pair whose
    // sides are wholly grey. A spelling-only unit is a pair that differs only
    // in spelling (shown under SpellingMode::Mark): reached by NextPair and
    // find like any pair, never counted or reported as found. In the files it
    // is an ordinary pair, told again on restore by its green words and too
    // few blue ones.
    struct Unit {
        int blanksBefore = 0;
        rtf::Paragraph left;
        rtf::Paragraph right;
        bool heading = false;
        int lacunose = 0; // the verses a lacunose unit stands for
        bool spellingOnly = false;
    };

    // `folder` holds the result files.
    explicit ComparisonResults(std::string folder);

    void Clear();
    void AppendHeading(const std::string& label);
    void AppendVersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                         const MatchMask& leftMask);
    // A pair with a remnant: "lac." at its gaps, the lost part's words grey.
    void AppendVersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                         const MatchMask& leftMask, const PairGaps& gaps);
    void AppendLacunose(const LacunoseRun& run);
    // A pair that differs only in spelling (RunOutput::SpellingOnlyPair).
    void AppendSpellingOnlyPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                                const MatchMask& leftMask, const PairGaps& gaps);
    // Results read back from the files. Files with the same number of
    // non-empty paragraphs pair up into units; the empty lines on one side
    // only were the levelling and are dropped. Others are kept as they are
    // (Unpaired), with no units; false then. A pair with green words and
    // fewer blue characters than `threshold` (the run's, as recorded) on
    // either side is spelling-only; with no threshold known (0), one with no
    // blue at all.
    bool Restore(const rtf::Document& left, const rtf::Document& right, int threshold = 0);
    // Restored files that did not pair up, as read; null otherwise.
    const rtf::Document* Unpaired(int side) const { return paired_ ? nullptr : &unpaired_[side]; }
    // Colours every verse pair again from its text, as a run under `options`
    // would (its exactPositions, spelling and marking; the threshold aside):
    // what changing the marking does to the shown results. Headings,
    // lacunose units and pairs with a remnant's greys stay as they are.
    void Remark(const RunOptions& options);

    const std::vector<Unit>& Units() const { return units_; }
    size_t Count() const { return units_.size(); }
    bool IsHeading(size_t unit) const { return units_[unit].heading; }
    bool IsLacunose(size_t unit) const { return units_[unit].lacunose > 0; }
    bool IsSpellingOnly(size_t unit) const { return units_[unit].spellingOnly; }
    // Changes whenever the units do (a run, a restore, a clearing), so that
    // what is derived from them knows when to derive it again.
    unsigned Generation() const { return generation_; }

    // The label of a heading unit ("KATA IWANNHN 3").
    std::string Label(size_t unit) const;
    // The label of the last heading at or before `unit`; "" when none.
    std::string HeadingAtOrAbove(size_t unit) const;
    // One side of a unit as find reads it: its text without colours (a
    // heading's label). Valid until the units change.
    std::string_view Text(size_t unit, int side) const;
    // The first verse pair that is no lacunose unit after `from` (forward) or before it; `from` past
    // the end starts at the first (last) unit. nullopt when there is none.
    std::optional<size_t> NextPair(size_t from, bool forward) const;

    // The counts per chapter and book; spelling-only units apart.
    ResultSummary Summary() const;
    // The results as the HTML report takes them: headings, and pairs with
    // their masks (blue words unmatched), whether from a run or from the files.
    // Spelling-only units are left out, and so are the headings of chapters
    // that hold nothing else: the report is of what was found.
    std::vector<html::ReportItem> ReportItems() const;

    // One side's result file: the units with the empty lines before them and,
    // after all but the last, the panes' levelling.
    std::string FileText(int side, const PaneLayout& layout) const;
    // Writes r2.rtf, r1.rtf and chapters.lst as one set (SaveResultSet): all
    // of them or, on a failure (WriteError), none. `record` (results.ini,
    // what made them) goes with them when given.
    void SaveResultFiles(const std::vector<std::string>& chapters, const std::string& record,
                         const PaneLayout& layout) const;

    std::string LeftPath() const;
    std::string RightPath() const;
    std::string RecordPath() const;
    // The files of a set, as RecoverResultSet takes them.
    static std::vector<std::string> FileNames();

private:
    std::string folder_;
    std::vector<Unit> units_;
    bool paired_ = true;
    rtf::Document unpaired_[2];
    unsigned generation_ = 0;
    // Text(): both sides of each unit in turn, filled on demand up to the
    // units there are and emptied when they are replaced.
    mutable std::vector<std::string> texts_;
};

// A result file as a document; a missing file is an empty one. Not-RTF content
// is plain text, and a first line that still reads "{\rtf" in any case is read
// once more.
rtf::Document ReadResultFile(const std::string& path);

} // namespace synopter
