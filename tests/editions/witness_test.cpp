#include "common/temp_folder.h"
#include "common/text_lines.h"
#include "editions/edition.h"
#include "editions/witness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace synopter {
namespace {

using test::TempFolder;

TEST(WitnessTest, ManuscriptSectionsAreToldFromValues)
{
    const struct {
        const char* descriptor;
        bool manuscript;
    } cases[] = {
        {"[TextFont]\r\nName=Riruzi\r\n[English]\r\nInformation=Codex\r\n", false},
        {"[English]\nInformation=[Manuscript] in brackets\n", false},
        {"", false},
        {"[English]\r\n[manuscript]\r\nHand=first\r\n", true},
        {"  [ Lacunae ]\n43001001=lost\n", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribesManuscript(c.descriptor), c.manuscript) << c.descriptor;
}

// A sample edition made a manuscript at run time: John 1:1-5 lost, 1:6 a
// remnant, 1:7 never written; beside it the edition it came from, as printed.
TEST(WitnessTest, DescribesManuscriptsOnlyAndFollowsTheirFiles)
{
    const std::string samples = std::string(SYNOPTER_EDITIONS_DIR) + "/";
    if (!std::filesystem::exists(EditionTextPath(samples, "Byzantine2018")))
        GTEST_SKIP() << "no editions in " << samples;
    TempFolder folder;
    for (const char* ext : {".bk", ".dat"})
        std::filesystem::copy_file(samples + "Byzantine2018" + ext, folder / (std::string("printed") + ext));
    const std::vector<std::string> printed = *LoadEditionText(folder / "printed.dat");
    const size_t john = std::find(printed.begin(), printed.end(), "KATA IWANNHN 1") - printed.begin();
    ASSERT_LT(john + 7, printed.size());

    std::vector<std::string> lines = printed;
    Lacunae lacunae;
    for (size_t verse = 1; verse <= 7; ++verse) {
        if (verse == 6)
            continue;
        lines[john + verse] = " 1:" + std::to_string(verse) + " ";
        if (verse <= 5)
            lacunae.SetLacunose(john + verse);
    }
    lacunae.SetGaps(john + 6, {0});
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    folder.Write("codex.dat", text);
    const std::string head = "[English]\r\nInformation=Codex\r\n[Manuscript]\r\nHand=scribe\r\n";
    folder.Write("codex.bk", head + LacunaeSectionText(lacunae, lines));

    EXPECT_FALSE(DescribeWitness(folder.Path(), "printed"));
    const WitnessExtent whole = MeasureExtent(printed, Lacunae());
    const std::optional<WitnessDescription> codex = DescribeWitness(folder.Path(), "codex");
    ASSERT_TRUE(codex);
    EXPECT_EQ(codex->hand, "scribe");
    EXPECT_EQ(codex->extent.versesExtant, whole.versesExtant - 6);
    EXPECT_EQ(codex->extent.lacunose, 5);
    EXPECT_EQ(codex->extent.remnants, 1);
    EXPECT_EQ(codex->extent.absent, whole.absent + 1);
    EXPECT_EQ(codex->extent.books.size(), 27u);
    EXPECT_EQ(ExtentBooks(codex->extent.books), "Matthew–Revelation");
    EXPECT_EQ(ExtentBooks({3, 5, 7}), "John, Romans, 2 Corinthians");

    // A rewritten descriptor is read again: another hand, then no manuscript at all.
    folder.Write("codex.bk", "[Manuscript]\r\nHand=LAST\r\n");
    ASSERT_TRUE(DescribeWitness(folder.Path(), "codex"));
    EXPECT_EQ(DescribeWitness(folder.Path(), "codex")->hand, "last");
    EXPECT_EQ(DescribeWitness(folder.Path(), "codex")->extent.lacunose, 0);
    folder.Write("codex.bk", "[English]\r\nInformation=Codex\r\n");
    EXPECT_FALSE(DescribeWitness(folder.Path(), "codex"));
    // A manuscript whose text is gone has nothing to describe.
    std::filesystem::remove(folder / "printed.dat");
    folder.Write("printed.bk", "[Manuscript]\r\nHand=first\r\n");
    EXPECT_FALSE(DescribeWitness(folder.Path(), "printed"));
}

} // namespace
} // namespace synopter
