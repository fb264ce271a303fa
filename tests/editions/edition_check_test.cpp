#include "editions/edition_check.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace synopter {
namespace {

using Lines = std::vector<std::string>;

TEST(EditionCheckTest, NamesTheFirstProblemOrNone)
{
    const Lines good = {"KATA IWANNHN 3", " 3:16 outwv gar", " 3:17 ou gar"};
    struct Case {
        const char* what;
        Lines left;
        Lines right;
        std::vector<std::string> expected; // parts of the problem text; empty: no problem
        LineCounts counts = LineCounts::Equal; // MayDiffer: the layout alone, as synopter-compare checks it
    };
    const std::string left = "\xE2\x80\x9CL\xE2\x80\x9D", right = "\xE2\x80\x9CR\xE2\x80\x9D";
    const Case cases[] = {
        {"aligned", good, {"KATA IWANNHN 3", " 3:16 outwv", " 3:17"}, {}},
        {"no edition on a side", {}, {"\xCE\xB1"}, {}},
        {"Latin-1 bytes are no Greek", good, {"KATA IWANNHN 3", " 3:16 caf\xE9 \xCE", " 3:17 \xB1"}, {}},
        {"Greek punctuation alone is no text", good, {"KATA IWANNHN 3", " 3:16 a\xCD\xBE b\xCE\x87", " 3:17"}, {}},
        {"Unicode Greek left", {"KATA 1", " 1:1 \xCE\xB5\xCE\xBD \xE1\xBC\x80\xCF\x81\xCF\x87\xE1\xBF\x87"}, good,
         {"\xE2\x80\x9CL\xE2\x80\x9D holds Unicode Greek", "Import edition"}},
        {"Unicode Greek right, Greek Extended only", good, {"KATA 1", " 1:1 \xE1\xBC\x90", ""},
         {"\xE2\x80\x9CR\xE2\x80\x9D holds Unicode Greek"}},
        {"line counts", good, {"KATA IWANNHN 3", " 3:16 outwv gar"},
         {"\xE2\x80\x9CL\xE2\x80\x9D has 3 lines, \xE2\x80\x9CR\xE2\x80\x9D has 2."}},
        {"line counts and a heading out of place", good, {" 3:16 outwv gar", "KATA IWANNHN 3"},
         {"has 3 lines", "Line 1 is a chapter heading in \xE2\x80\x9CL\xE2\x80\x9D (\xE2\x80\x9CKATA IWANNHN 3\xE2\x80\x9D) "
                         "but a verse in \xE2\x80\x9CR\xE2\x80\x9D (\xE2\x80\x9C 3:16 outwv gar\xE2\x80\x9D)"}},
        {"verse against an empty line is fine, a heading against it is not",
         good, {"", " 3:16", ""}, {"line 1 is a chapter heading", "but an empty line in"}},
        {"long lines are cut", {"KATA 1", " 1:1 abcdefghijklmnopqrstuvwxyz"}, {"KATA 1", "KATA 2 abcdefghijklmnopqrstuvwxyz"},
         {"line 2 is a verse in", "(\xE2\x80\x9C 1:1 abcdefghijklmnopqrs\xE2\x80\xA6\xE2\x80\x9D)",
          "but a chapter heading in"}},
        {"verses out of place", good, {"KATA IWANNHN 3", " 3:17 ou gar", " 3:16 outwv"},
         {"line 2 is another verse in " + left + " (\xE2\x80\x9C 3:16 outwv gar\xE2\x80\x9D) than in " + right}},
        {"another chapter", good, {"KATA IWANNHN 4", " 3:16", " 3:17"}, {"line 1 heads another chapter in"}},
        {"another book", good, {"KATA MARKON 3", " 3:16", " 3:17"}, {"line 1 heads another chapter in"}},
        {"letter case, blanks and a line without reference are no matter", good,
         {"kata iwannhn 3 ", " outwv gar", " 3:17"}, {}},
        {"shorter, for the command line", good, {"KATA IWANNHN 3", " 3:16"}, {}, LineCounts::MayDiffer},
        {"longer, for the command line", good, {"KATA IWANNHN 3", " 3:16", " 3:17", "KATA IWANNHN 4", " 4:1"}, {},
         LineCounts::MayDiffer},
        {"a line taken out, for the command line", good, {"KATA IWANNHN 3", " 3:17 ou gar"},
         {"line 2 is another verse"}, LineCounts::MayDiffer},
        {"a heading out of place, for the command line", good, {" 3:16", "KATA IWANNHN 3"},
         {"line 1 is a chapter heading"}, LineCounts::MayDiffer},
    };
    for (const Case& c : cases) {
        const auto problem = c.counts == LineCounts::Equal ? ComparisonProblem("L", c.left, "R", c.right)
                                                           : LayoutProblem("L", c.left, "R", c.right, c.counts);
        const std::vector<std::string_view> leftViews(c.left.begin(), c.left.end());
        const std::vector<std::string_view> rightViews(c.right.begin(), c.right.end());
        EXPECT_EQ(LayoutProblem("L", leftViews, "R", rightViews, c.counts),
                  LayoutProblem("L", c.left, "R", c.right, c.counts)) << c.what;
        if (c.expected.empty()) {
            EXPECT_FALSE(problem) << c.what << ": " << problem.value_or("");
            continue;
        }
        ASSERT_TRUE(problem) << c.what;
        EXPECT_TRUE(IsValidUtf8(*problem)) << c.what;
        for (const std::string& part : c.expected)
            EXPECT_NE(problem->find(part), std::string::npos) << c.what << ": " << *problem;
    }
    // Names and lines that are no UTF-8 are read as Latin-1.
    const auto latin1 = LayoutProblem("Caf\xE9", good, "R", {" 1:1 \xE9"});
    ASSERT_TRUE(latin1);
    EXPECT_NE(latin1->find("\xE2\x80\x9C" "Caf\xC3\xA9\xE2\x80\x9D has 3 lines"), std::string::npos) << *latin1;
    EXPECT_NE(latin1->find(" 1:1 \xC3\xA9"), std::string::npos) << *latin1;
}

TEST(EditionCheckTest, AWholeEditionPairIsCheckedInMilliseconds)
{
    Lines left, right;
    for (int i = 0; i < 8221; ++i) {
        left.push_back(i % 30 ? " 12:34 kai eipen autoiv o ihsouv amhn amhn legw umin oti \xE9\xE9 oudeiv" : "KATA MARKON 12");
        right.push_back(left.back());
    }
    for (std::string& line : right)
        line += line.starts_with(' ') ? " x" : " "; // every line differs, so every one is parsed
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ComparisonProblem("L", left, "R", right));
    const auto took = std::chrono::steady_clock::now() - start;
    // Generous for sanitizer builds; an optimised build takes about a millisecond.
    EXPECT_LT(took, std::chrono::milliseconds(200));
}

} // namespace
} // namespace synopter
