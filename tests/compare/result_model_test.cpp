#include "compare/result_model.h"

#include "common/temp_folder.h"
#include "compare/aligned_marking.h"
#include "compare/lacuna_marks.h"

#include <gtest/gtest.h>

namespace synopter {
namespace {

// 0 heading "KATA MARKON 1", 1 pair 1:2, 2 heading "KATA MARKON 2", 3 pair 2:1, 4 pair 2:2.
void AppendRun(ComparisonResults& results)
{
    const auto pair = [&](const std::string& left, const std::string& right) {
        // The first word is shared; the rest differs, with a spelling variant at the end.
        MatchMask leftMask(left.size(), 0), rightMask(right.size(), 0);
        std::fill_n(leftMask.begin(), 5, 1);
        std::fill_n(rightMask.begin(), 5, 1);
        rightMask.back() = kSpellingMatch;
        results.AppendVersePair(right, left, rightMask, leftMask);
    };
    results.AppendHeading("KATA MARKON 1");
    pair(" 1:2 wv gegraptai", " 1:2 kaywv gegraptai");
    results.AppendHeading("KATA MARKON 2");
    pair(" 2:1 kai palin", " 2:1 kai eishlyen palin");
    pair(" 2:2 kai euyewv", " 2:2 kai sunhcyhsan");
}

TEST(ComparisonResultsTest, UnitsOfARunAnswerNavigationFindSummaryAndReport)
{
    ComparisonResults results("");
    const unsigned empty = results.Generation();
    EXPECT_EQ(results.HeadingAtOrAbove(3), "");
    EXPECT_EQ(results.NextPair(SIZE_MAX, true), std::nullopt);
    AppendRun(results);
    EXPECT_NE(results.Generation(), empty);
    ASSERT_EQ(results.Count(), 5u);

    // The label of a heading; the heading over any unit.
    EXPECT_EQ(results.Label(2), "KATA MARKON 2");
    EXPECT_EQ(results.HeadingAtOrAbove(1), "KATA MARKON 1");
    EXPECT_EQ(results.HeadingAtOrAbove(2), "KATA MARKON 2");
    EXPECT_EQ(results.HeadingAtOrAbove(99), "KATA MARKON 2");

    // Next and previous pair, headings skipped, nothing past the ends.
    const struct {
        size_t from;
        bool forward;
        std::optional<size_t> pair;
    } steps[] = {{SIZE_MAX, true, 1}, {SIZE_MAX, false, 4}, {0, true, 1}, {1, true, 3}, {3, true, 4},
                 {4, true, std::nullopt}, {4, false, 3}, {3, false, 1}, {1, false, std::nullopt}, {0, false, std::nullopt}};
    for (const auto& step : steps)
        EXPECT_EQ(results.NextPair(step.from, step.forward), step.pair) << step.from << " " << step.forward;

    // Find reads each side's text without colours.
    EXPECT_EQ(results.Text(0, 1), "KATA MARKON 1");
    EXPECT_EQ(results.Text(3, 0), " 2:1 kai palin");
    EXPECT_EQ(results.Text(3, 1), " 2:1 kai eishlyen palin");
    results.AppendHeading("KATA MARKON 3");
    EXPECT_EQ(results.Text(5, 0), "KATA MARKON 3");

    const ResultSummary summary = results.Summary();
    EXPECT_EQ(summary.reported, 3);
    ASSERT_EQ(summary.books.size(), 1u);
    ASSERT_EQ(summary.books[0].chapters.size(), 3u);
    EXPECT_EQ(summary.books[0].chapters[1].heading, "KATA MARKON 2");
    EXPECT_EQ(summary.books[0].chapters[1].reported, 2);

    // The report gets the run's verses and masks back from the colours.
    const std::vector<html::ReportItem> items = results.ReportItems();
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(std::get<html::ReportHeading>(items[2]).label, "KATA MARKON 2");
    const auto& pair = std::get<html::ReportPair>(items[1]);
    EXPECT_EQ(pair.right, " 1:2 kaywv gegraptai");
    EXPECT_EQ(pair.rightMask, (MatchMask{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}));

    results.Clear();
    EXPECT_EQ(results.Count(), 0u);
    EXPECT_TRUE(results.ReportItems().empty());
}

// The panes' empty lines: levelling after units but the last, blank lines before headings.
std::string Shape(const rtf::Document& doc)
{
    std::string shape;
    for (const rtf::Paragraph& p : doc.paragraphs)
        shape += p.empty() || p[0].text.empty() ? '.' : p[0].bold ? 'H' : 'v';
    return shape;
}

TEST(ComparisonResultsTest, ResultFilesKeepThePanesLevellingAndRestorePairedUnits)
{
    test::TempFolder folder;
    ComparisonResults results(folder.Path());
    AppendRun(results);
    PaneLayout layout{{"Riruzi", "Riruzi"}, {{2, 0, 0, 1}, {0, 1, 0, 0}}}; // unit 4 not laid out yet
    results.SaveResultFiles({"KATA MARKON 1", "KATA MARKON 2"}, "[Comparison]\r\n", layout);
    EXPECT_EQ(folder.Read("chapters.lst"), "KATA MARKON 1\r\nKATA MARKON 2\r\n");
    EXPECT_EQ(folder.Read("results.ini"), "[Comparison]\r\n");
    const rtf::Document left = ReadResultFile(results.LeftPath());
    const rtf::Document right = ReadResultFile(results.RightPath());
    EXPECT_EQ(Shape(left), "H..v.Hv.v.");
    EXPECT_EQ(Shape(right), "Hv..Hvv.");
    EXPECT_NE(folder.Read("r1.rtf").find("Riruzi"), std::string::npos);

    // Read back: the same units, the levelling gone, the blank before a heading kept.
    ComparisonResults restored(folder.Path());
    ASSERT_TRUE(restored.Restore(left, right));
    EXPECT_EQ(restored.Units().size(), results.Units().size());
    for (size_t i = 0; i < results.Count(); ++i) {
        EXPECT_EQ(restored.Units()[i].left, results.Units()[i].left) << i;
        EXPECT_EQ(restored.Units()[i].right, results.Units()[i].right) << i;
        EXPECT_EQ(restored.Units()[i].blanksBefore, results.Units()[i].blanksBefore) << i;
        EXPECT_EQ(restored.IsHeading(i), results.IsHeading(i)) << i;
    }
    EXPECT_EQ(restored.Unpaired(0), nullptr);
    // Saved again with no levelling: only the blanks before the headings.
    EXPECT_EQ(Shape(rtf::ReadRtf(restored.FileText(0, {}))), "Hv.Hvv.");

    // Files that do not pair up are kept as they are, with no units.
    const rtf::Document odd{{{{"one", 0, false}}, {{"two", 0, false}}}};
    EXPECT_FALSE(restored.Restore(odd, right));
    EXPECT_EQ(restored.Count(), 0u);
    ASSERT_NE(restored.Unpaired(0), nullptr);
    EXPECT_EQ(*restored.Unpaired(0), odd);
    EXPECT_EQ(rtf::ReadRtf(restored.FileText(0, layout)), odd);
    EXPECT_EQ(ReadResultFile(folder / "missing.rtf"), rtf::Document{});
}

// Spelling-only units: walked and saved like pairs, never counted or reported,
// and told again on restore (old files, with none, stay as they were).
TEST(ComparisonResultsTest, SpellingOnlyUnitsAreShownButNotFound)
{
    test::TempFolder folder;
    ComparisonResults results(folder.Path());
    AppendRun(results); // units 0-4, found pairs with green and blue words
    results.AppendHeading("KATA MARKON 3");
    const std::string left = " 3:1 kai euyuv", right = " 3:1 kai euyewv";
    MatchMask leftMask(left.size(), 1), rightMask(right.size(), 1);
    std::fill(leftMask.begin() + 9, leftMask.end(), kSpellingMatch);
    std::fill(rightMask.begin() + 9, rightMask.end(), kSpellingMatch);
    results.AppendSpellingOnlyPair(right, left, rightMask, leftMask, {}); // unit 6: no blue
    rightMask[1] = 0;
    rightMask[2] = 0;
    results.AppendSpellingOnlyPair(right, left, rightMask, leftMask, {}); // unit 7: 2 blue, under threshold 5
    ASSERT_EQ(results.Count(), 8u);
    EXPECT_TRUE(results.IsSpellingOnly(6));
    EXPECT_EQ(results.Units()[6].right.back().colour, 0x008000u);

    EXPECT_EQ(results.NextPair(4, true), 6u);
    EXPECT_EQ(results.NextPair(6, true), 7u);
    EXPECT_EQ(results.NextPair(SIZE_MAX, false), 7u);
    EXPECT_EQ(results.NextPair(6, false), 4u);

    // Counted apart; its chapter stays for the navigator but not in the counts shown.
    const ResultSummary summary = results.Summary();
    EXPECT_EQ(summary.reported, 3);
    ASSERT_EQ(summary.books[0].chapters.size(), 3u);
    EXPECT_EQ(summary.books[0].chapters[2].reported, 0);
    EXPECT_EQ(summary.books[0].chapters[2].spellingOnly, 2);
    EXPECT_EQ(WithoutSpellingOnlyChapters(summary).books[0].chapters.size(), 2u);
    // The report is of what was found: the chapter and its units are left out.
    EXPECT_EQ(results.ReportItems().size(), 5u);

    results.SaveResultFiles({}, "", {});
    const rtf::Document l = ReadResultFile(results.LeftPath()), r = ReadResultFile(results.RightPath());
    const struct {
        int threshold;
        std::vector<bool> spellingOnly;
    } restores[] = {
        {5, {false, false, false, false, false, false, true, true}},
        {0, {false, false, false, false, false, false, true, false}}, // no record: no blue at all
    };
    for (const auto& c : restores) {
        ComparisonResults restored(folder.Path());
        ASSERT_TRUE(restored.Restore(l, r, c.threshold));
        std::vector<bool> spellingOnly;
        for (size_t i = 0; i < restored.Count(); ++i)
            spellingOnly.push_back(restored.IsSpellingOnly(i));
        EXPECT_EQ(spellingOnly, c.spellingOnly) << c.threshold;
        EXPECT_EQ(restored.Summary().reported, c.threshold ? 3 : 4);
    }
}

// Switching the marking re-colours the pairs from their text and back; a
// remnant's pair and the headings stay; moved words survive the files and
// the report items.
TEST(ComparisonResultsTest, RemarkAndMovedWordsRoundTrip)
{
    test::TempFolder folder;
    ComparisonResults results(folder.Path());
    results.AppendHeading("KATA MARKON 1");
    const std::string left = " 1:1 a b c d e f", right = " 1:1 x a c b d e f";
    MatchMask leftMask(left.size(), 0), rightMask(right.size(), 0);
    MarkCommonWords(right, left, rightMask, leftMask, true);
    results.AppendVersePair(right, left, rightMask, leftMask);
    MatchMask lostMask(left.size(), kLacunaText);
    results.AppendVersePair(right, left, MatchMask(right.size(), 1), lostMask);
    const std::vector<ComparisonResults::Unit> before = results.Units();
    const unsigned generation = results.Generation();

    RunOptions options{1, true};
    options.marking = WordMarking::Aligned;
    results.Remark(options);
    EXPECT_NE(results.Generation(), generation);
    const auto colours = [](const rtf::Paragraph& p) {
        std::string out;
        for (const rtf::Span& span : p)
            out += span.colour == kMovedColour ? 'm' : span.colour == 0xFF0000 ? 'b' : span.colour == 0 ? '.' : '?';
        return out;
    };
    EXPECT_EQ(colours(results.Units()[1].left), ".m.");
    EXPECT_EQ(colours(results.Units()[1].right), ".b.m.");
    EXPECT_EQ(results.Units()[0].left, before[0].left);
    EXPECT_EQ(results.Units()[2].left, before[2].left);

    results.SaveResultFiles({}, "", {});
    ComparisonResults restored(folder.Path());
    ASSERT_TRUE(restored.Restore(ReadResultFile(results.LeftPath()), ReadResultFile(results.RightPath())));
    EXPECT_EQ(restored.Units()[1].right, results.Units()[1].right);
    const std::vector<html::ReportItem> items = restored.ReportItems();
    const auto& pair = std::get<html::ReportPair>(items[1]);
    EXPECT_EQ(std::count(pair.leftMask.begin(), pair.leftMask.end(), kMovedMatch), 1);

    options.marking = WordMarking::Defined;
    results.Remark(options);
    EXPECT_EQ(results.Units()[1].left, before[1].left);
    EXPECT_EQ(results.Units()[1].right, before[1].right);
}

} // namespace
} // namespace synopter
