// The pieces every import shares: the layout, transliteration, book names and
// the placement of verses into the layout.

#include "common/text_lines.h"
#include "import/book_names.h"
#include "import/edition_builder.h"
#include "import/nt_layout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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

TEST(BookFromNameTest, NamesAbbreviationsCodesAndNumbers)
{
    struct Case {
        const char* name;
        std::optional<int> book;
    };
    const Case cases[] = {
        {"Matthew", 0}, {"matt", 0}, {"Mt", 0}, {"MAT", 0}, {"B01", 0},
        {"Mark", 1}, {"MRK", 1}, {"MAR", 1},
        {"JHN", 3}, {"JOH", 3}, {"John", 3}, {"b04", 3},
        {"1 Corinthians", 6}, {"1Cor", 6}, {"1 Co", 6}, {"1CO", 6}, {"I Cor.", 6}, {"1-cor", 6},
        {"2 Thess", 13}, {"II Thessalonians", 13},
        {"Philippians", 10}, {"Phil", 10}, {"PHP", 10},
        {"Philemon", 17}, {"Phlm", 17}, {"PHM", 17},
        {"JAS", 19}, {"JAM", 19}, {"James", 19},
        {"1 John", 22}, {"1JN", 22}, {"III John", 24}, {"3JO", 24},
        {"Rev", 26}, {"Revelation", 26}, {"REV", 26}, {"B27", 26},
        {"Gen", std::nullopt}, {"B28", std::nullopt}, {"B00", std::nullopt},
        {"Johnny", std::nullopt}, {"", std::nullopt}, {"1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BookFromName(c.name), c.book) << c.name;
}

TEST(EditionLayoutTest, MatchesTheSampleEditions)
{
    EditionBuilder empty;
    const std::vector<std::string> lines = SplitLines(empty.EditionText());
    ASSERT_EQ(lines.size(), size_t(layout::kLineCount));
    EXPECT_EQ(lines.front(), "KATA MAYYAION 1");
    EXPECT_EQ(lines.back(), " 22:21");
    EXPECT_EQ(lines[size_t(layout::VerseLine(3, 3, 16))], " 3:16");
    EXPECT_EQ(lines[size_t(layout::HeadingLine(24, 1))], "IWANNOU G 1");

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
