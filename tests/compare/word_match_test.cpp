#include "compare/word_match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace synopter {
namespace {

// A mask as '0'/'1' over the first `length` characters; bytes past the end of
// the mask read as '0', as CountUnmatched counts them.
std::string MaskText(const MatchMask& mask, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += (i < mask.size() && mask[i] != 0) ? '1' : '0';
    return text;
}

// One row per case: the verses as the run passes them (right first), the mode,
// and the masks expected for each verse.
struct Row {
    std::string name;
    std::string right;
    std::string left;
    bool exact;
    std::string rightMask;
    std::string leftMask;
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name << " right=\"" << row.right << "\" left=\"" << row.left << "\" exact=" << row.exact;
}

class MarkCommonWordsTest : public ::testing::TestWithParam<Row> {};

TEST_P(MarkCommonWordsTest, Masks)
{
    const Row& row = GetParam();
    ASSERT_EQ(row.rightMask.size(), row.right.size()) << "bad row";
    ASSERT_EQ(row.leftMask.size(), row.left.size()) << "bad row";

    // As the run calls it: zeroed masks of at least the verse lengths.
    MatchMask rightMask(row.right.size() + 3, 0);
    MatchMask leftMask(row.left.size() + 3, 0);
    MarkCommonWords(row.right, row.left, rightMask, leftMask, row.exact);
    EXPECT_EQ(MaskText(rightMask, row.right.size()), row.rightMask);
    EXPECT_EQ(MaskText(leftMask, row.left.size()), row.leftMask);
    // Bytes past the verses are never touched.
    EXPECT_EQ(MaskText(rightMask, rightMask.size()).substr(row.right.size()), "000");
    EXPECT_EQ(MaskText(leftMask, leftMask.size()).substr(row.left.size()), "000");

    // The unmatched counts the run compares with the threshold.
    const auto zeros = [](const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '0')); };
    EXPECT_EQ(CountUnmatched(rightMask, row.right.size()), zeros(row.rightMask));
    EXPECT_EQ(CountUnmatched(leftMask, row.left.size()), zeros(row.leftMask));

    // Empty masks grow as needed and give the same result.
    MatchMask grownRight;
    MatchMask grownLeft;
    MarkCommonWords(row.right, row.left, grownRight, grownLeft, row.exact);
    EXPECT_EQ(MaskText(grownRight, row.right.size()), row.rightMask);
    EXPECT_EQ(MaskText(grownLeft, row.left.size()), row.leftMask);
}

