#include "compare/comparison_run.h"
#include "compare/lacuna_marks.h"
#include "compare/relocations.h"
#include "compare/result_model.h"
#include "compare/sample_editions.h"
#include "common/temp_folder.h"
#include "editions/edition.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace synopter {
namespace {

using Lines = std::vector<std::string>;

// Each relocation as "line>at side place", side L or R the empty one.
std::vector<std::string> Described(const std::vector<Relocation>& found)
{
    std::vector<std::string> out;
    for (const Relocation& r : found)
        out.push_back(std::to_string(r.line) + ">" + std::to_string(r.at) + (r.rightEmpty ? " R " : " L ") + r.place);
    return out;
}

TEST(RelocationsTest, FindsMovedPassagesOnly)
{
    const std::string doxa1 = " 1:3 tw de dunamenw umav sthrixai kata to euaggelion mou";
    const std::string doxa2 = " 1:4 monw sofw yew dia ihsou cristou w h doxa eiv touv aiwnav amhn";
    const struct {
        const char* name;
        Lines left, right;
        std::vector<std::string> expected;
    } cases[] = {
        {"a run of two moved from 1:3-4 to 2:2-3",
         {"A 1", " 1:1 a b c", " 1:2 d e f", " 1:3", " 1:4", "A 2", " 2:1 g h", " 2:2 tw de dunamenw umav sthrixai kata to euaggelion mou", " 2:3 monw sofw yew dia ihsou cristou w h doxa eiv touv aiwnav amhn"},
         {"A 1", " 1:1 a b c", " 1:2 d e f", doxa1, doxa2, "A 2", " 2:1 g h", " 2:2", " 2:3"},
         {"3>7 L 2:2-3", "4>8 L 2:2-3", "7>3 R 1:3-4", "8>4 R 1:3-4"}},
        {"one verse nearly the same (one word of nine other) moved",
         {"A 1", " 1:1", " 1:2 x y", " 1:3 a b c d e f g h k"},
         {"A 1", " 1:1 a b c d e f g h i", " 1:2 x y", " 1:3"},
         {"1>3 L 1:3", "3>1 R 1:1"}},
        {"too different: two absences",
         {"A 1", " 1:1", " 1:2 a b c d x y"},
         {"A 1", " 1:1 a b c d e f", " 1:2"},
         {}},
        {"an empty slot with no counterpart stays absent, and no pairing across books",
         {"A 1", " 1:1", " 1:2 a b", "B 1", " 1:1 p q r"},
         {"A 1", " 1:1 p q r", " 1:2 a b", "B 1", " 1:1"},
         {}},
        {"both empty, or past the end of a list: nothing",
         {"A 1", " 1:1", " 1:2 a b"},
         {"A 1", " 1:1", " 1:2 a b", " 1:3 a b"},
         {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Described(FindRelocations(c.left, c.right)), c.expected) << c.name;
}

// The window's path: the run into the model, saved and restored. The pairs
// and counts are those without relocations; each empty side carries its note,
// grey Latin, the pair still a difference, never lacunose.
TEST(RelocationsTest, RunNotesTheOtherPlaceThroughTheResultFiles)
{
    class IntoModel : public RunOutput {
    public:
        explicit IntoModel(ComparisonResults& results) : results_(results) {}
        void Chapter(const std::string& heading) override { results_.AppendHeading(heading); }
        void FoundCount(int) override {}
        void VersePair(const std::string& right, const std::string& left, const MatchMask& rightMask,
                       const MatchMask& leftMask) override
        {
            results_.AppendVersePair(right, left, rightMask, leftMask);
        }
        bool Progress(int) override { return true; }

    private:
        ComparisonResults& results_;
    };
    const std::string text = "tw de dunamenw umav sthrixai kata to euaggelion";
    test::TempFolder folder;
    ComparisonResults results(folder.Path());
    IntoModel output(results);
    const Lines left{"A 1", " 1:1 " + text, "A 2", " 2:1"}, right{"A 1", " 1:1", "A 2", " 2:1 " + text};
    RunOptions options;
    EXPECT_EQ(ComparisonRun(left, right, options, output).found, 2);
    ComparisonResults plain("");
    IntoModel plainOutput(plain);
    options.relocations = false;
    EXPECT_EQ(ComparisonRun(left, right, options, plainOutput).found, 2);
    EXPECT_EQ(plain.Text(1, 1), " 1:1");
    results.SaveResultFiles({"A 1", "A 2"}, "", {});
    ComparisonResults restored(folder.Path());
    ASSERT_TRUE(restored.Restore(ReadResultFile(results.LeftPath()), ReadResultFile(results.RightPath())));
    ASSERT_EQ(restored.Count(), 4u);
    EXPECT_EQ(restored.Text(1, 1), " 1:1 -> 2:1");
    EXPECT_EQ(restored.Units()[1].right.back(), (rtf::Span{"-> 2:1", kLacunaMarkColour, false}));
    EXPECT_EQ(restored.Text(3, 0), " 2:1 -> 1:1");
    EXPECT_FALSE(restored.IsLacunose(1));
    EXPECT_FALSE(restored.IsLacunose(3));
    EXPECT_EQ(restored.Summary().reported, 2);
    EXPECT_EQ(restored.NextPair(0, true), 1u);
}

TEST(RelocationsTest, RomansDoxologyInTheSampleEditions)
{
    const auto byzText = test::SampleEdition("Byzantine2018");
    const auto whText = test::SampleEdition("WestcottHort1881");
    if (!byzText || !whText)
        GTEST_SKIP() << "no sample editions";
    const std::vector<std::string>& byz = *byzText;
    const std::vector<std::string>& wh = *whText;
    const std::vector<Relocation> found = FindRelocations(wh, byz);
    std::vector<std::string> seen;
    for (const Relocation& r : found)
        seen.push_back(std::string(r.rightEmpty ? "Byz " : "WH ") + r.place);
    // WH lacks 14:24-26 (its doxology at 16:25-27), Byzantine 16:25-27.
    EXPECT_EQ(seen, (std::vector<std::string>{"WH 16:25-27", "WH 16:25-27", "WH 16:25-27", "Byz 14:24-26",
                                              "Byz 14:24-26", "Byz 14:24-26"}));
}

} // namespace
} // namespace synopter
