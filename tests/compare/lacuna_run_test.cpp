#include "compare/comparison_run.h"
#include "compare/lacuna_marks.h"
#include "editions/lacunae.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace synopter {
namespace {

using Lines = std::vector<std::string>;

std::string Digits(const MatchMask& mask, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += char('0' + (i < mask.size() ? mask[i] : 0));
    return text;
}

class Recorder : public RunOutput {
public:
    void Chapter(const std::string& heading) override { log.push_back("chapter " + heading); }
    void FoundCount(int) override {}
    void VersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                   const MatchMask& leftMask) override
    {
        log.push_back("pair " + Digits(rightMask, right.size()) + " " + Digits(leftMask, left.size()));
    }
    void LacunaPair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                    const MatchMask& leftMask, const PairGaps& gaps) override
    {
        log.push_back("lacuna " + Digits(rightMask, right.size()) + " " + Digits(leftMask, left.size()) + " " +
                      std::to_string(gaps.right.size()) + "/" + std::to_string(gaps.left.size()));
    }
    void Lacunose(const LacunoseRun& run) override
    {
        log.push_back(std::string("lac ") + (run.right ? "R" : "") + (run.left ? "L" : "") + " " +
                      LacunoseReferences(run.firstReference, run.lastReference));
    }
    bool Progress(int) override { return true; }
    std::vector<std::string> log;
};

struct Side {
    std::vector<size_t> lost = {};
    size_t remnantLine = 0;
    std::vector<std::uint16_t> gaps = {};
    Lacunae Make() const
    {
        Lacunae l;
        for (size_t k : lost)
            l.SetLacunose(k);
        if (!gaps.empty())
            l.SetGaps(remnantLine, gaps);
        return l;
    }
};

TEST(LacunaRun, LostTextIsNeverADifference)
{
    const std::string H = "KATA MARKON 1";
    struct Case {
        const char* name;
        Lines left, right;
        Side leftLost, rightLost;
        std::vector<std::string> log;
        int found, lacunose;
    };
    const Case cases[] = {
        {"right lacunose, a run of two", {H, " 1:1 a b", " 1:2 c d", " 1:3 e"}, {H, " 1:1 a b", " 1:2", " 1:3"},
         {}, {{2, 3}}, {"chapter " + H, "lac R 1:2-3"}, 0, 2},
        {"left lacunose, then a difference", {H, " 1:1", " 1:2 x"}, {H, " 1:1 a", " 1:2 y"},
         {{1}}, {}, {"chapter " + H, "lac L 1:1", "pair 111110 111110"}, 1, 1},
        {"gap 0: words before the first match", {H, " 1:1 a b c d"}, {H, " 1:1 c d"},
         {}, {{}, 1, {0}}, {}, 0, 0},
        {"gap in the middle", {H, " 1:1 a b c d"}, {H, " 1:1 a d"}, {}, {{}, 1, {1}}, {}, 0, 0},
        {"gap at the end", {H, " 1:1 a b c d"}, {H, " 1:1 a b"}, {}, {{}, 1, {2}}, {}, 0, 0},
        {"a difference in the extant part still counts", {H, " 1:1 a b c d"}, {H, " 1:1 a x"},
         {}, {{}, 1, {2}}, {"chapter " + H, "lacuna 11111110 111111131313 1/0"}, 1, 0},
        {"a left remnant: the right's words in its gap", {H, " 1:1 y a d"}, {H, " 1:1 a b c d"},
         {{}, 1, {2}}, {}, {"chapter " + H, "lacuna 111111131311 1111101111 0/1"}, 1, 0},
        {"a word matched out of place does not end the lost part early", {H, " 1:1 a b c k d"},
         {H, " 1:1 a k b"}, {}, {{}, 1, {3}}, {}, 0, 0},
        {"an absent slot is a difference", {H, " 1:1"}, {H, " 1:1 a"}, {}, {{2}},
         {"chapter " + H, "pair 111110 1111"}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Lacunae leftLost = c.leftLost.Make(), rightLost = c.rightLost.Make();
        RunOptions options;
        options.threshold = 1;
        options.leftLacunae = &leftLost;
        options.rightLacunae = &rightLost;
        Recorder out;
        const RunSummary summary = ComparisonRun(c.left, c.right, options, out);
        EXPECT_EQ(out.log, c.log);
        EXPECT_EQ(summary.found, c.found);
        EXPECT_EQ(summary.lacunose, c.lacunose);
    }
}

TEST(LacunaRun, NoLacunaeChangeNothing)
{
    const Lines left = {"KATA MARKON 1", " 1:1 a b c d", " 1:2 e f", " 1:3"};
    const Lines right = {"KATA MARKON 1", " 1:1 a x c", " 1:2", " 1:3 g"};
    const Lacunae none;
    Lacunae elsewhere; // lacunae on lines past both texts touch nothing here
    elsewhere.SetLacunose(40);
    elsewhere.SetGaps(41, {0});
    Recorder plain;
    RunOptions options;
    options.threshold = 1;
    const RunSummary base = ComparisonRun(left, right, options, plain);
    ASSERT_EQ(base.found, 3);
    for (const Lacunae* lacunae : std::vector<const Lacunae*>{&none, &elsewhere}) {
        options.leftLacunae = options.rightLacunae = lacunae;
        Recorder out;
        EXPECT_EQ(ComparisonRun(left, right, options, out).found, base.found);
        EXPECT_EQ(out.log, plain.log);
    }
}

TEST(LacunaMarks, WrittenAtTheGaps)
{
    const std::uint16_t gaps[] = {0, 1, 2};
    MatchMask shown;
    const std::string line = " 1:1 a b";
    EXPECT_EQ(WithLacunaMarks(line, MatchMask(line.size(), 1), gaps, shown), " 1:1 lac. a lac. b lac.");
    EXPECT_EQ(Digits(shown, shown.size()), "11111444411144441114444");
    EXPECT_EQ(LacunoseLabel("3:5", "3:9"), "lac. 3:5-9");
    EXPECT_EQ(LacunoseLabelVerses("lac. 3:5-9"), 5);
    EXPECT_EQ(LacunoseLabelVerses("3:5"), 1);
    EXPECT_EQ(LacunoseLabelVerses("lac. kai"), 0);
}

} // namespace
} // namespace synopter
