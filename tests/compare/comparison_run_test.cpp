#include "compare/comparison_run.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
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

    void ClearChapterList() override { log.push_back("clear chapters"); }
    void ClearPanes() override { log.push_back("clear panes"); }
    void SetProgressRange(int maximum) override { log.push_back("range " + std::to_string(maximum)); }
    void AddChapter(const std::string& heading) override { log.push_back("chapter " + heading); }
    void AppendHeading(const std::string& heading) override { log.push_back("heading " + heading); }
    void ShowFoundCount(int found) override { log.push_back("found " + std::to_string(found)); }
    void AppendVersePair(const std::string& right, const std::string& left,
                         const MatchMask& rightMask, const MatchMask& leftMask) override
    {
        log.push_back("pair \"" + right + "\" \"" + left + "\" " + MaskText(rightMask, right.size()) + " " +
                      MaskText(leftMask, left.size()));
    }
    void SetProgress(int position) override { log.push_back("progress " + std::to_string(position)); }
    void AfterLine() override
    {
        log.push_back("after line");
        ++linesDone_;
    }
    bool StopRequested() override
    {
        log.push_back("stop?");
        return stopAfterLine_ >= 0 && linesDone_ > stopAfterLine_;
    }
    void SaveResultFiles() override { log.push_back("save"); }

    // Only what reaches the panes and the chapter list, and the saving.
    Log Results() const
    {
        Log out;
        for (const std::string& line : log)
            if (line.starts_with("chapter") || line.starts_with("heading") || line.starts_with("found") ||
                line.starts_with("pair") || line == "save")
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
    // Every line is finished, passed over or not.
    const size_t lines = std::max(row.left.size(), row.right.size());
    EXPECT_EQ(std::count(output.log.begin(), output.log.end(), "after line"), static_cast<long>(lines));
}

const Lines kChapter{"KATA 1", " 1:1 a b c", " 1:2 d e f"};

