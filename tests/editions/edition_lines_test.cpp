#include "editions/edition_lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace synopter {
namespace {

TEST(EditionLinesTest, HeadingsAndVerseLines)
{
    const struct {
        std::string_view line;
        bool heading;
        std::string_view reference;
        int chapter, verse;
        std::string_view words;
    } cases[] = {
        {"KATA IWANNHN 3", true, "", 0, 0, "KATA IWANNHN 3"},
        {"\tx", true, "", 0, 0, "\tx"},
        {" 3:16 outwv gar", false, "3:16", 3, 16, "outwv gar"},
        {"   1:1   en  arch  ", false, "1:1", 1, 1, "en  arch"},
        {" 17:21", false, "17:21", 17, 21, ""},
        {" 17:21  ", false, "17:21", 17, 21, ""},
        {" 1234:5678 a", false, "1234:5678", 1234, 5678, "a"},
        {" outwv gar ", false, "", 0, 0, "outwv gar"},
        {"", false, "", 0, 0, ""},
        {"   ", false, "", 0, 0, ""},
        // Anything but chapter:verse is words.
        {" 3: a", false, "", 0, 0, "3: a"},
        {" :16 a", false, "", 0, 0, ":16 a"},
        {" 3:1:6 a", false, "", 0, 0, "3:1:6 a"},
        {" 3:16a b", false, "", 0, 0, "3:16a b"},
        {" 12345:1 a", false, "", 0, 0, "12345:1 a"},
        {" 3:16\ta", false, "", 0, 0, "3:16\ta"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsHeadingLine(c.line), c.heading) << c.line;
        const VerseParts parts = ParseVerseLine(c.line);
        EXPECT_EQ(parts.reference, c.reference) << c.line;
        EXPECT_EQ(parts.chapter, c.chapter) << c.line;
        EXPECT_EQ(parts.verse, c.verse) << c.line;
        EXPECT_EQ(parts.words, c.words) << c.line;
    }
}

TEST(EditionLinesTest, BookTitlesChaptersAndBooks)
{
    const struct {
        std::string_view heading, title;
        int chapter;
        std::optional<int> book;
    } cases[] = {
        {"KATA IWANNHN 3", "KATA IWANNHN", 3, 3},
        {"PROV KORINYIOUV A 12", "PROV KORINYIOUV A", 12, 6},
        {"IOUDA 1", "IOUDA", 1, 25},
        {"kata markon 16", "kata markon", 16, 1},
        {"PRAXEIV", "PRAXEIV", 0, 4},          // no number
        {"KATA  3", "KATA ", 3, std::nullopt}, // one blank goes with the number
        {"KATA 12345", "KATA", 0, std::nullopt},
        {"12", "12", 0, std::nullopt},          // nothing but a number
        {"ABC12", "ABC12", 0, std::nullopt},    // a number not set apart
        {"", "", 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BookTitle(c.heading), c.title) << c.heading;
        EXPECT_EQ(HeadingChapter(c.heading), c.chapter) << c.heading;
        EXPECT_EQ(BookOfTitle(BookTitle(c.heading)), c.book) << c.heading;
    }
}

TEST(EditionLinesTest, SplitWords)
{
    using Words = std::vector<std::string_view>;
    const struct {
        std::string_view text;
        Words words;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"a", {"a"}},
        {"en arch hn", {"en", "arch", "hn"}},
        {"  en   arch  ", {"en", "arch"}},
        {" a", {"a"}},
        {"a ", {"a"}},
        {"a\tb c", {"a\tb", "c"}}, // only spaces part words
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitWords(c.text), c.words) << c.text;
        Words reused = {"stale", "words"};
        SplitWords(c.text, reused);
        EXPECT_EQ(reused, c.words) << c.text;
    }
}

} // namespace
} // namespace synopter
