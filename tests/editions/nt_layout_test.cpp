#include "editions/nt_layout.h"

#include "common/text_lines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace synopter {
namespace {

// The layout's lines as an edition without words has them, each checked
// against the index the layout gives it.
std::vector<std::string> LayoutLines()
{
    std::vector<std::string> lines;
    for (int book = 0; book < layout::kBookCount; ++book) {
        for (int chapter = 1; chapter <= layout::ChapterCount(book); ++chapter) {
            EXPECT_EQ(layout::HeadingLine(book, chapter), int(lines.size()));
            lines.push_back(layout::HeadingText(book, chapter));
            for (int verse = 1; verse <= layout::VerseCount(book, chapter); ++verse) {
                EXPECT_EQ(layout::VerseLine(book, chapter, verse), int(lines.size()));
                lines.push_back(' ' + std::to_string(chapter) + ':' + std::to_string(verse));
            }
        }
    }
    return lines;
}

TEST(EditionLayoutTest, MatchesTheSampleEditions)
{
    const std::vector<std::string> lines = LayoutLines();
    ASSERT_EQ(lines.size(), size_t(layout::kLineCount));
    EXPECT_EQ(lines.front(), "KATA MAYYAION 1");
    EXPECT_EQ(lines.back(), " 22:21");
    EXPECT_EQ(lines[size_t(layout::HeadingLine(24, 1))], "IWANNOU G 1");
    // Slots and chapters the layout lacks.
    EXPECT_EQ(layout::VerseLine(3, 3, 37), -1);
    EXPECT_EQ(layout::VerseLine(3, 3, 0), -1);
    EXPECT_EQ(layout::HeadingLine(24, 2), -1);
    EXPECT_EQ(layout::HeadingLine(layout::kBookCount, 1), -1);
    EXPECT_EQ(layout::ChapterCount(-1), 0);

    std::ifstream in(std::string(SYNOPTER_EDITIONS_DIR) + "/Byzantine2018.dat", std::ios::binary);
    if (!in)
        GTEST_SKIP() << "sample editions absent";
    const std::vector<std::string> sample =
        SplitLines(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    ASSERT_EQ(sample.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        // Headings equal; each verse slot starts with the sample's reference.
        const std::string& s = sample[i];
        const std::string reference = s[0] == ' ' ? s.substr(0, s.find(' ', 1)) : s;
        ASSERT_EQ(lines[i], reference) << "line " << i + 1;
    }
}

} // namespace
} // namespace synopter