INSTANTIATE_TEST_SUITE_P(
    Runs, ComparisonRunTest,
    ::testing::Values(
        Row{"identical_editions", kChapter, kChapter, 1, false, {"save"}},
        Row{"empty_editions", {}, {}, 1, false, {"save"}},
        Row{"threshold_1_reports_one_character",
            {"KATA 1", " a b", " a d"}, {"KATA 1", " a b", " a c"}, 1, true,
            {"chapter KATA 1", "heading KATA 1", "found 1", "pair \" a c\" \" a d\" 1110 1110", "save"}},
        Row{"threshold_2_needs_two",
            {"KATA 1", " a b", " a d"}, {"KATA 1", " a b", " a c"}, 2, true, {"save"}},
        // Entirely different, but both lines shorter than the threshold.
        Row{"both_shorter_than_threshold", {" xy"}, {" ab"}, 4, true, {"save"}},
        // Long enough to be examined, yet fewer unmatched characters than the threshold.
        Row{"long_but_few_unmatched", {" b"}, {" abc"}, 4, true, {"save"}},
        Row{"one_side_reaches_threshold", {" b"}, {" abc"}, 3, true,
            {"found 1", "pair \" abc\" \" b\" 1000 10", "save"}},
        Row{"pair_before_any_heading",
            {" x", "KATA 1", " a b"}, {" y", "KATA 1", " a c"}, 1, true,
            {"found 1", "pair \" y\" \" x\" 10 10",
             "chapter KATA 1", "heading KATA 1", "found 2", "pair \" a c\" \" a b\" 1110 1110", "save"}},
        // The right heading becomes current first, so its block precedes the pair of headings.
        Row{"differing_headings", {"KATA 2", " a"}, {"KATA 1", " a"}, 1, true,
            {"chapter KATA 1", "heading KATA 1", "found 1", "pair \"KATA 1\" \"KATA 2\" 111110 111110", "save"}},
        Row{"heading_from_passed_over_line",
            {"KATA 1", " 1:1 a", "KATA 2", " 2:1 a"}, {"KATA 1", " 1:1 a", "KATA 2", " 2:1 b"}, 1, true,
            {"chapter KATA 2", "heading KATA 2", "found 1", "pair \" 2:1 b\" \" 2:1 a\" 111110 111110", "save"}},
        Row{"several_pairs_in_one_chapter",
            {"KATA 1", " a", " b", " c", "KATA 2", " d", "KATA 3", " e"},
            {"KATA 1", " x", " b", " y", "KATA 2", " d", "KATA 3", " z"}, 1, true,
            {"chapter KATA 1", "heading KATA 1", "found 1", "pair \" x\" \" a\" 10 10",
             "found 2", "pair \" y\" \" c\" 10 10",
             "chapter KATA 3", "heading KATA 3", "found 3", "pair \" z\" \" e\" 10 10", "save"}},
        // Left heading lines never become headings; the extra left lines meet empty right lines.
        Row{"left_longer",
            {"KATA 1", " a", " b c", "KATA 9", " d"}, {"KATA 1", " a"}, 2, true,
            {"chapter KATA 1", "heading KATA 1", "found 1", "pair \"\" \" b c\"  0000",
             "found 2", "pair \"\" \"KATA 9\"  000000", "found 3", "pair \"\" \" d\"  00", "save"}},
        Row{"right_longer",
            {"KATA 1", " a"}, {"KATA 1", " a", "KATA 2", " b c", " d"}, 3, true,
            {"chapter KATA 2", "heading KATA 2", "found 1", "pair \"KATA 2\" \"\" 000000 ",
             "found 2", "pair \" b c\" \"\" 0000 ", "save"}},
        Row{"empty_line_against_missing_line", {"KATA 1", ""}, {"KATA 1"}, 1, true, {"save"}},
        Row{"moved_words_exact", {" a b"}, {" b a"}, 1, true, {"found 1", "pair \" b a\" \" a b\" 1010 1010", "save"}},
        Row{"moved_words_free", {" a b"}, {" b a"}, 1, false, {"save"}},
        // Raised to 1: with 0 a pair without any unmatched character would be reported.
        Row{"threshold_0_raised", {" a b", " a c"}, {" b a", " a d"}, 0, false,
            {"found 1", "pair \" a d\" \" a c\" 1110 1110", "save"}},
        Row{"threshold_negative_raised", {" a b", " a c"}, {" b a", " a d"}, -5, false,
            {"found 1", "pair \" a d\" \" a c\" 1110 1110", "save"}},
        // The masks are reused: nothing of a longer pair may show in the next one.
        Row{"masks_cleared_between_lines", {" a b c d", " x z"}, {" a b c e", " x y"}, 1, true,
            {"found 1", "pair \" a b c e\" \" a b c d\" 11111110 11111110",
             "found 2", "pair \" x y\" \" x z\" 1110 1110", "save"}}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST(ComparisonRunTest, CallsInOrder)
{
    RecordingOutput output;
    const RunSummary summary =
        ComparisonRun({"KATA 1", " a b", " a d"}, {"KATA 1", " a b", " a c"}, {1, true}, output);
    const Log expected{
        "clear chapters", "clear panes", "range 3",
        "progress 0", "after line", "stop?",
        "progress 1", "after line", "stop?",
        "chapter KATA 1", "heading KATA 1", "found 1", "pair \" a c\" \" a d\" 1110 1110",
        "progress 2", "after line", "stop?",
        "save"};
    EXPECT_EQ(output.log, expected);
    EXPECT_EQ(summary.found, 1);
    EXPECT_FALSE(summary.stopped);
}

TEST(ComparisonRunTest, RangeIsTheLongerList)
{
    RecordingOutput shortRight;
    ComparisonRun({"a", "b", "c", "d"}, {"a"}, {20, false}, shortRight);
    EXPECT_EQ(shortRight.log.at(2), "range 4");
    RecordingOutput empty;
    ComparisonRun({}, {}, {20, false}, empty);
    EXPECT_EQ(empty.log, (Log{"clear chapters", "clear panes", "range 0", "save"}));
}

TEST(ComparisonRunTest, StopEndsAfterTheCurrentLineAndStillSaves)
{
    const Lines left{"KATA 1", " a", " b", " c", " d"};
    const Lines right{"KATA 1", " x", " y", " z", " w"};
    RecordingOutput output(/*stopAfterLine=*/2);
    const RunSummary summary = ComparisonRun(left, right, {1, true}, output);
    const Log expected{
        "clear chapters", "clear panes", "range 5",
        "progress 0", "after line", "stop?",
        "chapter KATA 1", "heading KATA 1", "found 1", "pair \" x\" \" a\" 10 10",
        "progress 1", "after line", "stop?",
        "found 2", "pair \" y\" \" b\" 10 10",
        "progress 2", "after line", "stop?",
        "progress 0",
        "save"};
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
    ASSERT_GE(output.log.size(), 2u);
    EXPECT_EQ(output.log[output.log.size() - 2], "progress 0");
    EXPECT_EQ(output.log.back(), "save");
}

TEST(ComparisonRunTest, IsHeadingLine)
{
    EXPECT_TRUE(IsHeadingLine("KATA 1"));
    EXPECT_TRUE(IsHeadingLine("\tx"));
    EXPECT_FALSE(IsHeadingLine(" 1:1 a"));
    EXPECT_FALSE(IsHeadingLine(""));
}

} // namespace
} // namespace synopter
