#pragma once

#include "compare/comparison_run.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Output of the command-line comparer: the results of a run as text for a
// reader or as JSON Lines for programs, gathered in one string.
namespace synopter::cli {

// A stretch of unmatched characters: start (from 0) and length.
using Run = std::pair<size_t, size_t>;

// The maximal stretches of 0 bytes among the first `length` bytes of the mask
// (replacing the contents of `runs`); characters past the end of the mask count
// as unmatched, as in CountUnmatched.
void UnmatchedRuns(const MatchMask& mask, size_t length, std::vector<Run>& runs);

// Single-byte text shown as Latin-1, written as UTF-8.
void AppendLatin1AsUtf8(std::string& out, std::string_view bytes);

// A JSON string literal, quotes included, of Latin-1 text.
void AppendJsonString(std::string& out, std::string_view bytes);

// Collects what a run reports; knows the index of the line being examined and
// the chapter of the last heading block. Never asks to stop.
//
// With a sink the text goes out in large blocks as it grows, so a long report
// reuses one buffer; without one everything stays in Text().
class Report : public RunOutput {
public:
    explicit Report(std::FILE* sink = nullptr);

    void Chapter(const std::string& heading) override { chapter_ = heading; }
    void FoundCount(int found) override { found_ = found; }
    // The line a pair is reported on is the one after the last finished line.
    bool Progress(int line) override
    {
        line_ = static_cast<size_t>(line) + 1;
        return true;
    }

    // What has not gone to the sink yet.
    const std::string& Text() const { return out_; }
    // Sends the rest to the sink; false when any write to it failed.
    bool Flush();

protected:
    // Called after each piece of output.
    void FlushIfFull()
    {
        if (sink_ && out_.size() >= kBlockSize)
            Flush();
    }
    static constexpr size_t kBlockSize = 256 * 1024;

    std::FILE* sink_;
    bool failed_ = false;
    std::vector<Run> runs_;
    size_t line_ = 0;
    std::string chapter_;
    int found_ = 0;
    std::string out_;
};

// One JSON object per reported pair, one per line.
class JsonReport : public Report {
public:
    using Report::Report;
    void VersePair(const std::string& right, const std::string& left,
                   const MatchMask& rightMask, const MatchMask& leftMask) override;

private:
    std::string diffs_;
};

// A heading line for each chapter, then each pair as two labelled lines (left
// edition first) with the unmatched stretches either in blue (for a terminal)
// or between braces. Finish() adds the closing count.
class TextReport : public Report {
public:
    TextReport(std::string leftLabel, std::string rightLabel, bool colour, std::FILE* sink = nullptr);

    void Chapter(const std::string& heading) override;
    void VersePair(const std::string& right, const std::string& left,
                   const MatchMask& rightMask, const MatchMask& leftMask) override;
    void Finish();

private:
    void AppendLabelled(const std::string& label, size_t padding, const std::string& line, const MatchMask& mask);

    std::string leftLabel_; // "  name:", as shown
    std::string rightLabel_;
    size_t leftPadding_ = 0; // spaces that bring both texts to the same column
    size_t rightPadding_ = 0;
    bool colour_;
};

} // namespace synopter::cli
