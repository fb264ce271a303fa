#include "compare/aligned_marking.h"

#include "compare/comparison_run.h"
#include "compare/sample_editions.h"
#include "compare/spelling_rules.h"
#include "editions/edition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace synopter {
namespace {

// The mask as one character a word: its value at the word's first byte.
std::string WordValues(const std::string& verse, const MatchMask& mask)
{
    std::string out;
    size_t start = 0;
    for (size_t i = 0; i <= verse.size(); ++i)
        if (i == verse.size() || verse[i] == ' ') {
            if (i > start)
                out += static_cast<char>('0' + mask[start]);
            start = i + 1;
        }
    return out;
}

// The words marked 0, in order.
std::string Marked(const std::string& verse, const MatchMask& mask)
{
    std::string out;
    size_t start = 0;
    for (size_t i = 0; i <= verse.size(); ++i)
        if (i == verse.size() || verse[i] == ' ') {
            if (i > start && mask[start] == 0)
                out += (out.empty() ? "" : " ") + verse.substr(start, i - start);
            start = i + 1;
        }
    return out;
}

TEST(MarkAlignedWordsTest, Pairs)
{
    enum Spelling { Bytes, MarkSpelling, IgnoreSpelling };
    struct Row {
        const char* name;
        std::string right, left;
        Spelling spelling;
        const char* rightValues;
        const char* leftValues;
    };
    const Row rows[] = {
        {"surplus repeats marked", "a b a b", "a b", Bytes, "1100", "11"},
        {"repeated kai", "kai x kai y kai", "x kai y", Bytes, "01110", "111"},
        {"transposition", "a b c d", "a c b d", Bytes, "1511", "1151"},
        {"addition does not spill", "a b c d e f", "a b x c d e f", Bytes, "111111", "1101111"},
        {"moved too far is a difference", "m a b c d e f g h i j k l n o", "a b c d e f g h i j k l n o m", Bytes,
         "011111111111111", "111111111111110"},
        {"moved within reach", "m a b c d", "a b c d m", Bytes, "51111", "11115"},
        {"spelling marked", "dabid a", "dauid a", MarkSpelling, "21", "21"},
        {"spelling ignored", "dabid a", "dauid a", IgnoreSpelling, "11", "11"},
        {"spelling by bytes", "dabid a", "dauid a", Bytes, "01", "01"},
        {"bytes pair before spelling", "dauid dabid", "dabid", MarkSpelling, "01", "1"},
        // The equal ends are found by bytes: where they stop inside a word.
        {"one verse begins the other", "a b", "a b c", Bytes, "11", "110"},
        {"a word grown at the end", "a bc", "a b", Bytes, "10", "10"},
        {"a word ending like another", "a xb c", "a b c", Bytes, "101", "101"},
        {"a word starting like another", "c bx a", "c b a", Bytes, "101", "101"},
        {"an empty word", "a  b", "a b", Bytes, "11", "11"},
        {"a trailing space", "a b ", "a b", Bytes, "11", "11"},
        {"the same verse", "a b", "a b", Bytes, "11", "11"},
        {"long words", "kataluyhsetai a", "x kataluyhsetai", Bytes, "10", "01"},
        {"long words alike at both ends", "abcdefghXijklmnop y", "abcdefghYijklmnop y", Bytes, "01", "01"},
    };
    for (const Row& row : rows) {
        // Every byte is written: nothing of what the masks held shows.
        MatchMask rightMask(row.right.size(), 7), leftMask(row.left.size(), 7);
        MarkAlignedWords(row.right, row.left, rightMask, leftMask,
                         row.spelling == Bytes ? nullptr : &SpellingRules::BuiltIn(), row.spelling == MarkSpelling);
        EXPECT_EQ(WordValues(row.right, rightMask), row.rightValues) << row.name;
        EXPECT_EQ(WordValues(row.left, leftMask), row.leftValues) << row.name;
        for (size_t i = 0; i < row.right.size(); ++i)
            if (row.right[i] == ' ') {
                EXPECT_EQ(rightMask[i], 1) << row.name;
            }
    }
}

// Verses where the comparison's passes mislead, in WH and Byz.
TEST(MarkAlignedWordsTest, RealVerses)
{
    const auto whText = test::SampleEdition("WestcottHort1881");
    const auto byzText = test::SampleEdition("Byzantine2018");
    if (!whText || !byzText)
        GTEST_SKIP() << "no sample editions";
    const std::vector<std::string>& wh = *whText;
    const std::vector<std::string>& byz = *byzText;
    ASSERT_EQ(wh.size(), byz.size());
    const auto line = [&](const std::string& heading, const std::string& verse) {
        size_t k = 0;
        while (k < wh.size() && wh[k] != heading)
            ++k;
        while (k < wh.size() && wh[k].rfind(" " + verse + " ", 0) != 0)
            ++k;
        return k;
    };
    struct Row {
        const char* heading;
        const char* verse;
        const char* byzMarked;
        const char* whMarked;
    };
    const Row rows[] = {
        {"KATA MAYYAION 3", "3:16", "kai anewcyhsan autw to tou kai", "de hnewcyhsan"},
        {"KATA MAYYAION 25", "25:22", "de labwn ep autoiv", ""},
        {"KATA IWANNHN 8", "8:28", "autoiv mou", ""},
    };
    for (const Row& row : rows) {
        const size_t k = line(row.heading, row.verse);
        ASSERT_LT(k, wh.size()) << row.verse;
        MatchMask byzMask(byz[k].size(), 0), whMask(wh[k].size(), 0);
        MarkAlignedWords(byz[k], wh[k], byzMask, whMask);
        EXPECT_EQ(Marked(byz[k], byzMask), row.byzMarked) << row.verse << "\n" << byz[k] << "\n" << wh[k];
        EXPECT_EQ(Marked(wh[k], whMask), row.whMarked) << row.verse;
    }
}

// The pairs a run reports, and whether any mask holds a moved word.
struct Pairs : RunOutput {
    std::vector<std::string> pairs;
    bool moved = false;
    void Chapter(const std::string& heading) override { pairs.push_back(heading); }
    void FoundCount(int) override {}
    void VersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                   const MatchMask& leftMask) override
    {
        pairs.push_back(right + "|" + left);
        for (const MatchMask* mask : {&rightMask, &leftMask})
            moved = moved || std::find(mask->begin(), mask->end(), kMovedMatch) != mask->end();
    }
    bool Progress(int) override { return true; }
};

// The marking shows; it never changes which pairs are reported or any count.
TEST(MarkAlignedWordsTest, RunReportsTheSamePairs)
{
    const auto leftText = test::SampleEdition("WestcottHort1881");
    const auto rightText = test::SampleEdition("Byzantine2018");
    if (!leftText || !rightText)
        GTEST_SKIP() << "no sample editions";
    const std::vector<std::string>& left = *leftText;
    const std::vector<std::string>& right = *rightText;
    for (const SpellingMode spelling : {SpellingMode::Count, SpellingMode::Mark}) {
        for (const bool exact : {false, true}) {
            RunOptions options{5, exact, spelling};
            Pairs defined, aligned;
            const RunSummary d = ComparisonRun(left, right, options, defined);
            options.marking = WordMarking::Aligned;
            const RunSummary a = ComparisonRun(left, right, options, aligned);
            EXPECT_GT(d.found, 1000);
            EXPECT_EQ(a.found, d.found);
            EXPECT_EQ(a.spellingOnly, d.spellingOnly);
            EXPECT_EQ(aligned.pairs, defined.pairs);
            EXPECT_FALSE(defined.moved);
            EXPECT_TRUE(aligned.moved);
        }
    }
}

} // namespace
} // namespace synopter