// Rows whose masks are the same in both modes, run in each.
std::vector<Row> BothModes(const std::vector<Row>& rows)
{
    std::vector<Row> out;
    for (Row row : rows) {
        const std::string name = row.name;
        row.exact = true;
        row.name = name + "_exact";
        out.push_back(row);
        row.exact = false;
        row.name = name + "_free";
        out.push_back(row);
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    SameInBothModes, MarkCommonWordsTest,
    ::testing::ValuesIn(BothModes({
        // A space, then "in the word was" against "the word was": pass 2 aligns the ends.
        {"worked_example", " in the word was", " the word was", {}, "1001111111111111", "1111111111111"},
        {"identical", " 1:1 a b c", " 1:1 a b c", {}, "1111111111", "1111111111"},
        // Nothing is marked, not even the spaces, when either verse is empty.
        {"empty_right", "", " a b", {}, "", "0000"},
        {"empty_left", " a b", "", {}, "0000", ""},
        {"both_empty", "", "", {}, "", ""},
        // Left has more words: every right word meets the left word as far from the end.
        {"left_longer", " a b", " x y a b", {}, "1111", "10101111"},
        {"runs_of_spaces", " a  b", " a b", {}, "11111", "1111"},
        {"trailing_space", " a b ", " a b", {}, "11111", "1111"},
        {"only_spaces", "   ", " ", {}, "111", "1"},
        {"letter_case_differs", " Logos", " logos", {}, "100000", "100000"},
        {"one_byte_differs", " \xe1rch", " arch", {}, "10000", "10000"},
        {"punctuation_is_part_of_word", " word, x", " word x", {}, "10000011", "1000011"},
        {"tab_is_no_separator", " a\tb", " a b", {}, "1000", "1010"},
        {"headings_without_leading_space", "KATA 1", "KATA 2", {}, "111110", "111110"},
        // Pass 2 ignores what pass 1 matched: the second right "a" matches the same left "a".
        {"pass_2_rematches", " a a", " a", {}, "1111", "11"},
    })),
    [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    ModeMatters, MarkCommonWordsTest,
    ::testing::Values(
        // Pass 2 with d = 2 runs for t = 3 only: "b" matches, "a" does not.
        Row{"right_longer_exact", " x y a b", " a b", true, "10101011", "1011"},
        Row{"right_longer_free", " x y a b", " a b", false, "10101111", "1111"},
        // Pass 3 lets one right word claim every free equal left word.
        Row{"one_claims_all_exact", " a x y", " p a a", true, "101010", "101010"},
        Row{"one_claims_all_free", " a x y", " p a a", false, "111010", "101111"},
        // A left word once matched is never claimed again.
        Row{"claimed_once_exact", " p a a", " a x y", true, "101010", "101010"},
        Row{"claimed_once_free", " p a a", " a x y", false, "101110", "111010"},
        Row{"moved_words_exact", " a b", " b a", true, "1010", "1010"},
        Row{"moved_words_free", " a b", " b a", false, "1111", "1111"},
        // d = 3 and nL = 2: pass 2 is skipped altogether.
        Row{"pass_2_skipped_exact", " a b c d", " d", true, "10101010", "10"},
        Row{"pass_2_skipped_free", " a b c d", " d", false, "10101011", "11"},
        // The empty word 1 of the right verse takes part in pass 3 but marks nothing.
        Row{"no_leading_space_exact", " a", "a", true, "10", "0"},
        Row{"no_leading_space_free", " a", "a", false, "11", "1"}),
    [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

// Verses beyond 100 words and 1000 characters.
std::string Words(int from, int to, const char* prefix)
{
    std::string verse;
    for (int i = from; i < to; ++i)
        verse += " " + std::string(prefix) + std::to_string(i);
    return verse;
}

TEST(MarkCommonWordsLongTest, ManyWordsAndCharacters)
{
    // 300 words, about 1900 characters; the right verse has one more word at the end.
    const std::string left = Words(0, 300, "word");
    const std::string right = left + " extra";
    ASSERT_GT(left.size(), 1000u);

    MatchMask rightMask;
    MatchMask leftMask;
    MarkCommonWords(right, left, rightMask, leftMask, true);
    ASSERT_GE(rightMask.size(), right.size());
    ASSERT_GE(leftMask.size(), left.size());
    EXPECT_EQ(CountUnmatched(rightMask, right.size()), 5); // "extra"
    EXPECT_EQ(CountUnmatched(leftMask, left.size()), 0);
    EXPECT_EQ(MaskText(rightMask, right.size()), std::string(left.size() + 1, '1') + "00000");
}

TEST(MarkCommonWordsLongTest, MovedWordsFarApart)
{
    // The last 150 words moved to the front: only pass 3 finds them.
    const std::string right = Words(0, 300, "w");
    const std::string left = Words(150, 300, "w") + Words(0, 150, "w");
    ASSERT_EQ(right.size(), left.size());
    for (const bool exact : {true, false}) {
        MatchMask rightMask(right.size(), 0);
        MatchMask leftMask(left.size(), 0);
        MarkCommonWords(right, left, rightMask, leftMask, exact);
        const int spaces = 300;
        if (exact) {
            EXPECT_EQ(CountUnmatched(rightMask, right.size()), static_cast<int>(right.size()) - spaces);
            EXPECT_EQ(CountUnmatched(leftMask, left.size()), static_cast<int>(left.size()) - spaces);
        } else {
            EXPECT_EQ(CountUnmatched(rightMask, right.size()), 0);
            EXPECT_EQ(CountUnmatched(leftMask, left.size()), 0);
        }
    }
}

TEST(MarkCommonWordsLongTest, OneVeryLongWord)
{
    const std::string word(5000, 'q');
    const std::string right = " " + word + " z";
    const std::string left = " " + word;
    MatchMask rightMask;
    MatchMask leftMask;
    MarkCommonWords(right, left, rightMask, leftMask, true);
    EXPECT_EQ(CountUnmatched(rightMask, right.size()), 1);
    EXPECT_EQ(CountUnmatched(leftMask, left.size()), 0);
}

TEST(MarkCommonWordsTest, OnlySetsBytes)
{
    // Bytes the caller set stay set: the routine never clears.
    MatchMask rightMask(4, 1);
    MatchMask leftMask(4, 1);
    MarkCommonWords(" a b", " c d", rightMask, leftMask, false);
    EXPECT_EQ(MaskText(rightMask, 4), "1111");
    EXPECT_EQ(MaskText(leftMask, 4), "1111");
}

// The moved-word pass as it first was, every unmatched word against every
// other: the reference the table-driven pass must agree with. Passes 1 and 2
// come from MarkCommonWords with exact positions.
void ReferenceMasks(const std::string& right, const std::string& left, MatchMask& rightMask, MatchMask& leftMask)
{
    MarkCommonWords(right, left, rightMask, leftMask, /*exactPositions=*/true);
    struct Word {
        size_t start, length;
        bool matched;
    };
    const auto words = [](const std::string& verse, const MatchMask& mask) {
        std::vector<Word> out;
        size_t start = 0;
        for (size_t i = 0; i <= verse.size(); ++i)
            if (i == verse.size() || verse[i] == ' ') {
                // A word the exact passes matched has all its bytes set. An
                // empty word has no bytes to tell, and matching it sets none.
                const bool matched = i > start && std::all_of(mask.begin() + long(start), mask.begin() + long(i),
                                                              [](auto b) { return b != 0; });
                out.push_back({start, i - start, matched});
                start = i + 1;
            }
        return out;
    };
    std::vector<Word> R = words(right, rightMask);
    std::vector<Word> L = words(left, leftMask);
    for (Word& r : R) {
        if (r.matched)
            continue;
        for (Word& l : L)
            if (!l.matched && right.compare(r.start, r.length, left, l.start, l.length) == 0) {
                r.matched = l.matched = true;
                std::fill_n(rightMask.begin() + long(r.start), r.length, 1);
                std::fill_n(leftMask.begin() + long(l.start), l.length, 1);
            }
    }
}

// Words from a small vocabulary, so that many repeat; now and then an empty
// word (two spaces).
std::string RandomVerse(std::mt19937& random, size_t words, int vocabulary)
{
    std::string verse;
    for (size_t i = 0; i < words; ++i) {
        if (i > 0)
            verse += ' ';
        const int w = int(random() % unsigned(vocabulary + 1));
        if (w < vocabulary)
            verse += "w" + std::to_string(w);
    }
    return verse;
}

TEST(MarkCommonWordsLongTest, MovedWordsAgreeWithTheQuadraticPass)
{
    std::mt19937 random(7);
    struct Case {
        size_t rightWords, leftWords;
        int vocabulary, count;
    };
    // Small pairs take the nested loop, larger ones the table.
    for (const Case& c : {Case{3, 5, 4, 300}, Case{40, 60, 10, 200}, Case{150, 120, 60, 100}, Case{400, 420, 500, 20}}) {
        for (int n = 0; n < c.count; ++n) {
            const std::string right = RandomVerse(random, c.rightWords, c.vocabulary);
            const std::string left = RandomVerse(random, c.leftWords, c.vocabulary);
            MatchMask rightMask(right.size(), 0), leftMask(left.size(), 0);
            MatchMask rightRef(right.size(), 0), leftRef(left.size(), 0);
            MarkCommonWords(right, left, rightMask, leftMask, false);
            ReferenceMasks(right, left, rightRef, leftRef);
            ASSERT_EQ(rightMask, rightRef) << right << " | " << left;
            ASSERT_EQ(leftMask, leftRef) << right << " | " << left;
        }
    }

    // 50 000 words: mostly in place, with a few hundred moved or changed, so
    // the reference stays quick.
    std::string right, left;
    for (int i = 0; i < 50000; ++i) {
        const std::string word = "v" + std::to_string(i);
        right += (i ? " " : "") + (i % 97 == 0 ? "m" + std::to_string(i % 13) : word);
        left += (i ? " " : "") + (i % 89 == 0 ? "m" + std::to_string(i % 11) : i % 71 == 0 ? "x" : word);
    }
    right += " v1 v7";
    MatchMask rightMask(right.size(), 0), leftMask(left.size(), 0);
    MatchMask rightRef(right.size(), 0), leftRef(left.size(), 0);
    MarkCommonWords(right, left, rightMask, leftMask, false);
    ReferenceMasks(right, left, rightRef, leftRef);
    EXPECT_EQ(rightMask, rightRef);
    EXPECT_EQ(leftMask, leftRef);
    EXPECT_GT(CountUnmatched(rightMask, right.size()), 0);
}

TEST(MarkCommonWordsLongTest, KeepGoingIsAskedInsideTheLineAndStops)
{
    std::string right, left;
    for (int i = 0; i < 100000; ++i) {
        right += "r" + std::to_string(i) + " ";
        left += "l" + std::to_string(i) + " ";
    }
    MatchMask rightMask(right.size(), 0), leftMask(left.size(), 0);
    int asked = 0;
    EXPECT_FALSE(MarkCommonWords(right, left, rightMask, leftMask, false, [&] { return ++asked < 3; }));
    EXPECT_EQ(asked, 3);
    asked = 0;
    EXPECT_TRUE(MarkCommonWords(right, left, rightMask, leftMask, false, [&] { return ++asked > 0; }));
    EXPECT_GE(asked, int(2 * 100000 / kKeepGoingWords));
}

TEST(CountUnmatchedTest, CountsZerosOfTheVerseOnly)
{
    const MatchMask mask{1, 0, 0, 1, 0, 0};
    EXPECT_EQ(CountUnmatched(mask, 0), 0);
    EXPECT_EQ(CountUnmatched(mask, 3), 2);
    EXPECT_EQ(CountUnmatched(mask, 6), 4);
    // Past the mask nothing was marked: unmatched.
    EXPECT_EQ(CountUnmatched(mask, 9), 7);
    EXPECT_EQ(CountUnmatched(MatchMask{}, 5), 5);
}

} // namespace
} // namespace synopter
