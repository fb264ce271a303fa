#pragma once

#include "common/block_output.h"
#include "compare/comparison_run.h"
#include "compare/html_report.h"
#include "compare/result_summary.h"

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Output of the command-line comparer: the results of a run as text for a
// reader, as JSON Lines or a JSON summary for programs, gathered in one
// string, or as an HTML page.
namespace synopter::cli {

enum class Format { Text, Json, Html, Summary };

// How verse text and chapter labels are written: as the transliteration
// (Latin letters) or in Unicode Greek. Everything else is the same either way.
enum class Script { Latin, Greek };

// A stretch of unmatched characters: start (from 0) and length.
using Run = std::pair<size_t, size_t>;

// The maximal stretches of 0 bytes among the first `length` bytes of the mask
// (replacing the contents of `runs`); characters past the end of the mask count
// as unmatched, as in CountUnmatched.
void UnmatchedRuns(const MatchMask& mask, size_t length, std::vector<Run>& runs);

// The maximal stretches of kSpellingMatch bytes among the first `length`
// bytes of the mask (replacing the contents of `runs`).
void SpellingRuns(const MatchMask& mask, size_t length, std::vector<Run>& runs);

// The same for kMovedMatch bytes (words the aligned marking found moved).
void MovedRuns(const MatchMask& mask, size_t length, std::vector<Run>& runs);

// Single-byte text shown as Latin-1, written as UTF-8.
void AppendLatin1AsUtf8(std::string& out, std::string_view bytes);

// A JSON string literal, quotes included, of Latin-1 text; under Greek the
// transliterated letters become Greek ones (one character each, so character
// offsets into the text stay the same).
void AppendJsonString(std::string& out, std::string_view bytes, Script script = Script::Latin);

// Collects what a run reports; knows the index of the line being examined and
// the chapter of the last heading block. Never asks to stop.
//
// With a sink the text goes out in large blocks as it grows, so a long report
// reuses one buffer; without one everything stays in Text().
class Report : public RunOutput {
public:
    explicit Report(std::FILE* sink = nullptr, Script script = Script::Latin);
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    void Chapter(const std::string& heading) override { chapter_ = heading; }
    void FoundCount(int found) override { found_ = found; }
    // The line a pair is reported on is the one after the last finished line.
    bool Progress(int line) override
    {
        line_ = static_cast<size_t>(line) + 1;
        return true;
    }
    void SpellingOnlyCount(int pairs) override { spellingOnly_ = pairs; }
    void Lacunose(const LacunoseRun& run) override { lacunose_ += run.Verses(); }
    // The reports only read the lines: a run over strings goes the same way.
    void VersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                   const MatchMask& leftMask) final
    {
        VersePairView(right, left, rightMask, leftMask);
    }

    // Under SpellingMode::Mark: spelling variants shown as such (JSON fields,
    // text markers, the summary's count). Off, the output is as it always was.
    void MarkSpelling(bool on) { markSpelling_ = on; }
    // Under WordMarking::Aligned: moved words shown as such (JSON fields, text
    // markers) and the marking named in the summary.
    void MarkMoved(bool on) { markMoved_ = on; }

    // What has not gone to the sink yet.
    const std::string& Text() const { return output_.Text(); }
    // Sends the rest to the sink; false when any write to it failed.
    bool Flush() { return output_.Flush(); }

protected:
    // Called after each piece of output.
    void FlushIfFull() { output_.FlushIfFull(); }

    BlockOutput output_;
    std::string& out_ = output_.Text();
    Script script_;
    std::vector<Run> runs_;
    size_t line_ = 0;
    std::string chapter_;
    int found_ = 0;
    bool markSpelling_ = false;
    bool markMoved_ = false;
    int spellingOnly_ = 0;
    int lacunose_ = 0; // verses lost on either side
};

