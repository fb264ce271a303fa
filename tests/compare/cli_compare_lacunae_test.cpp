// synopter-compare on a manuscript: lost verses and remnants from its .bk.

#include "compare/cli_compare_run.h"

#include "common/temp_folder.h"
#include "common/text_lines.h"
#include "editions/edition.h"
#include "editions/edition_lines.h"
#include "editions/lacunae.h"

#include <gtest/gtest.h>

namespace synopter {
namespace {

using namespace cli_test;

// Words `from` to `to` (exclusive) of a verse line, the second one
// miswritten when `miswrite`.
std::string Remnant(const std::string& line, size_t from, size_t to, bool miswrite)
{
    const VerseParts parts = ParseVerseLine(line);
    const std::vector<std::string_view> words = SplitWords(parts.words);
    std::string out = " " + std::string(parts.reference);
    for (size_t i = from; i < to && i < words.size(); ++i)
        out += " " + (miswrite && i == from + 1 ? std::string("xxxx") : std::string(words[i]));
    return out;
}

TEST(CliLacunaeTest, LostTextIsMarkedAndCountedApart)
{
    const std::string dir = std::string(SYNOPTER_PROGRAM_DIR) + "/";
    const std::string base = "Byzantine2018";
    if (!fs::exists(EditionTextPath(dir, base)))
        GTEST_SKIP() << "no editions in " << dir;
    std::vector<std::string> lines = LoadEditionText(EditionTextPath(dir, base)).value();
    ASSERT_GT(lines.size(), 7u);

    // Matthew 1:2-5 lost; 1:1 without its first two words; of 1:6 the first
    // four words, the second miswritten.
    Lacunae lacunae;
    for (size_t k = 2; k <= 5; ++k) {
        lines[k] = " " + std::string(ParseVerseLine(lines[k]).reference);
        lacunae.SetLacunose(k);
    }
    lines[1] = Remnant(lines[1], 2, 1000, false);
    lacunae.SetGaps(1, {0});
    lines[6] = Remnant(lines[6], 0, 4, true);
    lacunae.SetGaps(6, {4});
    TempFolder folder;
    folder.Write("ms.dat", JoinLinesCrLf(lines));
    folder.Write("ms.bk", "[TextFont]\r\nName=Riruzi\r\n" + LacunaeSectionText(lacunae, lines));

    const Result json = RunCompare({"--format", "json", "--threshold", "1", EditionTextPath(dir, base), folder / "ms.dat"});
    ASSERT_EQ(json.status, 0) << json.err;
    const std::string first = json.out.substr(0, json.out.find('\n') + 1);
    EXPECT_TRUE(first.starts_with("{\"line\": 6,")) << first;
    // The miswritten word and the word it stands for count; the lost words after the remnant do not.
    EXPECT_NE(first.find("\"right_unmatched\": 4, \"left_unmatched\": 2, \"right_diff\": [[12, 4]]"),
              std::string::npos) << first;
    EXPECT_TRUE(first.ends_with(", \"lacuna\": true}\n")) << first;
    // Records of whole verses carry no flag.
    const size_t second = json.out.find('\n') + 1;
    EXPECT_EQ(json.out.find("lacuna", second), std::string::npos);

    const Result summary = RunCompare({"--format", "summary", EditionTextPath(dir, base), folder / "ms.dat"});
    ASSERT_EQ(summary.status, 0) << summary.err;
    EXPECT_NE(summary.out.find("\"heading\": \"KATA MAYYAION 1\", \"reported\": 0, \"lacunose\": 4}"),
              std::string::npos) << summary.out.substr(0, 300);
    EXPECT_TRUE(summary.out.ends_with(", \"lacunose\": 4}\n"));

    const Result text = RunCompare({"--threshold", "1", EditionTextPath(dir, base), folder / "ms.dat"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("  Byzantine2018: 1:2-5\n  ms:            lac. 1:2-5\n"), std::string::npos) << text.out.substr(0, 600);
    EXPECT_NE(text.out.find("  ms:            1:6 iessai {xxxx} egennhsen ton lac.\n"), std::string::npos);
    EXPECT_TRUE(text.out.ends_with(" verses differ\n4 verses lacunose\n"));
}

} // namespace
} // namespace synopter
