// The pieces every import shares: transliteration and the placement of verses
// into the layout.

#include "common/text_lines.h"
#include "editions/nt_layout.h"
#include "import/edition_builder.h"

#include <gtest/gtest.h>

namespace synopter {
namespace {

TEST(TransliterateGreekTest, LettersMarksSigmaAndDroppedSigns)
{
    struct Case {
        const char* utf8;
        const char* expected;
    };
    const Case cases[] = {
        {"αβγδεζηθικλμνξοπρστυφχψω", "abgdezhyiklmnxoprstufcqw"},
        {"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ", "abgdezhyiklmnxoprstufcqw"},
        {"ς", "v"},
        {"λόγος λόγοσ λόγοϲ ΛΌΓΟΣ", "logov logov logov logov"},
        {"σοφία Ϲοφία ἐσθίω", "sofia sofia esyiw"},
        {"λόγος, καὶ λόγος· τέκνον;", "logov kai logov teknon"},
        {"ἄ ἁ ᾷ ῷ ΐ ῥ Ἀ ᾯ ὑ̈", "a a a w i r a w u"},
        {"⸀αὐτοῦ ⸂ἦν⸃ ⟦ἀμήν⟧ ¶Ἰησοῦς [καὶ]", "autou hn amhn ihsouv kai"},
        {"κατ’ ἀλλʼ 12 ὁ˙ 3:16", "kat all o"},
        {"ἐστιν— ἀλλά—τί - ὁ", "estin alla ti o"},
        {"  ἐν \t ἀρχῇ\r\n ἦν  ", "en arch hn"},
        {"logos LOGOS αbc", "logos logos abc"},
        {"α\xff\xfeβ", "ab"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TransliterateGreek(c.utf8), c.expected) << c.utf8;
}

TEST(TransliterateGreekTest, CountsWhatItDrops)
{
    DroppedCounts dropped;
    TransliterateGreek("ἀρχῇ, ⸀ὁ 12 ✝ ϝ \xff", &dropped);
    EXPECT_EQ(dropped[DroppedKind::Mark], 4);
    EXPECT_EQ(dropped[DroppedKind::Punctuation], 2);
    EXPECT_EQ(dropped[DroppedKind::Digit], 2);
    EXPECT_EQ(dropped[DroppedKind::Symbol], 1);
    EXPECT_EQ(dropped[DroppedKind::Letter], 1);
    EXPECT_EQ(dropped[DroppedKind::Other], 1);
    EXPECT_EQ(dropped.Total(), 11);
}

TEST(EditionBuilderTest, WithoutVersesWritesTheLayout)
{
    EditionBuilder empty;
    const std::vector<std::string> lines = SplitLines(empty.EditionText());
    ASSERT_EQ(lines.size(), size_t(layout::kLineCount));
    EXPECT_EQ(lines.front(), "KATA MAYYAION 1");
    EXPECT_EQ(lines.back(), " 22:21");
    EXPECT_EQ(lines[size_t(layout::VerseLine(3, 3, 16))], " 3:16");
    EXPECT_EQ(lines[size_t(layout::HeadingLine(24, 1))], "IWANNOU G 1");
}

TEST(EditionBuilderTest, PlacesByReferenceAndKeepsWhatTheLayoutLacks)
{
    EditionBuilder b;
    b.Verse({3, 3, 16}, "οὕτως γὰρ");
    b.Verse({3, 3, 16}, "ἠγάπησεν");          // named twice: both kept in order
    b.Verse({26, 12, 18}, "καὶ ἐστάθη");        // Revelation 12 has 17 slots
    b.Verse({26, 12, 17}, "καὶ ὠργίσθη");      // its own words stay first
    b.Verse({24, 2, 1}, "ἄλλο");                // 3 John has one chapter
    b.Verse({0, 0, 1}, "οὐδέν");               // chapter 0: nowhere to go
    b.SkippedLine();

    const std::vector<std::string> lines = SplitLines(b.EditionText());
    EXPECT_EQ(lines[size_t(layout::VerseLine(3, 3, 16))], " 3:16 outwv gar hgaphsen");
    EXPECT_EQ(lines[size_t(layout::VerseLine(26, 12, 17))], " 12:17 kai wrgisyh kai estayh");
    EXPECT_EQ(lines[size_t(layout::VerseLine(24, 1, 15))], " 1:15 allo");
    EXPECT_EQ(lines[size_t(layout::VerseLine(3, 3, 17))], " 3:17");

    const ImportSummary s = b.Summary();
    EXPECT_EQ(s.versesPlaced, 2);
    EXPECT_EQ(s.slotsEmpty, 7961 - 3);
    ASSERT_EQ(s.appended.size(), 2u);
    EXPECT_EQ(FormatVerseRef(s.appended[0].source), "Revelation 12:18");
    EXPECT_EQ(FormatVerseRef(s.appended[0].into), "Revelation 12:17");
    EXPECT_EQ(FormatVerseRef(s.appended[1].into), "3 John 1:15");
    ASSERT_EQ(s.unplaced.size(), 1u);
    EXPECT_EQ(s.linesSkipped, 1);
    EXPECT_EQ(s.dropped[DroppedKind::Mark], 15);

    EXPECT_EQ(EditionDescriptorText("SBL Greek\nNT"),
              "[TextFont]\r\nName=Riruzi\r\n[English]\r\nInformation=SBL Greek NT\r\n");
}

} // namespace
} // namespace synopter
