#include "compare/comparison_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {
namespace {

using Lines = std::vector<std::string>;
using Log = std::vector<std::string>;

std::string MaskText(const MatchMask& mask, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += (i < mask.size() && mask[i] != 0) ? '1' : '0';
    return text;
}

// Writes every call down, in order, as a readable line. Asks to stop once
// `stopAfterLine` lines have been finished (never when negative).
class RecordingOutput : public RunOutput {
public:
    explicit RecordingOutput(int stopAfterLine = -1) : stopAfterLine_(stopAfterLine) {}

    void Chapter(const std::string& heading) override { log.push_back("chapter " + heading); }
    void FoundCount(int found) override { log.push_back("found " + std::to_string(found)); }
    void VersePair(const std::string& right, const std::string& left,
                   const MatchMask& rightMask, const MatchMask& leftMask) override
    {
        log.push_back("pair \"" + right + "\" \"" + left + "\" " + MaskText(rightMask, right.size()) + " " +
                      MaskText(leftMask, left.size()));
    }
    bool Progress(int line) override
    {
        log.push_back("progress " + std::to_string(line));
        ++linesDone_;
        return stopAfterLine_ < 0 || linesDone_ <= stopAfterLine_;
    }

    // Only what reaches the panes and the chapter list.
    Log Results() const
    {
        Log out;
        for (const std::string& line : log)
            if (!line.starts_with("progress"))
                out.push_back(line);
        return out;
    }

