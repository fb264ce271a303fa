#include "import/importer.h"

#include "common/file_io.h"
#include "common/temp_folder.h"
#include "editions/nt_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace synopter {
namespace {

using test::TempFolder;

const std::string kSourcesDir = SYNOPTER_SOURCES_DIR;
const std::string kEditionsDir = SYNOPTER_EDITIONS_DIR;

std::string LineAt(const std::string& text, int index)
{
    size_t start = 0;
    for (int i = 0; i < index; ++i)
        start = text.find("\r\n", start) + 2;
    return text.substr(start, text.find("\r\n", start) - start);
}

// UTF-8 as UTF-16LE with a byte order mark (the Basic Multilingual Plane only).
std::string Utf16(std::string_view utf8)
{
    std::string out = "\xFF\xFE";
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
        unsigned cp = length == 1 ? c : length == 2 ? c & 0x1F : c & 0x0F;
        for (int k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + size_t(k)]) & 0x3F);
        out += char(cp & 0xFF);
        out += char(cp >> 8);
        i += size_t(length);
    }
    return out;
}

bool Contains(const std::vector<std::string>& lines, const std::string& wanted)
{
    for (const std::string& line : lines)
        if (line.find(wanted) != std::string::npos)
            return true;
    return false;
}

TEST(ImportEdition, ByzantineCsvFolderGivesItsEditionByteForByte)
{
    const std::string csv = kSourcesDir + "/byzantine2018-csv";
    const auto expected = ReadFileBytes(kEditionsDir + "/Byzantine2018.dat", kMaxEditionTextBytes);
    if (!std::filesystem::is_directory(csv) || !expected)
        GTEST_SKIP() << "no Byzantine sources or edition";

    std::vector<double> fractions;
    const ImportedEdition edition = ImportEdition({{csv}, SourceFormat::Auto, "", ""}, [&](double f) {
        fractions.push_back(f);
        return true;
    });
    EXPECT_TRUE(edition.text == *expected) << "the imported text differs from Byzantine2018.dat";
    EXPECT_EQ(edition.name, "byzantine2018-csv");
    EXPECT_EQ(edition.summary.linesSkipped, 0);
    ASSERT_FALSE(fractions.empty());
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    EXPECT_DOUBLE_EQ(fractions.back(), 1.0);

    EXPECT_THROW(ImportEdition({{csv}, SourceFormat::Auto, "", ""}, [](double f) { return f < 0.5; }),
                 ImportError);
}

TEST(ImportEdition, PlacesVersesOfATextAndSaysWhatItDid)
{
    TempFolder folder;
    folder.Write("notes.md", "Nothing to see.\n");
    folder.Write("matt.txt", "Matthew\n17:20 ὁ δὲ\n17:22 Συστρεφομένων\n");
    folder.Write("rev.txt", "Rev 12:17 καὶ ὠργίσθη\nRev 12:18 Καὶ ἐστάθη\nRev 0:1 ἀρχή\n");
    const ImportedEdition edition = ImportEdition({{folder.Path()}, SourceFormat::Auto, "", ""});

    EXPECT_EQ(LineAt(edition.text, layout::VerseLine(0, 17, 21)), " 17:21");
    EXPECT_EQ(LineAt(edition.text, layout::VerseLine(0, 17, 22)), " 17:22 sustrefomenwn");
    EXPECT_EQ(LineAt(edition.text, layout::VerseLine(26, 12, 17)), " 12:17 kai wrgisyh kai estayh");
    EXPECT_EQ(edition.summary.versesPlaced, 3);
    EXPECT_EQ(edition.summary.filesSkipped, 1);
    EXPECT_EQ(edition.descriptor, EditionDescriptorText(edition.title));

    const std::vector<std::string> lines = DescribeSummary(edition.summary);
    EXPECT_EQ(lines.front(), "3 verses placed.");
    EXPECT_TRUE(Contains(lines, "Revelation 12:18 → Revelation 12:17"));
    EXPECT_TRUE(Contains(lines, "Revelation 0:1"));
    EXPECT_TRUE(Contains(lines, "7958 verse slots left empty: Matthew 1:1–17:19, 17:21, 17:23–28:20, Mark 1:1–16:20, "));
    EXPECT_TRUE(Contains(lines, ", Revelation 1:1–12:16, 13:1–22:21."));
    EXPECT_TRUE(Contains(lines, "1 file "));
    EXPECT_TRUE(Contains(lines, "accents"));
    EXPECT_FALSE(Contains(lines, "lines"));
}

