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
    EXPECT_TRUE(Contains(lines, "1 file "));
    EXPECT_TRUE(Contains(lines, "accents"));
    EXPECT_FALSE(Contains(lines, "lines"));
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

TEST(IsValidEditionName, AllowsPlainNamesOnly)
{
    for (const char* good : {"Byzantine2018", "NA 28", "x-y_z.v2"})
        EXPECT_TRUE(IsValidEditionName(good)) << good;
    for (const char* bad : {"", ".hidden", " lead", "a/b", "a:b", "a?b", "x.bk", "x.BKup", "Ελληνικά", "a\tb"})
        EXPECT_FALSE(IsValidEditionName(bad)) << bad;
}

TEST(ImportEdition, RefusesBadInputAndWritesNothing)
{
    TempFolder in;
    TempFolder out;
    const std::string verses = in.Write("verses.txt", "John 1:1 Ἐν ἀρχῇ\n");
    const std::string prose = in.Write("prose.txt", "Only prose here.\n");
    const std::string noVerse = in.Write("titles.txt", "Matthew\nΚΑΤΑ ΜΑΘΘΑΙΟΝ\n");
    const ImportRequest bad[] = {
        {{prose}, SourceFormat::Auto, "", ""},       // unknown format
        {{noVerse}, SourceFormat::Text, "", ""},     // no verse recognised
        {{verses}, SourceFormat::Auto, "a/b", ""},   // bad name
        {{in / "missing.txt"}, SourceFormat::Auto, "", ""},
        {{verses}, SourceFormat::Sword, "", ""},     // a file is no SWORD module
    };
    for (const ImportRequest& request : bad)
        EXPECT_THROW(ImportEdition(request), ImportError) << request.sources[0];

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