    Log log;

private:
    int stopAfterLine_;
    int linesDone_ = 0;
};

struct Row {
    const char* name;
    Lines left;
    Lines right;
    int threshold;
    bool exact;
    Log expected; // RecordingOutput::Results()
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class ComparisonRunTest : public ::testing::TestWithParam<Row> {};

TEST_P(ComparisonRunTest, Reports)
{
    const Row& row = GetParam();
    RecordingOutput output;
    const RunSummary summary = ComparisonRun(row.left, row.right, {row.threshold, row.exact}, output);
    EXPECT_EQ(output.Results(), row.expected);

    int pairs = 0;
    for (const std::string& line : row.expected)
        pairs += line.starts_with("pair") ? 1 : 0;
    EXPECT_EQ(summary.found, pairs);
    EXPECT_FALSE(summary.stopped);
    // Every line is finished, passed over or not, and counted from 0.
    const size_t lines = std::max(row.left.size(), row.right.size());
    Log progress;
    for (size_t k = 0; k < lines; ++k)
        progress.push_back("progress " + std::to_string(k));
    Log seen;
    std::copy_if(output.log.begin(), output.log.end(), std::back_inserter(seen),
                 [](const std::string& line) { return line.starts_with("progress"); });
    EXPECT_EQ(seen, progress);

    // Over views of the lines the run is the same, call for call, its pairs
    // reaching VersePair through VersePairView.
    const std::vector<std::string_view> leftViews(row.left.begin(), row.left.end());
    const std::vector<std::string_view> rightViews(row.right.begin(), row.right.end());
    RecordingOutput viewed;
    const RunSummary viewedSummary = ComparisonRun(leftViews, rightViews, {row.threshold, row.exact}, viewed);
    EXPECT_EQ(viewed.log, output.log);
    EXPECT_EQ(viewedSummary.found, summary.found);
}

const Lines kChapter{"KATA 1", " 1:1 a b c", " 1:2 d e f"};

INSTANTIATE_TEST_SUITE_P(
    Runs, ComparisonRunTest,
    ::testing::Values(
        Row{"identical_editions", kChapter, kChapter, 1, false, {}},
        Row{"empty_editions", {}, {}, 1, false, {}},
        Row{"threshold_1_reports_one_character",
            {"KATA 1", " a b", " a d"}, {"KATA 1", " a b", " a c"}, 1, true,
            {"chapter KATA 1", "found 1", "pair \" a c\" \" a d\" 1110 1110"}},
        Row{"threshold_2_needs_two",
            {"KATA 1", " a b", " a d"}, {"KATA 1", " a b", " a c"}, 2, true, {}},
        // Entirely different, but both lines shorter than the threshold.
        Row{"both_shorter_than_threshold", {" xy"}, {" ab"}, 4, true, {}},
        // Long enough to be examined, yet fewer unmatched characters than the threshold.
        Row{"long_but_few_unmatched", {" b"}, {" abc"}, 4, true, {}},
        Row{"one_side_reaches_threshold", {" b"}, {" abc"}, 3, true,
            {"found 1", "pair \" abc\" \" b\" 1000 10"}},
        Row{"pair_before_any_heading",
            {" x", "KATA 1", " a b"}, {" y", "KATA 1", " a c"}, 1, true,
            {"found 1", "pair \" y\" \" x\" 10 10",
             "chapter KATA 1", "found 2", "pair \" a c\" \" a b\" 1110 1110"}},
        // The right heading becomes current first, so its block precedes the pair of headings.
        Row{"differing_headings", {"KATA 2", " a"}, {"KATA 1", " a"}, 1, true,
            {"chapter KATA 1", "found 1", "pair \"KATA 1\" \"KATA 2\" 111110 111110"}},
        Row{"heading_from_passed_over_line",
            {"KATA 1", " 1:1 a", "KATA 2", " 2:1 a"}, {"KATA 1", " 1:1 a", "KATA 2", " 2:1 b"}, 1, true,
            {"chapter KATA 2", "found 1", "pair \" 2:1 b\" \" 2:1 a\" 111110 111110"}},
        Row{"several_pairs_in_one_chapter",
            {"KATA 1", " a", " b", " c", "KATA 2", " d", "KATA 3", " e"},
            {"KATA 1", " x", " b", " y", "KATA 2", " d", "KATA 3", " z"}, 1, true,
            {"chapter KATA 1", "found 1", "pair \" x\" \" a\" 10 10",
             "found 2", "pair \" y\" \" c\" 10 10",
             "chapter KATA 3", "found 3", "pair \" z\" \" e\" 10 10"}},
        // Left heading lines never become headings; the extra left lines meet empty right lines.
        Row{"left_longer",
            {"KATA 1", " a", " b c", "KATA 9", " d"}, {"KATA 1", " a"}, 2, true,
            {"chapter KATA 1", "found 1", "pair \"\" \" b c\"  0000",
             "found 2", "pair \"\" \"KATA 9\"  000000", "found 3", "pair \"\" \" d\"  00"}},
        Row{"right_longer",
            {"KATA 1", " a"}, {"KATA 1", " a", "KATA 2", " b c", " d"}, 3, true,
            {"chapter KATA 2", "found 1", "pair \"KATA 2\" \"\" 000000 ",
             "found 2", "pair \" b c\" \"\" 0000 "}},
        Row{"empty_line_against_missing_line", {"KATA 1", ""}, {"KATA 1"}, 1, true, {}},
        Row{"moved_words_exact", {" a b"}, {" b a"}, 1, true, {"found 1", "pair \" b a\" \" a b\" 1010 1010"}},
        Row{"moved_words_free", {" a b"}, {" b a"}, 1, false, {}},
        // Raised to 1: with 0 a pair without any unmatched character would be reported.
        Row{"threshold_0_raised", {" a b", " a c"}, {" b a", " a d"}, 0, false,
            {"found 1", "pair \" a d\" \" a c\" 1110 1110"}},
        Row{"threshold_negative_raised", {" a b", " a c"}, {" b a", " a d"}, -5, false,
            {"found 1", "pair \" a d\" \" a c\" 1110 1110"}},
        // The masks are reused: nothing of a longer pair may show in the next one.
        Row{"masks_cleared_between_lines", {" a b c d", " x z"}, {" a b c e", " x y"}, 1, true,
            {"found 1", "pair \" a b c e\" \" a b c d\" 11111110 11111110",
             "found 2", "pair \" x y\" \" x z\" 1110 1110"}}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST(ComparisonRunTest, CallsInOrder)
{
    RecordingOutput output;
    const RunSummary summary =
        ComparisonRun({"KATA 1", " a b", " a d"}, {"KATA 1", " a b", " a c"}, {1, true}, output);
    const Log expected{
        "progress 0",
        "progress 1",
        "chapter KATA 1", "found 1", "pair \" a c\" \" a d\" 1110 1110",
        "progress 2"};
    EXPECT_EQ(output.log, expected);
    EXPECT_EQ(summary.found, 1);
    EXPECT_FALSE(summary.stopped);
}

TEST(ComparisonRunTest, RunLengthIsTheLongerList)
{
    EXPECT_EQ(RunLength({"a", "b", "c", "d"}, {"a"}), 4u);
    EXPECT_EQ(RunLength({"a"}, {"a", "b"}), 2u);
    EXPECT_EQ(RunLength({}, {}), 0u);
}

TEST(ComparisonRunTest, StopEndsAfterTheCurrentLine)
{
    const Lines left{"KATA 1", " a", " b", " c", " d"};
    const Lines right{"KATA 1", " x", " y", " z", " w"};
    RecordingOutput output(/*stopAfterLine=*/2);
    const RunSummary summary = ComparisonRun(left, right, {1, true}, output);
    const Log expected{
        "progress 0",
        "chapter KATA 1", "found 1", "pair \" x\" \" a\" 10 10",
        "progress 1",
        "found 2", "pair \" y\" \" b\" 10 10",
        "progress 2"};
    EXPECT_EQ(output.log, expected);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.found, 2);
}

TEST(ComparisonRunTest, StopOnTheLastLine)
{
    RecordingOutput output(/*stopAfterLine=*/1);
    const RunSummary summary = ComparisonRun({" a", " b"}, {" a", " c"}, {1, true}, output);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.found, 1);
    EXPECT_EQ(output.log.back(), "progress 1");
}

TEST(ComparisonRunTest, StopInsideOneLongLine)
{
    // Stop comes while the matcher is inside a line of 200 000 words: the run
    // ends there, that line neither reported nor counted as done.
    class StoppingOutput : public RecordingOutput {
    public:
        bool StillGoing() override { return ++asked < 5; }
        int asked = 0;
    };
    std::string longLeft, longRight;
    for (int i = 0; i < 200000; ++i) {
        longLeft += " a" + std::to_string(i);
        longRight += " b" + std::to_string(i);
    }
    StoppingOutput output;
    const RunSummary summary = ComparisonRun({" a", longLeft, " c"}, {" b", longRight, " d"}, {1, false}, output);
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.found, 1);
    EXPECT_EQ(output.asked, 5);
    EXPECT_EQ(output.log.back(), "progress 0");
}

} // namespace
} // namespace synopter