// One JSON object per reported pair, one per line; when marking spelling,
// with right_spelling and left_spelling, the stretches of spelling variants;
// under the aligned marking with right_moved and left_moved, the stretches of
// moved words; a pair with a remnant on either side ends with "lacuna": true, one whose
// empty side's text stands elsewhere with "relocated": "16:25-27".
class JsonReport : public Report {
public:
    using Report::Report;
    void VersePairView(std::string_view right, std::string_view left,
                       const MatchMask& rightMask, const MatchMask& leftMask) override;
    void LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                    const MatchMask& leftMask, const PairGaps& gaps) override;
    void RelocatedPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                       const MatchMask& leftMask, const Relocation& moved) override;

private:
    std::vector<Run> rightDiff_;
    std::vector<Run> leftDiff_;
    std::vector<Run> rightSpelling_;
    std::vector<Run> leftSpelling_;
    std::vector<Run> rightMoved_;
    std::vector<Run> leftMoved_;
    std::string record_; // room for one record, written whole
    bool lacuna_ = false;
    std::string_view relocated_; // the other place of an empty side's text
};

// A heading line for each chapter, then each pair as two labelled lines (left
// edition first) with the unmatched stretches either in blue (for a terminal)
// or between braces, and when marking spelling the spelling variants in green
// or between parentheses, and under the aligned marking moved words in
// magenta or between angle brackets; a remnant's lost text reads "lac.", lacunose verses
// "lac. 3:5-9" once a run, an empty side whose text stands elsewhere
// " 14:24 -> 16:25-27". Finish() adds the closing count.
class TextReport : public Report {
public:
    TextReport(std::string leftLabel, std::string rightLabel, bool colour, std::FILE* sink = nullptr,
               Script script = Script::Latin);

    void Chapter(const std::string& heading) override;
    void VersePairView(std::string_view right, std::string_view left,
                       const MatchMask& rightMask, const MatchMask& leftMask) override;
    void LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                    const MatchMask& leftMask, const PairGaps& gaps) override;
    void Lacunose(const LacunoseRun& run) override;
    void Finish();

private:
    void AppendLabelled(const std::string& label, size_t padding, std::string_view line, const MatchMask& mask);
    void AppendMarked(std::string_view text, const MatchMask& mask);

    std::string leftLabel_; // "  name:", as shown
    std::string rightLabel_;
    size_t leftPadding_ = 0; // spaces that bring both texts to the same column
    size_t rightPadding_ = 0;
    bool colour_;
};

// One JSON document: the pairs reported per book and chapter, and in all, as
// SummaryBuilder counts them, and when marking spelling "spelling_only", the
// pairs that differ only in spelling; "lacunose", the verses lost on either
// side, where there are any; under the aligned marking "marking": "aligned". Finish() writes it.
class SummaryReport : public Report {
public:
    using Report::Report;
    void Chapter(const std::string& heading) override { builder_.Heading(heading); }
    void Lacunose(const LacunoseRun& run) override { builder_.Lacunose(run.Verses()); }
    void VersePairView(std::string_view, std::string_view, const MatchMask&, const MatchMask&) override
    {
        builder_.Pair();
    }
    void Finish();

private:
    SummaryBuilder builder_;
};

// What to write and how.
struct ReportChoice {
    Format format = Format::Text;
    Script script = Script::Latin; // not for HTML, which is always Greek
    bool colour = false;           // text: blue on a terminal rather than braces
    std::string leftLabel;         // text: the editions' names, single-byte
    std::string rightLabel;
    html::ReportFacts facts;       // HTML: the title's facts
};

// Whether the run's output marks spelling variants.
inline bool MarksSpelling(const RunOptions& options) { return options.spelling == SpellingMode::Mark; }
// Whether it marks moved words.
inline bool MarksMoved(const RunOptions& options) { return options.marking == WordMarking::Aligned; }

// Runs the comparison and writes its results to `sink` as chosen: what
// synopter-compare does once its input is read. False when a write failed.
bool WriteComparison(const std::vector<std::string>& left, const std::vector<std::string>& right,
                     const RunOptions& options, const ReportChoice& choice, std::FILE* sink);
// The same over views of the lines, as synopter-compare reads them.
bool WriteComparison(std::span<const std::string_view> left, std::span<const std::string_view> right,
                     const RunOptions& options, const ReportChoice& choice, std::FILE* sink);

} // namespace synopter::cli