TEST(DescribeSummary, NamesTheEmptySlotsByRange)
{
    const auto slotsLine = [](const ImportSummary& summary) {
        for (const std::string& line : DescribeSummary(summary))
            if (line.find("left empty") != std::string::npos)
                return line;
        return std::string("(none)");
    };
    const auto summary = [](std::vector<VerseRef> slots, bool manuscript = false) {
        ImportSummary s;
        s.slotsEmpty = int(slots.size());
        s.emptySlots = std::move(slots);
        s.manuscript = manuscript;
        return s;
    };
    const struct {
        ImportSummary summary;
        std::string want;
    } cases[] = {
        {summary({}), "(none)"},
        {summary({{2, 17, 36}, {4, 8, 37}, {4, 15, 34}, {4, 24, 7}, {5, 16, 25}, {5, 16, 26}, {5, 16, 27}, {24, 1, 15}}),
         "8 verse slots left empty: Luke 17:36, Acts 8:37, 15:34, 24:7, Romans 16:25–27, 3 John 1:15."},
        // A range runs on into the next chapter but never into the next book.
        {summary({{0, 1, 25}, {0, 2, 1}, {0, 2, 2}, {0, 28, 20}, {1, 1, 1}, {1, 1, 3}}),
         "6 verse slots left empty: Matthew 1:25–2:2, 28:20, Mark 1:1, 1:3."},
        // Not the last verse of its chapter: 1:24 and 2:1 are two ranges.
        {summary({{0, 1, 24}, {0, 2, 1}}), "2 verse slots left empty: Matthew 1:24, 2:1."},
        // A manuscript's lost verses are counted in its own line, never listed.
        {summary({{3, 1, 1}, {3, 1, 2}}, true), "2 verse slots left empty."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(slotsLine(c.summary), c.want);

    // Every other verse of Luke 1-2: 66 ranges, the first 50 named.
    std::vector<VerseRef> alternate;
    for (int chapter : {1, 2})
        for (int verse = 1; verse <= layout::VerseCount(2, chapter); verse += 2)
            alternate.push_back({2, chapter, verse});
    const std::string line = slotsLine(summary(alternate));
    EXPECT_EQ(line.substr(0, 47), "66 verse slots left empty: Luke 1:1, 1:3, 1:5, ");
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 49);
    EXPECT_TRUE(line.ends_with(", 2:17, 2:19 and 16 more.")) << line;
}

TEST(ImportEdition, NameAndTitleDefaults)
{
    TempFolder folder;
    const std::string file = folder.Write("Nestle 1904 (draft).txt", "John 1:1 Ἐν ἀρχῇ\n");
    const struct {
        std::string name, title, wantName, wantTitle;
    } cases[] = {
        {"", "", "Nestle 1904 (draft)", "Nestle 1904 (draft).txt"},
        {"NA", "  A title\nover lines ", "NA", "A title over lines"},
    };
    for (const auto& c : cases) {
        const ImportedEdition edition = ImportEdition({{file}, SourceFormat::Text, c.name, c.title});
        EXPECT_EQ(edition.name, c.wantName);
        EXPECT_EQ(edition.title, c.wantTitle);
    }
    EXPECT_EQ(ImportEdition({{folder.Path()}, SourceFormat::Auto, "", ""}).name,
              std::filesystem::path(folder.Path()).parent_path().filename().string());
}

TEST(ImportEdition, FindsTeiInUtf16AndWarnsOfVersesWithoutGreek)
{
    TempFolder folder;
    const std::string tei = folder.Write("tei.xml", Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<TEI><text><body>"
                                                           "<ab n=\"B04K1V1\">Ἐν ἀρχῇ</ab><ab n=\"B04K1V2\">Then</ab>"
                                                           "</body></text></TEI>\n"));
    const ImportedEdition edition = ImportEdition({{tei}, SourceFormat::Auto, "", ""});
    EXPECT_EQ(LineAt(edition.text, layout::VerseLine(3, 1, 1)), " 1:1 en arch");
    EXPECT_TRUE(Contains(DescribeSummary(edition.summary), "1 verse holds no Greek letter"));
}

