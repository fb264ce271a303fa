#include "find/result_find.h"

#include "compare/comparison_run.h"
#include "compare/result_model.h"
#include "editions/edition.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace synopter {
namespace {

constexpr size_t kNone = size_t(-1);

const std::vector<FindUnit> kUnits = {
    {true, "KATA MAYYAION 1", ""},
    {false, " 1:1 biblov genesewv ihsou", " 1:1 biblov genesewv ihsou cristou"},
    {false, " 17:21 ina pantev en wsin", " 17:21 ina pantev"},
    {true, "KATA IWANNHN 3", ""},
    {false, " 3:16 outwv gar hgaphsen o yeov", " 3:16 outwv gar  hgaphsen o yeov"},
    {true, "KATA IWANNHN 17", ""},
    {false, " 17:21 ina pantev en wsin kayws", " 17:21 ina pantev en wsin"},
    {false, " 17:22 en tw bibliw", " 17:22 en biblw"},
};

TEST(ResultFindTest, StepsThroughTheMatches)
{
    const auto F = FindDirection::Forward;
    const auto B = FindDirection::Backward;
    const struct {
        const char* typed;
        size_t from;
        FindDirection direction;
        size_t unit; // kNone: not found
        bool wrapped;
        std::vector<ByteRange> left, right;
    } cases[] = {
        {"bibliw", kNone, F, 7, false, {{13, 19}}, {}},
        {"βιβλίῳ", kNone, B, 7, false, {{13, 19}}, {}},
        {"Βίβλος", kNone, F, 1, false, {{5, 11}}, {{5, 11}}},
        {"BIBLOS", kNone, F, 1, false, {{5, 11}}, {{5, 11}}},
        {"βιβλοσ γενεσ", kNone, F, 1, false, {{5, 17}}, {{5, 17}}},
        {"gar hgaph", 0, F, 4, false, {{12, 21}}, {{12, 22}}},
        {"pantev en", 2, F, 6, false, {{11, 20}}, {{11, 20}}},
        {"pantev en", 6, F, 2, true, {{11, 20}}, {}},
        {"kayws", 6, F, 6, true, {{26, 31}}, {}},
        {"ina", 6, F, 2, true, {{7, 10}}, {{7, 10}}},
        {"ina", 2, B, 6, true, {{7, 10}}, {{7, 10}}},
        {"ina", 6, B, 2, false, {{7, 10}}, {{7, 10}}},
        {"17:21", kNone, F, 2, false, {}, {}},
        {"17:21", 2, F, 6, false, {}, {}},
        {"17:21", 6, F, 2, true, {}, {}},
        {"17:21", 2, B, 6, true, {}, {}},
        {"John 17:21", 0, F, 6, false, {}, {}},
        {"John 17:21", 6, B, 6, true, {}, {}},
        {"Jn 3:16", 7, F, 4, true, {}, {}},
        {"KATA IWANNHN 3:16", kNone, F, 4, false, {}, {}},
        {"ΚΑΤΑ ΙΩΑΝΝΗΝ 3:16", kNone, F, 4, false, {}, {}},
        {"IWANNOU A 1:1", kNone, F, kNone, false, {}, {}},
        {"John 3", kNone, F, 3, false, {}, {}},
        {"Matthew 1", 4, B, 0, false, {}, {}},
        {"John 1:1", kNone, F, kNone, false, {}, {}},
        {"1 Cor 13:4", kNone, F, kNone, false, {}, {}},
        {"iwannhn", kNone, F, kNone, false, {}, {}}, // headings hold no words to find
        {"xyz", 3, B, kNone, false, {}, {}},
        {"", kNone, F, kNone, false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " from " + std::to_string(c.from));
        const auto match = FindInUnits(ParseFindQuery(c.typed), kUnits, c.from, c.direction);
        if (c.unit == kNone) {
            EXPECT_FALSE(match.has_value());
            continue;
        }
        ASSERT_TRUE(match.has_value());
        EXPECT_EQ(match->unit, c.unit);
        EXPECT_EQ(match->wrapped, c.wrapped);
        EXPECT_EQ(match->left, c.left);
        EXPECT_EQ(match->right, c.right);
    }
}

// A pair shown for its spelling alone is searched like any other.
TEST(ResultFindTest, FindsInSpellingOnlyUnits)
{
    ComparisonResults results("");
    results.AppendHeading("KATA MARKON 3");
    const std::string left = " 3:1 kai euyuv", right = " 3:1 kai euyewv";
    MatchMask mask(right.size(), kSpellingMatch);
    results.AppendSpellingOnlyPair(right, left, mask, mask, {});
    for (const char* typed : {"euyewv", "Mark 3:1"}) {
        const auto match = FindInResults(ParseFindQuery(typed), results, kNone, FindDirection::Forward);
        ASSERT_TRUE(match.has_value()) << typed;
        EXPECT_EQ(match->unit, 1u);
    }
}

// The results of a real run, as the window keeps them.
class Results : public RunOutput {
public:
    void Chapter(const std::string& label) override { model.AppendHeading(label); }
    void FoundCount(int) override {}
    void VersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                   const MatchMask& leftMask) override
    {
        model.AppendVersePair(right, left, rightMask, leftMask);
    }
    bool Progress(int) override { return true; }

    ComparisonResults model{""};
};

TEST(ResultFindTest, FindsInAWholeRealResult)
{
    const std::string dir = std::string(SYNOPTER_EDITIONS_DIR) + "/";
    const auto left = LoadEditionText(EditionTextPath(dir, "WestcottHort1881"));
    const auto right = LoadEditionText(EditionTextPath(dir, "Byzantine2018"));
    if (!std::filesystem::exists(dir) || !left || !right)
        GTEST_SKIP() << "no editions in " << dir;
    Results run;
    ComparisonRun(*left, *right, RunOptions{1, false}, run);
    const ComparisonResults& results = run.model;

    // The chapter's heading, then the verse under it.
    const auto heading = FindInResults(ParseFindQuery("Jn 3"), results, size_t(-1), FindDirection::Forward);
    ASSERT_TRUE(heading.has_value());
    EXPECT_EQ(results.Text(heading->unit, 0), "KATA IWANNHN 3");
    const auto verse = FindInResults(ParseFindQuery("John 3:3"), results, heading->unit, FindDirection::Forward);
    ASSERT_TRUE(verse.has_value());
    EXPECT_GT(verse->unit, heading->unit);
    EXPECT_EQ(results.Text(verse->unit, 0).substr(0, 5), " 3:3 ");
    // An edition's own lines, a line a unit.
    const auto line = FindInLines(ParseFindQuery("John 3:16"), *left, size_t(-1), FindDirection::Backward);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ((*left)[line->unit].substr(0, 6), " 3:16 ");
    EXPECT_EQ((*left)[line->unit - 16], "KATA IWANNHN 3");

    // Every range of every step holds the word; stepping round comes back.
    const FindQuery logos = ParseFindQuery("λόγος");
    size_t at = size_t(-1);
    int steps = 0;
    for (;; ++steps) {
        const auto match = FindInResults(logos, results, at, FindDirection::Forward);
        ASSERT_TRUE(match.has_value());
        if (match->wrapped)
            break;
        EXPECT_EQ(match->ordinal, steps + 1);
        for (const int side : {0, 1}) {
            const std::string_view text = results.Text(match->unit, side);
            for (const ByteRange& r : side == 0 ? match->left : match->right)
                EXPECT_EQ(text.substr(r.begin, r.end - r.begin), "logov");
        }
        at = match->unit;
    }
    EXPECT_GT(steps, 10);
}

} // namespace
} // namespace synopter
