#include "editions/lacunae.h"

#include "common/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace synopter {
namespace {

// John 1:1-5 and 2:1-2 of an invented witness; the book's headings carry its title.
const std::vector<std::string> kLines = {
    "KATA IWANNHN 1", " 1:1 ", " 1:2 ", " 1:3 en", " 1:4 ", " 1:5 kai to fwv",
    "KATA IWANNHN 2", " 2:1 ", " 2:2 ekeklhto de",
};

TEST(LacunaeTest, SectionReadsBackAndRangesSpanHeadings)
{
    Lacunae lacunae;
    for (size_t line : {1, 2, 4, 7})
        lacunae.SetLacunose(line);
    lacunae.SetGaps(5, {3, 0, 3});
    lacunae.SetGaps(8, {2});
    const std::string text = LacunaeSectionText(lacunae, kLines);
    EXPECT_EQ(text, "[Lacunae]\r\n43001001-43001002=lost\r\n43001004=lost\r\n43002001=lost\r\n"
                    "43001005=gaps 0 3\r\n43002002=gaps 2\r\n");

    int skipped = -1;
    const Lacunae back = ParseLacunae("[English]\nInformation=x\n" + text + "[Other]\n1=lost\n", kLines, &skipped);
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(LacunaeSectionText(back, kLines), text);
    EXPECT_TRUE(back.Lacunose(1) && back.Lacunose(7) && !back.Lacunose(3));
    EXPECT_EQ(std::vector<uint16_t>(back.Gaps(5).begin(), back.Gaps(5).end()), (std::vector<uint16_t>{0, 3}));
    EXPECT_TRUE(back.Touches(8) && !back.Touches(3));

    // A range across the chapter heading; entries that place nothing are counted.
    const Lacunae range = ParseLacunae("[lacunae]\n43001004-43002001 = LOST\n43009001=lost\nx=lost\n"
                                       "43001003=gaps\n43001003=missing\n",
                                       kLines, &skipped);
    EXPECT_EQ(skipped, 4);
    EXPECT_EQ(range.LacunoseCount(), 3u);
    EXPECT_TRUE(range.Lacunose(5) && range.Lacunose(7) && !range.Lacunose(6));
}

// The descriptor read over views of the lines, as synopter-compare holds them, places the same slots.
TEST(LacunaeTest, ReadOverLineViews)
{
    test::TempFolder folder;
    const std::string path = folder.Write("w.bk", "[Lacunae]\r\n43001002-43001004=lost\r\n43002002=gaps 1\r\n");
    const std::vector<std::string_view> views(kLines.begin(), kLines.end());
    const Lacunae lacunae = ReadLacunae(path, views);
    EXPECT_EQ(LacunaeSectionText(lacunae, kLines), LacunaeSectionText(ReadLacunae(path, kLines), kLines));
    EXPECT_EQ(lacunae.LacunoseCount(), 3u);
    EXPECT_EQ(lacunae.RemnantCount(), 1u);
}

TEST(LacunaeTest, ExtentTellsLostFromAbsent)
{
    Lacunae lacunae;
    lacunae.SetLacunose(1);
    lacunae.SetLacunose(2);
    lacunae.SetGaps(5, {0});
    const WitnessExtent extent = MeasureExtent(kLines, lacunae);
    EXPECT_EQ(extent.versesExtant, 3);
    EXPECT_EQ(extent.remnants, 1);
    EXPECT_EQ(extent.lacunose, 2);
    EXPECT_EQ(extent.absent, 2);
    EXPECT_EQ(DescribeExtent(extent, "scribe"), "John: 3 verses extant, scribe's hand");
    EXPECT_EQ(DescribeExtent(MeasureExtent(kLines, Lacunae())), "John: 3 verses extant");
}

} // namespace
} // namespace synopter