TEST(IsValidEditionName, AllowsPlainNamesOnly)
{
    for (const char* good : {"Byzantine2018", "NA 28", "x-y_z.v2"})
        EXPECT_TRUE(IsValidEditionName(good)) << good;
    for (const char* bad : {"", ".hidden", " lead", "a/b", "a:b", "a?b", "x.bk", "x.BKup", "x.dat", "x.DAT", "Ελληνικά", "a\tb"})
        EXPECT_FALSE(IsValidEditionName(bad)) << bad;
}

TEST(ImportEdition, RefusesBadInputAndWritesNothing)
{
    TempFolder in;
    TempFolder out;
    const std::string verses = in.Write("verses.txt", "John 1:1 Ἐν ἀρχῇ\n");
    const std::string prose = in.Write("prose.txt", "Only prose here.\n");
    const std::string noVerse = in.Write("titles.txt", "Matthew\nΚΑΤΑ ΜΑΘΘΑΙΟΝ\n");
    const std::string english = in.Write("kjv.txt", "John 1:1 In the beginning was the Word\nJohn 1:2 The same\n");
    const std::string utf16 = in.Write("utf16.txt", Utf16("John 1:1 Ἐν ἀρχῇ\n"));
    const struct {
        ImportRequest request;
        std::string says;
    } bad[] = {
        {{{prose}, SourceFormat::Auto, "", ""}, "Unknown format"},
        {{{noVerse}, SourceFormat::Text, "", ""}, "No verse"},
        {{{verses}, SourceFormat::Auto, "a/b", ""}, "Bad name"},
        {{{verses}, SourceFormat::Auto, "x.dat", ""}, "end in \".dat\""},
        {{{in / "missing.txt"}, SourceFormat::Auto, "", ""}, "Cannot open"},
        {{{verses}, SourceFormat::Sword, "", ""}, "not a SWORD"},
        {{{english}, SourceFormat::Auto, "", ""}, "No Greek letter"},
        {{{utf16}, SourceFormat::Auto, "", ""}, "UTF-16 text: save it as UTF-8"},
        {{{utf16}, SourceFormat::Text, "", ""}, "UTF-16 text: save it as UTF-8"},
    };
    for (const auto& c : bad) {
        try {
            ImportEdition(c.request);
            ADD_FAILURE() << c.says << ": imported";
        } catch (const ImportError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }

    ImportedEdition edition = ImportEdition({{verses}, SourceFormat::Auto, "Mine", ""});
    out.Write("Mine.bk", "old");
    EXPECT_THROW(WriteImportedEdition(out.Path(), edition, false), ImportError);
    EXPECT_FALSE(FileExists(out / "Mine.dat"));
    EXPECT_EQ(out.Read("Mine.bk"), "old");

    WriteImportedEdition(out.Path(), edition, true);
    EXPECT_EQ(out.Read("Mine.dat"), edition.text);
    EXPECT_EQ(out.Read("Mine.bk"), edition.descriptor);
    EXPECT_THROW(WriteImportedEdition(out / "no-such-folder", edition, false), WriteError);
}

} // namespace
} // namespace synopter
